#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz": clang, ASan and UBSan) and runs each for
# SECONDS (default 60) with its dictionary, on a scratch copy of its seed corpus under
# build/fuzz/run/, so the corpora in fuzz/corpus/ stay as committed. Exits
# non-zero when a target finds a crash, a leak or a hang, and says where the input is.
# Example: tools/fuzz.sh 300
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: tools/fuzz.sh [SECONDS]" >&2
    exit 2
fi

source tools/common.sh
tools/install-deps.sh test
kivo6_build fuzz

failed=()
for input in history resource_script history_fix tickets; do
    fuzzer=$kivo6_bin/kivo6_${input}_fuzzer
    run=build/fuzz/run/$input
    rm -rf "$run/corpus"
    mkdir -p "$run/corpus" "$run/findings"
    cp fuzz/corpus/"$input"/* "$run/corpus/"
    echo "== kivo6_${input}_fuzzer for ${seconds}s"
    # One process, one job: the machine is shared with other builds. The full output
    # goes to the log; the terminal gets the progress and the verdict.
    set +e
    "$fuzzer" "$run/corpus" -dict=fuzz/"$input".dict -max_total_time="$seconds" \
        -timeout=10 -print_final_stats=1 -artifact_prefix="$run/findings/" 2>&1 |
        tee "$run/log.txt" |
        grep --line-buffered -E '(pulse|DONE|INITED|stat::|ERROR|SUMMARY|kivo6_.*_fuzzer: )'
    status=${PIPESTATUS[0]}
    set -e
    if [ "$status" -ne 0 ]; then
        echo "kivo6_${input}_fuzzer failed (exit $status); full log: $run/log.txt" >&2
        grep -h 'Test unit written to' "$run/log.txt" >&2 || true
        failed+=("$input")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing found problems in: ${failed[*]} (inputs kept under build/fuzz/run/*/findings/)" >&2
    exit 1
fi
echo "fuzzing found nothing in ${seconds}s per target"
