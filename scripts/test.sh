#!/usr/bin/env bash
# Builds the test suite with the sanitizers and runs it on SQLite and on a throw-away
# PostgreSQL server, builds and runs the example client against the installed library, then runs
# each fuzz target briefly; exits with the first failing status.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build-test -G Ninja -DQS_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
cmake --build build-test -j2

pg_env=$(bash scripts/pg-start.sh)
eval "$pg_env"
export QS_PG_URL QS_PG_DIR
trap 'bash scripts/pg-stop.sh "$QS_PG_DIR"' EXIT
trap 'exit 130' INT TERM
echo "test: PostgreSQL at $QS_PG_URL"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
ctest --test-dir build-test --output-on-failure -j2 || status=$?

# The example client, built against the library as installed.
example_status=0
bash scripts/example.sh build-test || example_status=$?
[[ $status -ne 0 ]] || status=$example_status

# A few seconds of each fuzz target, built apart in build-fuzz; the first failure decides.
fuzz_status=0
bash scripts/fuzz.sh "${QS_FUZZ_SECONDS:-5}" || fuzz_status=$?
[[ $status -ne 0 ]] || status=$fuzz_status
exit "$status"
