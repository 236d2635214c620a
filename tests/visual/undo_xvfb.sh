#!/bin/sh
# Undo and redo in the visual window on a private Xvfb server, as a user
# meets them: a word typed in front of a paragraph with bold text, Ctrl+Z,
# Ctrl+S; the saved page must be the page as it was, bold and all. Ctrl+Z
# again and Ctrl+S: the saved page must hold the word once more. Exit 77
# skips the test when the X tools are missing. With
# EDITOR_SCREENSHOTS=FOLDER the window after the undo and after the redo is
# kept there as XWD files.
set -u
velmora=$1
common=$(cd "$(dirname "$0")/../common" && pwd)
extra_tools=""
. "$common/xvfb-session.sh"
. "$common/editor-session.sh"

cat >"$work/page.html" <<'PAGE'
<html><head><title>Undo</title></head><body><p>one <b>bold</b> word</p></body></html>
PAGE

"$velmora" "$work/page.html" >"$work/out.txt" 2>"$work/err.txt" &
app=$!
answer_welcome
window=$(window_named 20 "^Velmora - Undo - page.html\$")
[ -n "$window" ] || fail "no visual window for the page"
wait_for_error_list
xdotool windowfocus --sync "$window" || fail "could not focus the visual window"

xdotool key ctrl+End Home
xdotool type --delay 60 "new "
window_named 20 "^\\*Velmora - Undo" >/dev/null || fail "typing did not mark the page changed"
xdotool key ctrl+z
xdotool key ctrl+s
saved_with "<B>bold</B>" || fail "Ctrl+S after Ctrl+Z wrote nothing"
xwd -silent -id "$window" >"$work/undone.xwd" && keep undone.xwd
grep -q "new" "$work/page.html" && fail "the typed word is still in the page after Ctrl+Z: $(cat "$work/page.html")"
grep -q "<P>one <B>bold</B> word</P>" "$work/page.html" ||
	fail "the page after Ctrl+Z is not the page as it was: $(cat "$work/page.html")"

xdotool key ctrl+z
window_named 20 "^\\*Velmora - Undo" >/dev/null || fail "the redo did not mark the page changed"
xdotool key ctrl+s
saved_with "new one" || fail "the second Ctrl+Z did not bring the typed word back: $(cat "$work/page.html")"
xwd -silent -id "$window" >"$work/redone.xwd" && keep redone.xwd
grep -q "<P>new one <B>bold</B> word</P>" "$work/page.html" ||
	fail "the redone page is not the typed page: $(cat "$work/page.html")"

xdotool key ctrl+w
app_ends 15 "the editor, its page saved and closed,"
echo "undone and redone, both saved"
exit 0
