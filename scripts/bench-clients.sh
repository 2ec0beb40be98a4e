#!/usr/bin/env bash
# Registration throughput with 1, 2, 4 and 8 client programs registering through one rule at
# once, each registration its own transaction (register --chunk 1), on a SQLite file or, with
# --pg, on a throw-away PostgreSQL server started here. Prints clients, registrations, seconds,
# registrations per second, and whether every barcode stored is distinct.
#   bash scripts/bench-clients.sh [--pg] [--per-client 200]
set -euo pipefail
cd "$(dirname "$0")/.."

use_pg=0
per_client=200
while [[ $# -gt 0 ]]; do
  case $1 in
    --pg) use_pg=1 ;;
    --per-client) per_client=$2; shift ;;
    *) echo "usage: bench-clients.sh [--pg] [--per-client N]" >&2; exit 2 ;;
  esac
  shift
done

build=${QS_CLIENTS_BUILD:-build}
bash scripts/setup.sh >&2
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQS_SANITIZE=OFF -DQS_BUILD_TESTS=OFF >&2
cmake --build "$build" -j2 --target quillstone_cli >&2
qs=$build/tools/quillstone

work=$(mktemp -d)
cleanup() {
  [[ -n ${QS_PG_DIR:-} ]] && bash scripts/pg-stop.sh "$QS_PG_DIR" >&2
  rm -rf "$work"
}
trap cleanup EXIT
if [[ $use_pg -eq 1 ]]; then
  eval "$(bash scripts/pg-start.sh)"
fi

echo "| backend | clients | registrations | seconds | registrations/s | distinct |"
echo "|---|---:|---:|---:|---:|---|"
for clients in 1 2 4 8; do
  if [[ $use_pg -eq 1 ]]; then
    db=$QS_PG_URL
    psql -q "$QS_PG_URL" -c "drop schema public cascade; create schema public" >/dev/null
    backend=PostgreSQL
  else
    rm -f "$work"/t.db*
    db=sqlite:$work/t.db
    backend=SQLite
  fi
  "$qs" --db "$db" init --demo >/dev/null
  "$qs" --db "$db" rule create - >/dev/null <<'JSON'
{"ruleId": "RUN", "ruleName": "run", "length": 14, "items": [{"itemType": "ISTInventory", "length": 6},
 {"itemType": "ISTSequence", "length": 8, "relevantValue": "00000001"}]}
JSON
  "$qs" --db "$db" assign item P001 RUN >/dev/null
  start=$(date +%s.%N)
  pids=()
  for ((c = 0; c < clients; c++)); do
    "$qs" --db "$db" register P001 --count "$per_client" --chunk 1 >/dev/null &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid"; done
  end=$(date +%s.%N)
  total=$((clients * per_client))
  stored=$("$qs" --db "$db" --json list --rule RUN | grep -c '"barCode"')
  distinct=$("$qs" --db "$db" --json list --rule RUN | grep '"barCode"' | sort -u | wc -l)
  awk -v b="$backend" -v c="$clients" -v n="$total" -v s="$start" -v e="$end" -v st="$stored" -v d="$distinct" \
    'BEGIN { t = e - s; printf "| %s | %d | %d | %.2f | %.0f | %s |\n", b, c, n, t, n / t, (st == n && d == n) ? "yes" : "NO (" st " stored, " d " distinct)" }'
done
