#!/bin/sh
# The preferences window on a private Xvfb server, used as a user would: a
# page is opened, Edit > Preferences… chosen, the page's title typed into
# the title field (no Enter), every category shown, the window closed with
# Ctrl+W and the page saved with Ctrl+S. The file on disk must carry the
# new title, and the settings file the author typed on the program panel.
# Exit 77 skips the test when the X tools are missing. With
# EDITOR_SCREENSHOTS=FOLDER each panel is kept there as an XWD file.
set -u
velmora=$1
common=$(cd "$(dirname "$0")/../common" && pwd)
. "$common/xvfb-session.sh"
. "$common/editor-session.sh"

page='<html><head><title>Words</title></head><body><p>alpha beta gamma</p></body></html>'
printf '%s\n' "$page" >"$work/page.html"
start_past_first_start "$work/page.html" "^Velmora - Words - page.html\$"
window=$(window_named 30 "^Velmora - Words - page.html\$")
[ -n "$window" ] || fail "no visual window for page.html"
wait_for_error_list
xdotool windowfocus --sync "$window" || fail "could not focus the visual window"

# Preferences… is the last item of the Edit menu.
xdotool key alt+e
sleep 0.5
xdotool key Up Return
preferences=$(window_named 20 "^Preferences\$")
[ -n "$preferences" ] || fail "Edit > Preferences… showed no preferences window"
eval "$(xdotool getwindowgeometry --shell "$preferences")"
# Without a window manager a window takes the keyboard under the pointer.
xdotool mousemove $((X + 300)) $((Y + 53)) click 1
sleep 0.5
xwd -silent -id "$preferences" >"$work/prefs-page.xwd" && keep prefs-page.xwd
xdotool key End BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 30 "Fresh title"

# The categories: one line each in the list on the left.
xdotool mousemove $((X + 40)) $((Y + 30)) click 1
sleep 0.5
xdotool mousemove $((X + 300)) $((Y + 53)) click 1
xdotool type --delay 30 "Ann Smith"
xdotool key Return
sleep 0.5
xwd -silent -id "$preferences" >"$work/prefs-program.xwd" && keep prefs-program.xwd
xdotool mousemove $((X + 40)) $((Y + 46)) click 1
sleep 0.5
xwd -silent -id "$preferences" >"$work/prefs-about.xwd" && keep prefs-about.xwd
xdotool mousemove $((X + 40)) $((Y + 14)) click 1
sleep 0.3

xdotool key ctrl+w
tries=0
while xdotool search --onlyvisible --name "^Preferences\$" >/dev/null 2>&1; do
	tries=$((tries + 1))
	[ "$tries" -gt 100 ] && fail "Ctrl+W did not close the preferences window"
	sleep 0.1
done
window_named 20 "^\\*Velmora - Fresh title" >/dev/null ||
	fail "closing the preferences did not mark the page changed with its new title"
window=$(window_named 5 "Velmora - Fresh title")
xdotool windowfocus --sync "$window" || fail "could not focus the visual window"
xdotool key ctrl+s
tries=0
until grep -q "<TITLE>Fresh title</TITLE>" "$work/page.html"; do
	tries=$((tries + 1))
	[ "$tries" -gt 100 ] && fail "the saved page has not the new title: $(cat "$work/page.html")"
	sleep 0.1
done
grep -q 'CONTENT="Ann Smith"' "$work/page.html" || fail "the saved page is not signed by the author"
grep -q "Ann Smith" "$work/config/Korvane/Velmora_settings" ||
	fail "the settings file does not hold the author"

xdotool key ctrl+w
app_ends 15 "the editor, its only page closed,"
echo "title typed in the preferences reached the saved page; author kept in the settings"
exit 0
