#!/bin/sh
# The visual window on a private Xvfb server, used as a user would: a page
# is opened, a word selected with the keyboard, Ctrl+B pressed, a word typed
# after it and Ctrl+S pressed. The file on disk must be the page as the
# editor writes it with just these edits: it is compared with the program's
# own writing of that page. Then the page is copied, and a program that
# asks for the clipboard and is gone before the answer must not end the
# editor. Exit 77 skips the test when the X tools are
# missing. With EDITOR_SCREENSHOTS=FOLDER the window and its open Edit menu
# are kept there as XWD files.
set -u
velmora=$1
common=$(cd "$(dirname "$0")/../common" && pwd)
extra_tools="cmp python3"
. "$common/xvfb-session.sh"
. "$common/editor-session.sh"

page() {
	printf '<html><head><title>Words</title></head><body><p>alpha %s gamma</p></body></html>\n' "$1"
}

# A first start welcomes the user; the test works in a later one.
page "beta" >"$work/page.html"
start_past_first_start "$work/page.html" "^Velmora - Words - page.html\$"
visual_window page.html
sleep 1
xwd -silent -id "$window" >"$work/window.xwd" && keep window.xwd
# "beta" is counted from the start of the paragraph's line (Home on the
# last line, the room the paragraph takes before it being a line of its
# own); it is selected character by character, as word steps differ
# between editors. Then a word is typed in front of "gamma" (a space typed
# in front of a space only steps over it).
xdotool key ctrl+End Home Right Right Right Right Right Right
xdotool key shift+Right shift+Right shift+Right shift+Right
xdotool key ctrl+b
xdotool key ctrl+End Home Right Right Right Right Right Right Right Right Right Right Right
xdotool type "delta "
window_named 20 "^\\*Velmora - Words" >/dev/null || fail "the typed edits did not mark the page changed"
xdotool key ctrl+s
saved_with delta || fail "Ctrl+S wrote nothing"
[ -z "$(xdotool search --name '^\*Velmora' || true)" ] || fail "the title still says unsaved"

xdotool key alt+e
sleep 1
xwd -silent -root >"$work/menu.xwd" && keep menu.xwd
xdotool key Escape

page "<b>beta</b> delta" >"$work/expected.html"
"$velmora" --roundtrip "$work/expected.html" -o "$work/expected-saved.html" ||
	fail "the program could not write the expected page"
if ! cmp -s "$work/page.html" "$work/expected-saved.html"; then
	echo "--- saved"; cat "$work/page.html"
	echo "--- expected"; cat "$work/expected-saved.html"
	fail "the saved page is not the page with the edits"
fi

# The page copied, another program asks for the clipboard and is gone
# before the editor answers: the editor lives on.
xdotool windowfocus --sync "$window" && xdotool key ctrl+a ctrl+c
sleep 0.5
owner=$(python3 "$common/vanishing-requestor.py") || fail "could not ask for the clipboard"
[ "$owner" != "0x0" ] || fail "Ctrl+C gave the desktop no clipboard"
sleep 1
kill -0 "$app" 2>/dev/null || app_ends 1 "the editor, answering a window that was gone,"
xdotool windowfocus --sync "$window" && xdotool key ctrl+w
app_ends 15 "the editor"
echo "saved as expected"
exit 0
