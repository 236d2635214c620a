#!/bin/sh
# Runs the gallery headless with --dump and checks that it wrote its window
# and an alert as PNG files of the expected sizes.
set -u
gallery=$1
# Under the sanitizers, what fontconfig keeps for the life of the process is
# not the program's leak.
here=$(cd "$(dirname "$0")" && pwd)
LSAN_OPTIONS="suppressions=$here/../../common/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export LSAN_OPTIONS
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$gallery" --headless --dump "$work/gallery.png" --dump-alert "$work/alert.png" || {
	echo "FAILED: the gallery ended with an error"; exit 1; }
for png in gallery alert; do
	[ -s "$work/$png.png" ] || { echo "FAILED: no $png.png"; exit 1; }
	# The PNG signature, then the IHDR chunk.
	head -c 8 "$work/$png.png" | od -An -tx1 | grep -q "89 50 4e 47" || {
		echo "FAILED: $png.png is not a PNG"; exit 1; }
done
width=$(od -An -tu1 -j16 -N4 "$work/gallery.png" | awk '{ print $3 * 256 + $4 }')
[ "$width" -eq 960 ] || { echo "FAILED: the gallery is $width wide, not 960"; exit 1; }
echo "the gallery and an alert were written"
