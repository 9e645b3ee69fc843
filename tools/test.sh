#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine and runs every test: installs what is missing,
# then configures, builds and tests each named CMake preset. By default all three:
# "ci" (native, warnings as errors), "asan" (AddressSanitizer and UBSan) and
# "mingw" (the 32-bit Windows program and the core tests, run under Wine).
# Example: tools/test.sh ci
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

presets=("$@")
[ ${#presets[@]} -eq 0 ] && presets=(ci asan mingw)
for preset in "${presets[@]}"; do
    echo "== preset $preset"
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
