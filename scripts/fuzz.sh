#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz (apart from the test build) and runs each
# for a bounded time, starting from its seed inputs under fuzz/seeds/. New inputs the fuzzer finds
# go to a scratch folder; a crash leaves its input as build-fuzz/<Target>-crash-* and fails the run.
#
#   scripts/fuzz.sh [SECONDS_PER_TARGET]    (default 60; CI runs a few seconds)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
targets=(FilterFuzz BarCodeFuzz RuleJsonFuzz PictureScanFuzz)

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DQS_BUILD_TESTS=OFF -DQS_BUILD_TOOLS=OFF -DQS_BUILD_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" >/dev/null
cmake --build build-fuzz -j2 --target "${targets[@]}"

export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for target in "${targets[@]}"; do
  found=$(mktemp -d)
  echo "fuzz: $target for ${seconds}s"
  build-fuzz/fuzz/"$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="build-fuzz/$target-" "$found" "fuzz/seeds/$target" 2>"build-fuzz/$target.log" ||
    status=$?
  grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb|Done)" "build-fuzz/$target.log" || true
  [[ $status -eq 0 ]] || { tail -40 "build-fuzz/$target.log"; break; }
  rm -rf "$found"
done
exit "$status"
