#!/usr/bin/env bash
# Benchmarks of the logic core: builds the "bench" preset and prints, for loading 256
# draws and a 100 MB history (beside only reading its bytes), the shares and every kind of request, the median time beside the bare loop
# of the random steps the request takes, and the ratio. A measurement, not a test.
# Usage: tools/bench-core.sh [extra Google Benchmark flags]
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/common.sh
kivo6_build bench kivo6_core_benchmark >/dev/null
exec "$kivo6_bin/kivo6_core_benchmark" \
    --benchmark_repetitions=7 --benchmark_report_aggregates_only=true \
    --benchmark_min_time=0.2 "$@"
