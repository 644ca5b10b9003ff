#!/bin/sh
# Runs every fuzz target of a GEO_FUZZ build for a while, then merges what it found into the
# committed corpus. Usage: run-fuzz.sh BUILD_DIR SECONDS JOBS. Stops at the first finding,
# leaving the input in BUILD_DIR/findings/<target>/.
set -e
build=$(cd "$1" && pwd)
seconds=$2
jobs=$3
src=$(cd "$(dirname "$0")/.." && pwd)
# A small quarantine of freed blocks, so that the 512 MB limit measures the library's own memory.
export ASAN_OPTIONS="quarantine_size_mb=32${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
for program in "$build"/fuzz/fuzz_*; do
    target=${program##*/fuzz_}
    corpus=$src/fuzz/corpus/$target
    scratch=$build/new-corpus/$target
    findings=$build/findings/$target
    mkdir -p "$corpus" "$scratch" "$findings"
    dict=""
    if [ -f "$src/fuzz/$target.dict" ]; then dict="-dict=$src/fuzz/$target.dict"; fi
    echo "== $target: $seconds s on $jobs jobs"
    # New inputs go to the scratch directory; libFuzzer writes its job logs to the current one.
    (cd "$findings" && "$program" "$scratch" "$corpus" $dict -max_total_time="$seconds" \
        -jobs="$jobs" -workers="$jobs" -timeout=1 -rss_limit_mb=512 -print_final_stats=1 \
        -artifact_prefix="$findings/" >/dev/null 2>&1) || true
    tail -n 12 "$findings"/fuzz-0.log | grep -E "^(#|stat::number_of_executed_units|Done)" || true
    if ls "$findings" | grep -qE '^(crash|leak|timeout|oom)-'; then
        echo "finding kept in $findings"
        exit 1
    fi
    "$program" -merge=1 "$corpus" "$scratch" >/dev/null 2>&1
done
