#!/usr/bin/env bash
# Restarts a server started by scripts/pg-start.sh, on the same port, dropping every connection
# (the reconnection tests use it). Usage: bash scripts/pg-restart.sh DIR
set -euo pipefail

PG_BIN=${PG_BIN:-/usr/lib/postgresql/15/bin}
dir=${1:?usage: pg-restart.sh DIR}
as_pg=()
[[ $(id -u) -eq 0 ]] && as_pg=(runuser -u postgres --)
"${as_pg[@]}" "$PG_BIN/pg_ctl" -D "$dir/data" -l "$dir/server.log" -m fast -w -t 60 restart >&2
