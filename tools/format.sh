#!/usr/bin/env bash
# Formats the C++ sources with clang-format from Debian and the committed
# .clang-format, or with --check only says which files it would change and fails if
# any. tools/test.sh runs the check. Usage: tools/format.sh [--check]
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --check ]; then
    if ! clang-format --dry-run --Werror "${files[@]}" 2>/dev/null; then
        echo "not formatted (run tools/format.sh):" >&2
        for file in "${files[@]}"; do
            clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || echo "  $file" >&2
        done
        exit 1
    fi
    echo "all ${#files[@]} C++ files formatted"
else
    clang-format -i "${files[@]}"
fi
