#!/usr/bin/env bash
# Stops a server started by scripts/pg-start.sh and removes its folder.
# Usage: bash scripts/pg-stop.sh [DIR]   (DIR defaults to $QS_PG_DIR)
set -uo pipefail

PG_BIN=${PG_BIN:-/usr/lib/postgresql/15/bin}
dir=${1:-${QS_PG_DIR:-}}
if [[ -z $dir || ! -d $dir ]]; then
  echo "pg-stop: no server folder given (argument or QS_PG_DIR)" >&2
  exit 1
fi

as_pg=()
[[ $(id -u) -eq 0 ]] && as_pg=(runuser -u postgres --)
if [[ -d $dir/data ]]; then
  "${as_pg[@]}" "$PG_BIN/pg_ctl" -D "$dir/data" -m fast -w stop >&2 ||
    "${as_pg[@]}" "$PG_BIN/pg_ctl" -D "$dir/data" -m immediate -w stop >&2 || true
fi
rm -rf "$dir"
