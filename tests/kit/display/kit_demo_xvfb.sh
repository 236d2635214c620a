#!/bin/sh
# Runs kit-demo on a private Xvfb server, types into its key window through
# the X server (as a user's keyboard would), and checks the echoed text and
# that the window on the screen is not blank. Exit 77 skips the test when
# the X tools are missing. Everything started here is stopped on any exit.
set -u
demo=$1
for tool in Xvfb xdotool xwd; do
	if ! command -v "$tool" >/dev/null 2>&1; then
		echo "skipped: $tool is not installed"
		exit 77
	fi
done

# Under the sanitizers, what SDL's and fontconfig's libraries keep for the
# life of the process is not the program's leak.
here=$(cd "$(dirname "$0")" && pwd)
LSAN_OPTIONS="suppressions=$here/../../common/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export LSAN_OPTIONS

work=$(mktemp -d)
xvfb=""
demo_pid=""
cleanup() {
	[ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null
	[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
	wait 2>/dev/null
	rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
fail() {
	echo "FAILED: $*"
	for log in out err xvfb; do
		[ -s "$work/$log.txt" ] && { echo "--- $log"; cat "$work/$log.txt"; }
	done
	exit 1
}

# Xvfb picks a free display number itself and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.txt" 2>&1 &
xvfb=$!
tries=0
while [ ! -s "$work/display" ]; do
	tries=$((tries + 1))
	[ "$tries" -gt 100 ] && fail "Xvfb did not start"
	sleep 0.1
done
DISPLAY=":$(cat "$work/display")"
export DISPLAY

"$demo" --dump-dir "$work" --quit-after 40 >"$work/out.txt" 2>"$work/err.txt" &
demo_pid=$!

window=$(timeout 15 xdotool search --sync --name "Kit demo: keys" | head -n 1)
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
tries=0
while kill -0 "$demo_pid" 2>/dev/null; do
	tries=$((tries + 1))
	[ "$tries" -gt 100 ] && fail "kit-demo did not quit on Escape"
	sleep 0.1
done
wait "$demo_pid" || fail "kit-demo exited with an error"
demo_pid=""
[ -s "$work/keys.png" ] && [ -s "$work/drawing.png" ] || fail "kit-demo wrote no window dumps"
echo "kit-demo echoed the typed text and showed $colours byte values on the screen"
exit 0
