#!/usr/bin/env bash
# run-fuzzer.sh FUZZER SECONDS WORK_DIR [SEED_CORPUS]: runs a libFuzzer target for a bounded time.
# New inputs go to WORK_DIR (under the build tree), seeds are only read. Any finding fails.
set -euo pipefail
fuzzer=$1 seconds=$2 work=$3 seeds=${4:-}
mkdir -p "$work"
dirs=("$work")
[ -n "$seeds" ] && [ -d "$seeds" ] && dirs+=("$seeds")
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
     -artifact_prefix="$work/" "${dirs[@]}"
