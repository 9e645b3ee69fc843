#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine and runs every test: installs what is missing,
# then configures, builds and tests each named CMake preset (by default "ci", the
# native build with warnings as errors). Example: tools/test.sh ci asan
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

presets=("$@")
[ ${#presets[@]} -eq 0 ] && presets=(ci)
for preset in "${presets[@]}"; do
    echo "== preset $preset"
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
