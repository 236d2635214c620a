#!/bin/sh
# The layer check on a small tree of its own: a clean stack passes, an
# include that goes up the stack fails and is named, a file of no layer is
# reported.
set -u
check=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$tree/low" "$tree/high"
cat >"$tree/DEVELOPERS.md" <<'GUIDE'
## Layers

| Layer | Holds | Files |
|---|---|---|
| low | the bottom | `low/` |
| high | the top | `high/` |
GUIDE
echo '#include <string>' >"$tree/low/Low.h"
echo '#include "Low.h"' >"$tree/high/High.h"
python3 "$check" --root "$tree" >"$tree/out" || fail "a clean stack was refused: $(cat "$tree/out")"

echo '#include "High.h"' >>"$tree/low/Low.h"
python3 "$check" --root "$tree" >"$tree/out"
[ $? -eq 1 ] || fail "an upward include passed"
grep -q 'low/Low.h:2: the low layer includes high/High.h of the high layer' "$tree/out" ||
	fail "the upward include was not named: $(cat "$tree/out")"

echo '#include <string>' >"$tree/low/Low.h"
: >"$tree/high/Stray.cpp"
sed -i 's#`high/`#`high/High`#' "$tree/DEVELOPERS.md"
python3 "$check" --root "$tree" >"$tree/out"
[ $? -eq 2 ] || fail "a file of no layer passed"
grep -q 'high/Stray.cpp: belongs to no layer' "$tree/out" || fail "the stray file was not named"
echo "ok"
