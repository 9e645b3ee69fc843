#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine and runs every test: installs what is missing,
# then runs each named step: "format" checks the C++ sources' formatting
# (tools/format.sh); presets "ci" (native, warnings as errors), "asan"
# (AddressSanitizer and UBSan), "valgrind" (every native test under memcheck),
# "mingw" (the 32-bit Windows program, tests under Wine where the kernel runs 32-bit
# code, skipped elsewhere) and "mingw64" (the 64-bit one, tests under wine64)
# configure, build and test; "fuzz" runs each libFuzzer target for
# KIVO6_FUZZ_SECONDS (60) on its seed corpus; "bench" only builds the benchmarks
# (tools/bench-core.sh runs them). A failed preset does not stop the rest; the run
# ends with one line per preset and fails if any preset failed.
# Example: tools/test.sh ci mingw64
set -uo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh test || exit 1

# The value of attribute $1 of the <testsuite> element of CTest's JUnit file $2.
junit_count() {
    sed -n "s/^[[:space:]]*$1=\"\([0-9]*\)\".*/\1/p" "$2" | head -n 1
}

# Runs one preset and sets outcome to its summary line's text; fails if it failed.
run_preset() {
    local preset="$1"
    case "$preset" in
    format)
        if tools/format.sh --check; then
            outcome="passed: every C++ file formatted"
        else
            outcome="FAILED: files not formatted (see above)"
            return 1
        fi
        return 0 ;;
    fuzz)
        if tools/fuzz.sh "${KIVO6_FUZZ_SECONDS:-60}"; then
            outcome="passed: no finding in ${KIVO6_FUZZ_SECONDS:-60}s per target"
        else
            outcome="FAILED: a fuzz target found a fault (see above)"
            return 1
        fi
        return 0 ;;
    bench)
        if cmake --preset bench && cmake --build --preset bench; then
            outcome="passed: benchmarks built"
        else
            outcome="FAILED: the benchmarks did not build"
            return 1
        fi
        return 0 ;;
    esac

    if ! { cmake --preset "$preset" && cmake --build --preset "$preset"; }; then
        outcome="FAILED: did not configure or build"
        return 1
    fi
    local junit="$PWD/build/$preset/ctest-results.xml" status=0
    rm -f "$junit"
    ctest --preset "$preset" --output-junit "$junit" || status=$?
    if [ ! -f "$junit" ]; then
        outcome="FAILED: CTest ran no test (exit $status)"
        return 1
    fi
    local total failed skipped disabled
    total=$(junit_count tests "$junit")
    failed=$(junit_count failures "$junit")
    skipped=$(junit_count skipped "$junit")
    disabled=$(junit_count disabled "$junit")
    outcome="$((total - failed - skipped - disabled)) passed, $failed failed, $((skipped + disabled)) skipped"
    # Why tests were skipped, as the Wine launcher put it, once.
    local reason
    reason=$(sed -n 's/^.*skipped: \(.*\)$/\1/p' "$junit" | sort -u | head -n 1)
    [ -n "$reason" ] && outcome+=" ($reason)"
    if [ "$status" -ne 0 ] || [ "$failed" -ne 0 ]; then
        outcome="FAILED: $outcome"
        return 1
    fi
    outcome="passed: $outcome"
}

presets=("$@")
[ ${#presets[@]} -eq 0 ] && presets=(format ci asan valgrind mingw mingw64 fuzz bench)
summary=()
any_failed=0
for preset in "${presets[@]}"; do
    echo "== preset $preset"
    run_preset "$preset" || any_failed=1
    summary+=("$(printf '%-9s %s' "$preset" "$outcome")")
done

echo "== summary"
printf '%s\n' "${summary[@]}"
exit $any_failed
