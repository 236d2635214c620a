#!/bin/sh
# The elements palette on a private Xvfb server, driven from the keyboard
# as a user would. A page the checker rejects opens in the HTML window;
# Ctrl+P there shows the palette; the keys open "Font elements", pick
# FONT, choose size +1 from the value menu and type red as its color;
# Enter takes the typed value over and Enter again inserts the tag, which
# the HTML window must then show (more ink on it). Ctrl+W hides
# the palette. Exit 77 skips the test when the X tools are missing. With
# EDITOR_SCREENSHOTS=FOLDER the screen is kept there as XWD files.
set -u
velmora=$1
common=$(cd "$(dirname "$0")/../common" && pwd)
extra_tools="python3"
. "$common/xvfb-session.sh"
. "$common/editor-session.sh"
. "$common/window-pictures.sh"

shown_window() {
	window_named 20 "$1" --onlyvisible
}
keys() {
	for key in "$@"; do
		xdotool key "$key"
		sleep 0.2
	done
}

printf '<html><head><title>Words</title></head><body>\n<xyz>Some words</xyz>\n</body></html>\n' \
	>"$work/rejected.html"
"$velmora" "$work/rejected.html" >"$work/out.txt" 2>"$work/err.txt" &
app=$!
alert=$(shown_window "^Alert$")
[ -n "$alert" ] || fail "the first start showed no welcome alert"
xdotool windowfocus --sync "$alert" && xdotool key Return
html=$(shown_window "^Velmora HTML editor - ")
[ -n "$html" ] || fail "the rejected page did not open in the HTML window"
settled_picture before.xwd "$html" || fail "xwd could not read the HTML window"
keep before.xwd
before=$ink

xdotool windowfocus --sync "$html" && xdotool key ctrl+p
palette=$(shown_window "^HTML elements palette$")
[ -n "$palette" ] || fail "Ctrl+P in the HTML window showed no palette"
xdotool windowfocus --sync "$palette"
# Without a window manager a menu closes when the pointer is elsewhere.
eval "$(xdotool getwindowgeometry --shell "$palette")"
xdotool mousemove $((X + 60)) $((Y + HEIGHT - 20))
# The fourth category, its tenth tag; its second attribute; the eighth size.
keys Down Down Down Down Right Down Down Down Down Down Down Down Down Down Down
keys Tab Down Tab space Down Down Down Down Down Down Down Return
keys shift+Tab Down Tab
xdotool type --delay 50 red
keys Return
sleep 1
xwd -silent -root >"$work/palette.xwd"
keep palette.xwd
keys Return
settled_picture after.xwd "$html" || fail "xwd could not read the HTML window"
keep after.xwd
after=$ink
[ "$after" -gt $((before + 150)) ] ||
	fail "the HTML window does not show the inserted tag ($before ink pixels before, $after after)"

xdotool windowfocus --sync "$palette" && xdotool key ctrl+w
sleep 1
[ -z "$(xdotool search --onlyvisible --name '^HTML elements palette$' || true)" ] ||
	fail "Ctrl+W did not hide the palette"
echo "HTML window: $before ink pixels before the insertion, $after after; palette hidden"
exit 0
