#!/bin/sh
# The visual window and the desktop clipboard on a private Xvfb server:
# text copied in the editor is read by another X client as plain text and
# as HTML, with its bold; HTML another client puts on the clipboard is
# pasted as elements, whose styles the saved page keeps. Exit 77 skips the
# test when the X tools are missing. With EDITOR_SCREENSHOTS=FOLDER the
# window after the paste is kept there as an XWD file.
set -u
velmora=$1
common=$(cd "$(dirname "$0")/../common" && pwd)
extra_tools="xclip"
. "$common/xvfb-session.sh"
. "$common/editor-session.sh"

# Waits until the clipboard offers TARGET with text matching PATTERN.
clipboard_holds() {
	tries=0
	until xclip -o -selection clipboard -t "$1" 2>/dev/null | grep -q "$2"; do
		tries=$((tries + 1))
		[ "$tries" -gt 100 ] && return 1
		sleep 0.1
	done
	return 0
}

printf '<html><head><title>Words</title></head><body><p>plain <b>bold words</b> end</p></body></html>\n' \
	>"$work/page.html"
start_past_first_start "$work/page.html" "^Velmora - Words - page.html\$"
visual_window page.html
xdotool key ctrl+a ctrl+c
clipboard_holds text/html "<B>bold words</B>" ||
	fail "another client read no HTML with the bold: $(xclip -o -selection clipboard -t text/html 2>&1)"
clipboard_holds UTF8_STRING "plain bold words end" ||
	fail "another client read no plain text: $(xclip -o -selection clipboard 2>&1)"
xclip -o -selection clipboard -t TARGETS | grep -qx "text/plain;charset=utf-8" ||
	fail "the targets name no text/plain"
xclip -o -selection clipboard | grep -q "$(printf '\017')" && fail "the plain text holds a placeholder"

# Another program copies HTML (and nothing else); it is pasted at the end.
printf '<meta charset="utf-8"><i>slanted</i> and <u onclick="x()">under</u><script>alert(1)</script>' |
	xclip -i -quiet -selection clipboard -t text/html >/dev/null 2>&1 &
other=$!
clipboard_holds text/html slanted || fail "the other client's HTML is not on the clipboard"
xdotool windowfocus --sync "$window" || fail "could not focus the visual window"
xdotool key ctrl+End ctrl+v
window_named 20 "^\\*Velmora - Words" >/dev/null || fail "the paste did not mark the page changed"
sleep 1
xwd -silent -id "$window" >"$work/pasted.xwd" && keep pasted.xwd
xdotool key ctrl+s
saved_with slanted || fail "Ctrl+S wrote no pasted text: $(cat "$work/page.html")"
grep -q "<I>slanted</I> and <U>under</U>" "$work/page.html" ||
	fail "the pasted HTML lost its styles: $(cat "$work/page.html")"
grep -qi "script\|onclick" "$work/page.html" && fail "the pasted script was kept: $(cat "$work/page.html")"
grep -q "<B>bold words</B>" "$work/page.html" || fail "the page lost its own bold"

kill "$other" 2>/dev/null
xdotool windowfocus --sync "$window" && xdotool key ctrl+w
app_ends 15 "the editor"
echo "copied and pasted through the desktop clipboard"
exit 0
