#!/usr/bin/env bash
# Starts a throw-away PostgreSQL 15 server in a new temporary folder on a free loopback port.
# Prints, for `eval "$(bash scripts/pg-start.sh)"`:
#   QS_PG_URL=postgresql://postgres@127.0.0.1:PORT/postgres
#   QS_PG_DIR=/tmp/qs-pg.XXXXXX        (hand it to scripts/pg-stop.sh)
# Everything else goes to stderr. Exits non-zero when no server could be started.
set -euo pipefail

PG_BIN=${PG_BIN:-/usr/lib/postgresql/15/bin}
if [[ ! -x "$PG_BIN/pg_ctl" ]]; then
  echo "pg-start: $PG_BIN/pg_ctl not found (install postgresql-15, see scripts/setup.sh)" >&2
  exit 1
fi

dir=$(mktemp -d "${TMPDIR:-/tmp}/qs-pg.XXXXXX")
chmod 755 "$dir"
# The server refuses to run as root: as root, run it as the postgres user in a folder it owns.
as_pg=()
if [[ $(id -u) -eq 0 ]]; then
  chown postgres:postgres "$dir"
  as_pg=(runuser -u postgres --)
fi

fail() {
  echo "pg-start: $1" >&2
  for log in "$dir/initdb.log" "$dir/server.log"; do
    [[ -f $log ]] && { echo "--- $log" >&2; tail -n 40 "$log" >&2; }
  done
  [[ -d $dir/data ]] && "${as_pg[@]}" "$PG_BIN/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$dir"
  exit 1
}

"${as_pg[@]}" "$PG_BIN/initdb" -D "$dir/data" -U postgres -A trust -E UTF8 --no-locale >"$dir/initdb.log" 2>&1 ||
  fail "initdb failed"

port_in_use() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

started=""
for _ in 1 2 3 4 5 6 7 8 9 10; do
  port=$((20000 + RANDOM % 30000))
  port_in_use "$port" && continue
  # A test server: durability is worth nothing here, speed is.
  if "${as_pg[@]}" "$PG_BIN/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
    -o "-c listen_addresses=127.0.0.1 -c port=$port -c unix_socket_directories=$dir -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" \
    start >&2; then
    started=$port
    break
  fi
done
[[ -n $started ]] || fail "the server did not start"

"$PG_BIN/pg_isready" -h 127.0.0.1 -p "$started" -t 30 >&2 || fail "the server does not answer on port $started"

echo "QS_PG_URL=postgresql://postgres@127.0.0.1:$started/postgres"
echo "QS_PG_DIR=$dir"
