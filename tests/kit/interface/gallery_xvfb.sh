#!/bin/sh
# Runs the gallery on a private Xvfb server: checks that its window shows
# more than a blank panel, clicks "Show alert…" through the X server as a
# user would, checks that the alert appears, dismisses it with Escape and
# checks that the gallery has the keyboard again.
# With GALLERY_SCREENSHOTS=FOLDER the screen is kept there as XWD files.
# Exit 77 skips the test when the X tools are missing.
set -u
gallery=$1
common=$(cd "$(dirname "$0")/../../common" && pwd)
. "$common/xvfb-session.sh"
# How many different byte values a window's picture holds: a blank one has few.
colours() {
	tail -c 200000 "$1" | od -An -v -tx1 | tr -s ' ' '\n' | sort -u | wc -l
}
keep() {
	[ -n "${GALLERY_SCREENSHOTS:-}" ] && cp "$work/$1" "$GALLERY_SCREENSHOTS/$1"
	return 0
}

"$gallery" --quit-after 40 >"$work/out.txt" 2>"$work/err.txt" &
app=$!

window=$(window_named 15 "Gallery of controls")
[ -n "$window" ] || fail "the gallery window did not appear"
sleep 0.5
xwd -silent -id "$window" >"$work/gallery.xwd" || fail "xwd could not read the window"
keep gallery.xwd
[ "$(colours "$work/gallery.xwd")" -gt 40 ] || fail "the gallery looks blank"

# "Show alert…" is the first button of the "Buttons" box.
xdotool windowfocus --sync "$window" || fail "could not focus the gallery"
xdotool mousemove --window "$window" 70 140 click 1 || fail "xdotool could not click"
alert=$(window_named 10 "^Alert$")
[ -n "$alert" ] || fail "the alert did not appear"
sleep 0.5
xwd -silent -id "$alert" >"$work/alert.xwd" || fail "xwd could not read the alert"
keep alert.xwd
[ "$(colours "$work/alert.xwd")" -gt 20 ] || fail "the alert looks blank"

xdotool windowfocus --sync "$alert" || fail "could not focus the alert"
xdotool key Escape
tries=0
while xdotool search --name "^Alert$" >/dev/null 2>&1; do
	tries=$((tries + 1))
	[ "$tries" -gt 100 ] && fail "Escape did not close the alert"
	sleep 0.1
done

# Nobody but the program hands the keyboard back to its window: there is
# no window manager here.
[ "$(xdotool getwindowfocus -f)" = "$window" ] || fail "the keyboard did not go back to the gallery"

kill "$app"
wait "$app" 2>/dev/null
app=""
echo "the gallery showed its controls and an alert, which Escape closed, giving the keys back"
exit 0
