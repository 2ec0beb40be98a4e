#!/usr/bin/env bash
# Builds the benchmarks (Release, no sanitizers, no tests) and runs them on SQLite, and on
# PostgreSQL as well: on the server named by QS_PG_URL, else on a throw-away one started here
# (skip that with --no-pg). Other arguments go to the benchmark program, e.g.
#   bash scripts/bench.sh --benchmark_filter=barcodes
# The build folder is build-bench, or $QS_BENCH_BUILD.
set -euo pipefail
cd "$(dirname "$0")/.."

use_pg=1
args=()
for arg in "$@"; do
  if [[ $arg == --no-pg ]]; then use_pg=0; else args+=("$arg"); fi
done
build=${QS_BENCH_BUILD:-build-bench}

bash scripts/setup.sh
# GCC 12 at -O3 reports a false -Wrestrict inside std::string's inlined copy; keep it a warning.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQS_BUILD_BENCH=ON -DQS_SANITIZE=OFF \
  -DQS_BUILD_TESTS=OFF -DQS_BUILD_TOOLS=OFF -DCMAKE_CXX_FLAGS=-Wno-error=restrict
cmake --build "$build" -j2 --target quillstone_bench

if [[ $use_pg -eq 0 ]]; then
  unset QS_PG_URL
elif [[ -z ${QS_PG_URL:-} ]]; then
  pg_env=$(bash scripts/pg-start.sh)
  eval "$pg_env"
  export QS_PG_URL QS_PG_DIR
  trap 'bash scripts/pg-stop.sh "$QS_PG_DIR"' EXIT
  trap 'exit 130' INT TERM
fi
[[ -n ${QS_PG_URL:-} ]] && echo "bench: PostgreSQL at $QS_PG_URL"

"$build/bench/quillstone_bench" "${args[@]}"
