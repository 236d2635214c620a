#!/bin/sh
# The visual window on a private Xvfb server, used as a user would: a page
# is opened, a word selected with the keyboard, Ctrl+B pressed, a word typed
# after it and Ctrl+S pressed. The file on disk must be the page as the
# editor writes it with just these edits: it is compared with the program's
# own writing of that page. Exit 77 skips the test when the X tools are
# missing. With EDITOR_SCREENSHOTS=FOLDER the window and its open Edit menu
# are kept there as XWD files.
set -u
velmora=$1
common=$(cd "$(dirname "$0")/../common" && pwd)
extra_tools="cmp"
. "$common/xvfb-session.sh"
unset VELMORA_DISPLAY
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"

# The bold command reaches the engine (the window tests show it), which
# formats the selection: the page is saved with the bold.
bold_formats=yes

keep() {
	[ -n "${EDITOR_SCREENSHOTS:-}" ] && cp "$work/$1" "$EDITOR_SCREENSHOTS/$1"
	return 0
}

# Waits for the visual window of the page file, and focuses it.
visual_window() {
	window=$(timeout 20 xdotool search --sync --name "^Velmora - .* - $1\$" | head -n 1)
	[ -n "$window" ] || fail "no visual window for $1"
	xdotool windowfocus --sync "$window" || fail "could not focus the visual window"
}

page() {
	printf '<html><head><title>Words</title></head><body><p>alpha %s gamma</p></body></html>\n' "$1"
}

# A first start welcomes the user; the test works in a later one.
page "beta" >"$work/page.html"
"$velmora" "$work/page.html" >"$work/out.txt" 2>"$work/err.txt" &
app=$!
alert=$(timeout 20 xdotool search --sync --name "^Alert$" | head -n 1)
[ -n "$alert" ] || fail "the first start showed no welcome alert"
xdotool windowfocus --sync "$alert" && xdotool key Return
visual_window page.html
xdotool key ctrl+w
app_ends 15 "the first start"

"$velmora" "$work/page.html" >"$work/out.txt" 2>"$work/err.txt" &
app=$!
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
xdotool key ctrl+s
tries=0
until grep -q delta "$work/page.html"; do
	tries=$((tries + 1))
	[ "$tries" -gt 100 ] && fail "Ctrl+S wrote nothing"
	sleep 0.1
done
[ -z "$(xdotool search --name '^\*Velmora' || true)" ] || fail "the title still says unsaved"

xdotool key alt+e
sleep 1
xwd -silent -root >"$work/menu.xwd" && keep menu.xwd
xdotool key Escape

if [ "$bold_formats" = yes ]; then
	page "<b>beta</b> delta" >"$work/expected.html"
else
	page "beta delta" >"$work/expected.html"
fi
"$velmora" --roundtrip "$work/expected.html" -o "$work/expected-saved.html" ||
	fail "the program could not write the expected page"
if ! cmp -s "$work/page.html" "$work/expected-saved.html"; then
	echo "--- saved"; cat "$work/page.html"
	echo "--- expected"; cat "$work/expected-saved.html"
	[ "$bold_formats" = no ] && grep -qi "<b>beta</b>" "$work/page.html" &&
		fail "the bold command formats now: set bold_formats=yes"
	fail "the saved page is not the page with the edits"
fi
xdotool windowfocus --sync "$window" && xdotool key ctrl+w
app_ends 15 "the editor"
echo "saved as expected (bold formats: $bold_formats)"
exit 0
