#!/usr/bin/env bash
# The example client as a user of the library builds it: installs the library from a build folder
# (default build-test) into a temporary prefix, builds examples/scan-and-verify against it with
# find_package(Quillstone), and runs it on a label the demo printed. The client must identify the
# barcode, verify it against its own item and refuse another item.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-test}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
# A sanitized library needs a sanitized program to link it.
flags=""
if grep -q '^QS_SANITIZE:BOOL=ON' "$build/CMakeCache.txt"; then flags="-fsanitize=address,undefined"; fi
cmake -S examples/scan-and-verify -B "$work/build" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >/dev/null
cmake --build "$work/build"
client="$work/build/scan-and-verify"

"$build/tools/quillstone" --json demo --dir "$work/demo" >/dev/null
db="sqlite:$work/demo/demo.db"
label=$(find "$work/demo" -name '*.png' | sort | head -n 1)
[[ -n $label ]] || { echo "example: the demo printed no label" >&2; exit 1; }

read_back=$("$client" "$db" "$label")
echo "example: $read_back"
item=$(sed -n 's/.*  item \([^ ]*\).*/\1/p' <<<"$read_back" | head -n 1)
[[ -n $item ]] || { echo "example: no item identified in $label" >&2; exit 1; }
"$client" "$db" "$label" "$item" | grep -q 'verified' || { echo "example: $label not verified for $item" >&2; exit 1; }
if "$client" "$db" "$label" NOSUCHITEM >"$work/refused.txt"; then
  echo "example: a label was accepted for another item" >&2
  exit 1
fi
grep -q 'refused: ' "$work/refused.txt"
echo "example: built against the installed package, identified, verified and refused as it should"
