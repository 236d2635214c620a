# Sourced by the tests that run a program on a private Xvfb server, after
# they set common to this folder and, optionally, extra_tools to the tools
# they need besides Xvfb, xdotool and xwd. Skips the test (exit 77) when a
# tool is missing; otherwise starts the server and exports its DISPLAY.
#
# Gives the test: work, a scratch folder; app, where the test keeps the
# pid of the program it starts; fail MESSAGE, which prints the logs
# out.txt, err.txt and xvfb.txt of work and ends the test; app_ends
# SECONDS WHAT, which waits that long for the program to end of itself
# (failing with "WHAT did not end" otherwise) and checks it ended without
# an error; window_named SECONDS PATTERN [OPTION...], which prints the
# first window whose name matches PATTERN (with xdotool search's options),
# waiting that long for it. On any exit the program and the server are stopped and work is
# removed.
for tool in Xvfb xdotool xwd ${extra_tools:-}; do
	if ! command -v "$tool" >/dev/null 2>&1; then
		echo "skipped: $tool is not installed"
		exit 77
	fi
done

# Under the sanitizers, what SDL's and fontconfig's libraries keep for the
# life of the process is not the program's leak.
LSAN_OPTIONS="suppressions=$common/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export LSAN_OPTIONS
# The leak checker stops every thread of a program as it exits, and its
# stopping sometimes crashes in a program on a display (dozens of threads
# of its own and of the display's libraries ending): programs started here
# are checked for memory errors only; the headless tests check for leaks.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
export ASAN_OPTIONS

work=$(mktemp -d)
xvfb=""
app=""
cleanup() {
	[ -n "$app" ] && kill "$app" 2>/dev/null
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

# Xvfb picks a free display number itself and writes it to fd 3. Without
# -noreset it resets whenever its last client goes (an xdotool call), and
# a program connecting in that moment finds no desktop.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.txt" 2>&1 &
xvfb=$!
tries=0
while [ ! -s "$work/display" ]; do
	tries=$((tries + 1))
	[ "$tries" -gt 100 ] && fail "Xvfb did not start"
	sleep 0.1
done
DISPLAY=":$(cat "$work/display")"
export DISPLAY
# A loaded machine's server may name its display before it takes clients.
tries=0
until xdotool getdisplaygeometry >/dev/null 2>&1; do
	tries=$((tries + 1))
	[ "$tries" -gt 100 ] && fail "Xvfb took no client on $DISPLAY"
	sleep 0.1
done

app_ends() {
	tries=0
	while kill -0 "$app" 2>/dev/null; do
		tries=$((tries + 1))
		[ "$tries" -gt $(($1 * 10)) ] && fail "$2 did not end"
		sleep 0.1
	done
	wait "$app" || fail "$2 ended with an error"
	app=""
}

# xdotool's own --sync fails the search when a window goes away while it
# walks the windows (an alert closing): the search is asked again instead.
window_named() {
	seconds=$1
	pattern=$2
	shift 2
	tries=0
	while [ "$tries" -lt $((seconds * 10)) ]; do
		found=$(xdotool search "$@" --name "$pattern" 2>/dev/null | head -n 1)
		if [ -n "$found" ]; then
			echo "$found"
			return 0
		fi
		tries=$((tries + 1))
		sleep 0.1
	done
	return 1
}
