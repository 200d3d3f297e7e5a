#!/usr/bin/env bash
# Runs image fuzz targets from the seed corpus for a bounded time or number of runs. A crash, an
# input that takes over 2 s (the sanitizers make everything a few times slower), a process above
# 512 MB or a single allocation of 300 MB or more is a finding: it is kept in fuzz/crashers/ (the
# tests replay every file there from then on) and fails the run.
# Usage: fuzz/run_fuzzers.sh BUILD_DIR [LIMIT [TARGET...]]
#   LIMIT: a libFuzzer limit, -max_total_time=SECONDS (default 20) or -runs=COUNT
#   TARGET: bmp, ico, pcx, png, rescale (default all)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1
limit=${2:--max_total_time=20}
shift $(($# < 2 ? $# : 2))
targets=("$@")
if ((${#targets[@]} == 0)); then
    targets=(bmp ico pcx png rescale)
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for kind in "${targets[@]}"; do
    mkdir -p "$work/$kind"
    log="$work/$kind.log"
    if "$build/fuzz/${kind}_fuzzer" "$limit" -timeout=2 -rss_limit_mb=512 -malloc_limit_mb=300 \
        -print_final_stats=1 -artifact_prefix="$here/crashers/$kind-" "$work/$kind" "$here/corpus/$kind" >"$log" 2>&1; then
        runs=$(awk '/^stat::number_of_executed_units/ {print $2}' "$log")
        echo "$kind: $runs executions, no finding"
    else
        echo "$kind: FINDING (kept in fuzz/crashers/)"
        grep -v '^libpng' "$log" | tail -60
        status=1
    fi
done
exit $status
