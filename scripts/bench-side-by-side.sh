#!/usr/bin/env bash
# Builds the side-by-side benchmark (Release, no sanitizers) and runs it: each operation of the
# library beside the same work through the SQLite C API with statements prepared once, on one
# SQLite file (WAL, synchronous FULL), interleaved rep by rep, at each registry size.
#   bash scripts/bench-side-by-side.sh [--sizes 10000,100000,1000000] [--reps 5] [--show-sql]
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

"$build/bench/quillstone_side_by_side" "$@"
