#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine and runs every test: installs what is missing,
# then, for each named preset: "ci" (native, warnings as errors), "asan"
# (AddressSanitizer and UBSan), "valgrind" (every native test under memcheck),
# "mingw" (the 32-bit Windows program and the core tests, run under Wine) configure,
# build and test; "fuzz" runs each libFuzzer target for KIVO6_FUZZ_SECONDS (60) on
# its seed corpus; "bench" only builds the benchmarks (tools/bench-core.sh runs them).
# Example: tools/test.sh ci
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

presets=("$@")
[ ${#presets[@]} -eq 0 ] && presets=(ci asan valgrind mingw fuzz bench)
for preset in "${presets[@]}"; do
    echo "== preset $preset"
    case "$preset" in
    fuzz)
        tools/fuzz.sh "${KIVO6_FUZZ_SECONDS:-60}"
        ;;
    bench)
        cmake --preset bench
        cmake --build --preset bench
        ;;
    *)
        cmake --preset "$preset"
        cmake --build --preset "$preset"
        ctest --preset "$preset"
        ;;
    esac
done
