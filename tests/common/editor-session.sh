# Sourced by the tests that start the editor on a private Xvfb server,
# right after xvfb-session.sh: the editor shows its windows on that server
# and keeps its settings, desktop entry and recovery copies in the scratch
# folder: a copy that one test's editor leaves (it is ended by a signal)
# would otherwise be offered at the next test's start.
#
# Gives the test: keep NAME, which copies the picture work/NAME to the
# folder EDITOR_SCREENSHOTS names, when it is set, answer_welcome,
# first_start, start_past_first_start, focus, visual_window and saved_with.
unset VELMORA_DISPLAY
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_STATE_HOME="$work/state"

keep() {
	[ -n "${EDITOR_SCREENSHOTS:-}" ] && cp "$work/$1" "$EDITOR_SCREENSHOTS/$1"
	return 0
}

# Focuses the alert window found in $alert. On a busy machine the window
# found may be gone by the time it is focused (an alert that came and went
# before it); the alert is then looked for again, a few times.
focus_alert() {
	tries=0
	until xdotool windowfocus --sync "$alert" 2>/dev/null; do
		tries=$((tries + 1))
		[ "$tries" -ge 5 ] && return 1
		sleep 0.2
		alert=$(window_named 5 "^Alert$") || return 1
	done
}

# A first start greets the user with an alert: Return answers it.
answer_welcome() {
	alert=$(window_named 20 "^Alert$")
	[ -n "$alert" ] || fail "the first start showed no welcome alert"
	focus_alert || fail "could not focus the alert"
	xdotool key Return
}

# Waits up to ten seconds for the page file work/page.html to hold PATTERN
# (a save is written by the editor's own thread after the key).
saved_with() {
	tries=0
	until grep -q "$1" "$work/page.html"; do
		tries=$((tries + 1))
		[ "$tries" -gt 100 ] && return 1
		sleep 0.1
	done
}

# Once a page is read its error list shows and takes the keyboard: a test
# waits for it before its keys, or on a busy machine they would go to the
# list. A page without reports shows none; the wait then ends in a note.
wait_for_error_list() {
	window_named 30 "^Vudav" --onlyvisible >/dev/null || echo "the page's error list did not show"
}

# Ends a first start by Ctrl+W in its visual window, whose title matches
# PATTERN. The About window of a first start may take the keyboard as it
# shows: Ctrl+W is pressed again, up to three times, until the program ends.
close_first_start() {
	for attempt in 1 2 3; do
		window=$(window_named 30 "$1")
		[ -n "$window" ] || fail "no visual window on the first start"
		xdotool windowfocus --sync "$window" || fail "could not focus the visual window"
		xdotool key ctrl+w
		tries=0
		while kill -0 "$app" 2>/dev/null && [ "$tries" -lt 50 ]; do
			tries=$((tries + 1))
			sleep 0.1
		done
		kill -0 "$app" 2>/dev/null || break
	done
	app_ends 15 "the first start"
}

# Goes through a first start of the editor ($velmora) on FILE: it is
# greeted, waited for and closed (its visual window's title matches
# PATTERN).
first_start() {
	"$velmora" "$1" >"$work/out.txt" 2>"$work/err.txt" &
	app=$!
	answer_welcome
	wait_for_error_list
	close_first_start "$2"
}

# Starts the editor on FILE past a first start on it (see first_start), as
# $app.
start_past_first_start() {
	first_start "$1" "$2"
	"$velmora" "$1" >"$work/out.txt" 2>"$work/err.txt" &
	app=$!
}

# Raises WINDOW and gives it the keyboard; WHAT names it in the failure.
focus() {
	xdotool windowraise "$1"
	xdotool windowfocus --sync "$1" || fail "could not focus $2"
}

# Waits for the visual window of the page file FILE titled "Words", read
# (its error list shown), and gives it the keyboard; $window names it.
visual_window() {
	window=$(window_named 30 "^Velmora - Words - $1\$")
	[ -n "$window" ] || fail "no visual window for $1"
	wait_for_error_list
	xdotool windowfocus --sync "$window" || fail "could not focus the visual window"
}
