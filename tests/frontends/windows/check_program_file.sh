#!/usr/bin/env bash
# Checks what kind of file kivo6.exe is, as Windows will see it: a GUI program of the
# kind the build targets (as `file` names it, for example "PE32 executable (GUI)
# Intel 80386") that imports only DLLs every Windows has.
# Usage: check_program_file.sh PROGRAM.exe OBJDUMP KIND
set -euo pipefail
program="$1"
objdump="$2"
expected_kind="$3"

kind="$(file -b "$program")"
case "$kind" in
"$expected_kind"*) ;;
*) echo "not a $expected_kind program: $kind" >&2; exit 1 ;;
esac

status=0
while read -r dll; do
    case "${dll,,}" in
    kernel32.dll | user32.dll | msvcrt.dll) ;;
    *) echo "needs a DLL that Windows does not ship: $dll" >&2; status=1 ;;
    esac
done < <("$objdump" -p "$program" | sed -n 's/^\s*DLL Name: //p')
exit $status
