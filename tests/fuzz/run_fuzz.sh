#!/usr/bin/env bash
# Gives a fuzz target a short run: a fresh corpus from the seeds (files or folders of files), a fixed seed, and the
# last lines of libFuzzer's report. A crash, a leak or a sanitizer report fails the run.
#   run_fuzz.sh TARGET WORK_DIR RUNS MAX_LEN SEED...
set -eu
target=$1 work=$2 runs=$3 max_len=$4
shift 4
rm -rf "$work"
mkdir -p "$work/corpus"
for seed in "$@"; do
    if [ -d "$seed" ]; then cp "$seed"/* "$work/corpus/"; else cp "$seed" "$work/corpus/"; fi
done
cd "$work"
"$target" -runs="$runs" -max_len="$max_len" -seed=1 -timeout=10 "$work/corpus" 2>&1 | tail -n 3
exit "${PIPESTATUS[0]}"
