#!/bin/sh
# Starts the editor from the build on a private Xvfb server as a user would:
# first with no argument (a first start: the welcome alert is answered, the
# start-up page shows), then on a page of text and on an empty page. Each
# time its visual window must appear, show the page's text (dark pixels on
# the screen that the empty page does not have), and close with Ctrl+W, the
# window's own close command, which closes the only page and so ends the
# program: no process may be left behind. Exit 77 skips the test when the
# X tools are missing. With EDITOR_SCREENSHOTS=FOLDER the windows are kept
# there as XWD files.
set -u
velmora=$1
common=$(cd "$(dirname "$0")/../common" && pwd)
extra_tools="od awk"
. "$common/xvfb-session.sh"
. "$common/editor-session.sh"

# The processes of the command on this test's display: other tests may run
# the same command on theirs at the same time.
editors_on_this_display() {
	for pid in $(pgrep -f -x "$command" || true); do
		tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" && echo "$pid"
	done
}

# The dark pixels of an XWD picture of 32 bits a pixel (Xvfb at depth 24):
# the pixels are the file's last width * height * 4 bytes.
dark_pixels() {
	geometry=$(xdotool getwindowgeometry "$2" | awk '/Geometry/ { print $2 }')
	width=${geometry%x*}
	height=${geometry#*x}
	tail -c $((width * height * 4)) "$1" | od -An -v -tu1 -w4 |
		awk '$1 < 90 && $2 < 90 && $3 < 90 { dark++ } END { print dark + 0 }'
}

# Starts the editor, waits for its visual window (its title names the
# page file), keeps its picture as NAME.xwd and sets dark to its dark
# pixels. Answers the welcome alert of a first start with Enter.
run_editor() {
	name=$1
	file=$2
	shift 2
	"$velmora" "$@" >"$work/out.txt" 2>"$work/err.txt" &
	app=$!
	[ "$name" = "start" ] && answer_welcome
	window=$(window_named 20 "^Velmora - .* - $file\$")
	[ -n "$window" ] || fail "no visual window for $file"
	sleep 1.5
	if ! xwd -silent -id "$window" >"$work/$name.xwd"; then
		kill -0 "$app" 2>/dev/null || app_ends 1 "the editor, showing $file,"
		fail "xwd could not read the visual window of $file"
	fi
	keep "$name.xwd"
	dark=$(dark_pixels "$work/$name.xwd" "$window")
	command="$velmora${*:+ $*}"

	xdotool windowfocus --sync "$window" || fail "could not focus the visual window"
	xdotool key ctrl+w
	app_ends 15 "the editor, its only page closed,"
	[ -z "$(editors_on_this_display)" ] || fail "a process of the editor was left behind"
}

run_editor start StartUp.html
start=$dark
[ -s "$work/data/applications/velmora.desktop" ] || fail "the first start added no desktop entry"

printf '<html><head><title>Words</title></head><body>%s</body></html>\n' \
	"$(for i in 1 2 3 4 5 6 7 8; do printf '<p>Many plain words on line %s of this page.</p>' "$i"; done)" \
	>"$work/words.html"
printf '<html><head><title>Nothing</title></head><body></body></html>\n' >"$work/empty.html"
run_editor words words.html "$work/words.html"
words=$dark
run_editor empty empty.html "$work/empty.html"
empty=$dark

[ "$words" -gt $((empty + 300)) ] ||
	fail "the visual window does not show the page's text ($words dark pixels, $empty empty)"
[ "$start" -gt $((empty + 300)) ] ||
	fail "the start-up page shows no text ($start dark pixels, $empty empty)"
echo "start-up page $start, page of words $words, empty page $empty dark pixels; no process left"
exit 0
