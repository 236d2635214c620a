#!/bin/sh
# Find and replace in the visual window on a private Xvfb server, used as
# a user would: Ctrl+F shows the finder, a word typed in "Find:" and
# Enter select its first match, Ctrl+F shows the finder again over the
# window, the replacement is typed in "Replace:", Tab goes on to the
# "Replace all" button and Space presses it, and Ctrl+S saves: the file
# must hold the replacement at every match and the other words as they
# were. Exit 77 skips the test when the X tools are missing. With
# EDITOR_SCREENSHOTS=FOLDER the finder over the window with the match
# selected is kept there as finder.xwd.
set -u
velmora=$1
common=$(cd "$(dirname "$0")/../common" && pwd)
extra_tools=""
. "$common/xvfb-session.sh"
. "$common/editor-session.sh"

# Shows the finder by Ctrl+F in the visual window and gives it the keyboard.
show_finder() {
	focus "$visual" "the visual window"
	xdotool key ctrl+f
	finder=$(window_named 20 "^Finder\$" --onlyvisible)
	[ -n "$finder" ] || fail "Ctrl+F did not show the finder"
	focus "$finder" "the finder"
}

printf '<html><head><title>Pets</title></head><body>\n<p>The cat sat; a concatenated cat ran.</p>\n</body></html>\n' \
	>"$work/page.html"
"$velmora" "$work/page.html" >"$work/out.txt" 2>"$work/err.txt" &
app=$!
answer_welcome
visual=$(window_named 30 "^Velmora - Pets - page.html\$" --onlyvisible)
[ -n "$visual" ] || fail "no visual window for the page"
wait_for_error_list

show_finder
xdotool type --delay 30 'cat'
xdotool key Return
# Enter finds and hides the finder; shown again, it floats over the
# window with the match selected.
sleep 0.5
show_finder
xwd -silent -root >"$work/finder.xwd" && keep finder.xwd

# From "Find:", Tab reaches "Replace:", then the three check boxes, "Find",
# "Replace" and "Replace all". Whole word leaves concatenated alone.
xdotool key Tab
xdotool type --delay 30 'dog'
xdotool key Tab Tab space Tab Tab Tab Tab space
sleep 0.5
focus "$visual" "the visual window"
xdotool key ctrl+s
saved_with 'The dog sat; a concatenated dog ran.' ||
	{ cat "$work/page.html"; fail "the saved page does not hold the replacements"; }
grep -q 'cat ' "$work/page.html" && fail "a cat is left in the saved page"

focus "$visual" "the visual window"
xdotool key ctrl+w
app_ends 15 "the editor"
echo "replaced both whole-word matches of cat and saved the page"
