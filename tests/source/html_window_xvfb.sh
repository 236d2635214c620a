#!/bin/sh
# The HTML window on a private Xvfb server, used as a user would: a page
# is opened, F11 in the visual window brings the HTML window, a tag is
# typed into the source, F10 goes back to the visual window, which must
# then show the new paragraph (more ink), and Ctrl+S saves: the file must
# hold the tag. Exit 77 skips the test when the X tools are missing. With
# EDITOR_SCREENSHOTS=FOLDER the windows are kept there as XWD files.
set -u
velmora=$1
common=$(cd "$(dirname "$0")/../common" && pwd)
extra_tools="python3"
. "$common/xvfb-session.sh"
. "$common/editor-session.sh"
. "$common/window-pictures.sh"

printf '<html><head><title>Words</title></head><body>\n<p>alpha beta</p>\n</body></html>\n' \
	>"$work/page.html"
"$velmora" "$work/page.html" >"$work/out.txt" 2>"$work/err.txt" &
app=$!
answer_welcome
visual=$(window_named 30 "^Velmora - Words - page.html\$" --onlyvisible)
[ -n "$visual" ] || fail "no visual window for the page"
wait_for_error_list
settled_picture before.xwd "$visual" || fail "xwd could not read the visual window"
before=$ink

focus "$visual" "the visual window"
xdotool key F11
html=$(window_named 20 "^Velmora HTML editor - Words" --onlyvisible)
[ -n "$html" ] || fail "F11 did not show the HTML window"
settled_picture html.xwd "$html" || fail "xwd could not read the HTML window"
keep html.xwd
focus "$html" "the HTML window"
# The start of the line "</body></html>".
xdotool key ctrl+Home Down Down
xdotool type --delay 30 '<p><b>gamma</b></p>'
xdotool key Return
window_named 20 "^\\*Velmora HTML editor - Words" >/dev/null ||
	fail "the typed tag did not mark the page changed"
settled_picture typed.xwd "$html" || fail "xwd could not read the HTML window"
keep typed.xwd

xdotool key F10
# The visual window reads the changed HTML as it comes to the front.
tries=0
while :; do
	settled_picture after.xwd "$visual" || fail "xwd could not read the visual window"
	[ "$ink" -gt $((before + 100)) ] && break
	tries=$((tries + 1))
	[ "$tries" -gt 5 ] &&
		fail "after F10 the visual window does not show the new paragraph ($before ink pixels before, $ink after)"
done
keep after.xwd

focus "$visual" "the visual window"
xdotool key ctrl+s
tries=0
until grep -qi '<b>gamma</b>' "$work/page.html"; do
	tries=$((tries + 1))
	[ "$tries" -gt 100 ] && { cat "$work/page.html"; fail "Ctrl+S did not write the typed tag"; }
	sleep 0.1
done
window_named 20 "^Velmora - Words - page.html\$" >/dev/null ||
	fail "the title still says unsaved"
xwd -silent -root >"$work/screen.xwd" && keep screen.xwd

# Closing one of the two windows only hides it; closing the other closes
# the page and ends the program.
focus "$visual" "the visual window"
xdotool key ctrl+w
sleep 0.5
focus "$html" "the HTML window"
xdotool key ctrl+w
app_ends 15 "the editor"
echo "saved the tag typed in the HTML window; visual window ink $before before, $ink after"
exit 0
