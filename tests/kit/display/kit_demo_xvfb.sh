#!/bin/sh
# Runs kit-demo on a private Xvfb server, types into its key window through
# the X server (as a user's keyboard would), and checks the echoed text and
# that the window on the screen is not blank. Exit 77 skips the test when
# the X tools are missing. Everything started here is stopped on any exit.
set -u
demo=$1
common=$(cd "$(dirname "$0")/../../common" && pwd)
. "$common/xvfb-session.sh"

"$demo" --dump-dir "$work" --quit-after 40 >"$work/out.txt" 2>"$work/err.txt" &
app=$!

window=$(window_named 15 "Kit demo: keys")
[ -n "$window" ] || fail "the key window did not appear"
# No window manager runs here: the window gets the keyboard only when told.
xdotool windowfocus --sync "$window" || fail "could not focus the key window"
xdotool type --delay 40 "hello kit" || fail "xdotool could not type"

tries=0
until grep -q "^echo: hello kit$" "$work/out.txt"; do
	tries=$((tries + 1))
	[ "$tries" -gt 200 ] && fail "the typed text was not echoed"
	sleep 0.1
done
sleep 0.3

# What the X server shows of the window: blank would be one colour.
xwd -silent -id "$window" >"$work/keys.xwd" || fail "xwd could not read the window"
colours=$(tail -c 200000 "$work/keys.xwd" | od -An -v -tx1 | tr -s ' ' '\n' | sort -u | wc -l)
[ "$colours" -gt 8 ] || fail "the window on the screen is blank ($colours byte values)"

xdotool key Escape
app_ends 10 "kit-demo, on Escape,"
[ -s "$work/keys.png" ] && [ -s "$work/drawing.png" ] || fail "kit-demo wrote no window dumps"
echo "kit-demo echoed the typed text and showed $colours byte values on the screen"
exit 0
