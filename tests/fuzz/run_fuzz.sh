#!/usr/bin/env bash
# Builds the region parser's fuzz target with clang's libFuzzer and gives it a short run from the shipped shapes.
#   run_fuzz.sh SOURCE_DIR WORK_DIR RUNS
set -eu
src=$1 work=$2 runs=${3:-200000}
mkdir -p "$work/corpus"
cp "$src"/data/*.pts "$work/corpus/"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -I"$src" \
    "$src/platform/Region.cpp" "$src/tests/fuzz/RegionFuzz.cpp" -o "$work/region_fuzz"
"$work/region_fuzz" -runs="$runs" -max_len=8192 -seed=1 "$work/corpus" 2>&1 | tail -n 3
