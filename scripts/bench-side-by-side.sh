#!/usr/bin/env bash
# Builds the side-by-side benchmark (Release, no sanitizers) and runs it: each operation of the
# library beside the same work through the SQLite C API with statements prepared once, on one
# SQLite file (WAL, synchronous FULL), interleaved rep by rep, at each registry size.
#   bash scripts/bench-side-by-side.sh [--sizes 10000,100000,1000000] [--reps 5] [--show-sql]
#   bash scripts/bench-side-by-side.sh --pg [--sizes ...] [--reps ...]
# With --pg the library runs on a throw-away PostgreSQL server started here (and stopped again):
# only the library is timed, and its round trips are counted from the server's statement log.
# The table (Markdown) goes to stdout, progress to stderr. The build folder is build-sbs, or
# $QS_SBS_BUILD; the database file is made in $TMPDIR and removed afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${QS_SBS_BUILD:-build-sbs}
bash scripts/setup.sh >&2
# GCC 12 at -O3 reports a false -Wrestrict inside std::string's inlined copy; keep it a warning.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQS_BUILD_BENCH=ON -DQS_SANITIZE=OFF \
  -DQS_BUILD_TESTS=OFF -DQS_BUILD_TOOLS=OFF -DCMAKE_CXX_FLAGS=-Wno-error=restrict >&2
cmake --build "$build" -j2 --target quillstone_side_by_side >&2

use_pg=0
args=()
for arg in "$@"; do
  if [[ $arg == --pg ]]; then use_pg=1; else args+=("$arg"); fi
done
if [[ $use_pg -eq 1 ]]; then
  pg_env=$(bash scripts/pg-start.sh)
  eval "$pg_env"
  trap 'bash scripts/pg-stop.sh "$QS_PG_DIR"' EXIT
  trap 'exit 130' INT TERM
  args+=(--pg "$QS_PG_URL" --pg-log "$QS_PG_DIR/server.log")
fi

"$build/bench/quillstone_side_by_side" "${args[@]}"
