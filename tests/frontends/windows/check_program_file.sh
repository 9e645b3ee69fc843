#!/usr/bin/env bash
# Checks what kind of file a program is, as Windows will see it: the kind the build
# targets (as `file` names it, for example "PE32 executable (GUI) Intel 80386") that
# imports only the DLLs named, each of which every Windows has.
# Usage: check_program_file.sh PROGRAM.exe OBJDUMP KIND DLL...
set -euo pipefail
program="$1"
objdump="$2"
expected_kind="$3"
shift 3
allowed=" ${*,,} "

kind="$(file -b "$program")"
case "$kind" in
"$expected_kind"*) ;;
*) echo "not a $expected_kind program: $kind" >&2; exit 1 ;;
esac

status=0
while read -r dll; do
    if [[ "$allowed" != *" ${dll,,} "* ]]; then
        echo "imports $dll, beyond $*" >&2
        status=1
    fi
done < <("$objdump" -p "$program" | sed -n 's/^\s*DLL Name: //p')
exit $status
