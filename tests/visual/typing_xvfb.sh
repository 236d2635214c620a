#!/bin/sh
# Types into a page in the visual window on a private Xvfb server, as a
# user does: arrow keys into an underlined word, then letters. The window's
# pictures before and after must show the decorations drawn over the text
# (the link's blue underline, black underlines and strike-through lines,
# the grey rule), the underline grown under the typed letters; closing the
# window must ask to save the typed page, and saving it must write the
# letters inside the underlined run. Exit 77 skips the test when the X tools
# are missing. With EDITOR_SCREENSHOTS=FOLDER the pictures are kept there as
# XWD files.
set -u
velmora=$1
common=$(cd "$(dirname "$0")/../common" && pwd)
extra_tools="od awk"
. "$common/xvfb-session.sh"
. "$common/editor-session.sh"

# The longest horizontal runs of pure colours in an XWD picture of 32 bits
# a pixel (blue, green, red, pad): "black blue grey LINES", LINES being the
# rows that hold a black run of 30 pixels or more (text has none so long).
runs() {
	geometry=$(xdotool getwindowgeometry "$2" | awk '/Geometry/ { print $2 }')
	width=${geometry%x*}
	height=${geometry#*x}
	tail -c $((width * height * 4)) "$1" | od -An -v -tu1 -w4 | awk -v width="$width" '
		function close_row() {
			if (black > row_black) row_black = black
			if (row_black >= 30) lines++
			if (row_black > most_black) most_black = row_black
			black = 0; blue = 0; grey = 0; row_black = 0
		}
		{
			if ((NR - 1) % width == 0) close_row()
			black = ($1 == 0 && $2 == 0 && $3 == 0) ? black + 1 : 0
			blue = ($1 == 255 && $2 == 0 && $3 == 0) ? blue + 1 : 0
			grey = ($1 == 170 && $2 == 170 && $3 == 170) ? grey + 1 : 0
			if (black > row_black) row_black = black
			if (blue > most_blue) most_blue = blue
			if (grey > most_grey) most_grey = grey
		}
		END { close_row(); print most_black + 0, most_blue + 0, most_grey + 0, lines + 0 }'
}

cat >"$work/page.html" <<'PAGE'
<html><head><title>Typing</title></head><body link="#0000FF">
<p><u>Underlined words that run on for a while</u> and a <a href="other.html">link to
another page</a>, <strike>struck out words</strike> and <s>words struck by S</s>.</p>
<hr>
<p>Below the rule.</p>
</body></html>
PAGE

# Takes the window's picture as NAME.xwd until its runs (set as $1 to $4)
# pass the test given, for up to ten seconds: a loaded machine may take a
# while to draw.
picture() {
	name=$1
	shift
	tries=0
	while :; do
		xwd -silent -id "$window" >"$work/$name.xwd" || fail "xwd could not read the window"
		keep "$name.xwd"
		measured=$(runs "$work/$name.xwd" "$window")
		# shellcheck disable=SC2086
		set -- $measured
		eval "$condition" && return 0
		tries=$((tries + 1))
		[ "$tries" -ge 20 ] && return 1
		sleep 0.5
	done
}

"$velmora" "$work/page.html" >"$work/out.txt" 2>"$work/err.txt" &
app=$!
answer_welcome
window=$(window_named 20 "^Velmora - .* - page.html\$")
[ -n "$window" ] || fail "no visual window for the page"
wait_for_error_list
condition='[ "$3" -ge 300 ] && [ "$1" -ge 100 ]'
picture before || fail "the page is not shown with its rule and underline ($measured)"
before_black=${measured%% *}

xdotool windowfocus --sync "$window" || fail "could not focus the visual window"
xdotool key Right Right Right Right Right
xdotool type --delay 60 "typed"
condition='[ "$1" -ge $((before_black + 20)) ]'
picture typed ||
	fail "the underline did not grow under the typed letters ($before_black, then $measured)"
set -- $measured
[ "$2" -ge 40 ] || fail "the link shows no blue underline after typing (longest run $2)"
[ "$3" -ge 300 ] || fail "the rule is not drawn after typing (longest grey run $3)"
[ "$4" -ge 3 ] || fail "underline and strike-through lines are missing after typing ($4 rows)"

xdotool key ctrl+w
ask=$(window_named 20 "^Alert$")
[ -n "$ask" ] || fail "closing the typed page did not ask to save it"
xdotool windowfocus --sync "$ask" && xdotool key Return
app_ends 15 "the editor, its page saved and closed,"
grep -q '<U>[^<]*typed[^<]*</U>' "$work/page.html" ||
	fail "the saved page lacks the typed letters in the underlined run: $(cat "$work/page.html")"
echo "underline $before_black, then $1 pixels long; link $2, rule $3; $4 decorated rows; saved"
exit 0
