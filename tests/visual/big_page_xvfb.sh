#!/bin/sh
# A page of about 1.5 MB on a private Xvfb server, used as a user would: the
# visual window shows the page's first part while the rest is built, a word
# is typed at once and Ctrl+S pressed. The file on disk must hold the word
# and the whole page, up to its last paragraph. Exit 77 skips the test when
# the X tools are missing. With EDITOR_SCREENSHOTS=FOLDER the window while
# the page is built and after the save is kept there as XWD files.
set -u
velmora=$1
common=$(cd "$(dirname "$0")/../common" && pwd)
extra_tools="python3"
. "$common/xvfb-session.sh"
. "$common/editor-session.sh"
. "$common/window-pictures.sh"

# A first start welcomes the user; the test works in a later one.
printf '<html><head><title>Words</title></head><body><p>small</p></body></html>\n' \
	>"$work/small.html"
first_start "$work/small.html" "^Velmora - Words - small.html\$"

python3 - "$work/page.html" <<'PYTHON'
import sys
parts = ['<html><head><title>Words</title></head><body>\n<p>opening words</p>\n']
size, section = 0, 0
while size < 1500000:
    part = ('<h2>Section %d</h2>\n<p>Some <b>bold %d</b> and <i>slanted</i> words, a '
            '<a href="#s%d">link</a> and text.</p>\n<ul><li>first %d</li><li>second</li></ul>\n'
            % (section, section, section, section))
    parts.append(part)
    size += len(part)
    section += 1
parts.append('<p>closing words</p>\n</body></html>\n')
open(sys.argv[1], 'w').write(''.join(parts))
PYTHON

"$velmora" "$work/page.html" >"$work/out.txt" 2>"$work/err.txt" &
app=$!
window=$(window_named 60 "^Velmora - Words - page.html\$")
[ -n "$window" ] || fail "no visual window for the big page"
# Keys typed while the page file is still parsed would go into the text
# shown before it: the word is typed once the first screen is drawn.
settled_picture building.xwd "$window" || fail "could not take a picture of the window"
keep building.xwd
# The error list comes forward with what the reading found and then hands
# the keyboard back to the visual window: keys typed in between would go to
# the list, so the word is typed once the visual window has it again.
wait_for_error_list
tries=0
until [ "$(xdotool getwindowfocus -f 2>/dev/null)" = "$window" ] || [ "$tries" -gt 600 ]; do
	tries=$((tries + 1))
	sleep 0.1
done
xdotool windowfocus --sync "$window" || fail "could not focus the visual window"
# The first line is the opening paragraph: the word goes in front of it.
xdotool key ctrl+Home Down
xdotool type "typed "
window_named 240 "^\\*Velmora - Words" >/dev/null || fail "the typed word did not mark the page changed"
# The first key builds the rest of the page, then Ctrl+S writes it: under
# the sanitizers that takes minutes. Ctrl+S is pressed again, in the visual
# window, while the file does not hold the word: a save changes nothing
# the first one wrote.
tries=0
until grep -q "closing words" "$work/page.html" && grep -q "typed" "$work/page.html"; do
	if [ $((tries % 300)) -eq 0 ]; then
		xdotool windowfocus --sync "$window" && xdotool key ctrl+s
	fi
	tries=$((tries + 1))
	[ "$tries" -gt 2400 ] && fail "Ctrl+S did not write the whole page with the typed word"
	sleep 0.1
done
grep -q "typed opening words" "$work/page.html" || fail "the typed word is not where it was typed"
grep -q "Section 5000" "$work/page.html" || fail "the saved page lost its middle"
xwd -silent -id "$window" >"$work/saved.xwd" && keep saved.xwd
xdotool windowfocus --sync "$window" && xdotool key ctrl+w
app_ends 30 "the editor"
echo "the big page was saved whole with the typed word"
exit 0
