#!/bin/sh
# Ctrl+C in the terminal ends the editor as a quit does, without questions:
# started on its start-up page, into whose visual window the user types,
# the editor keeps a recovery copy of the typed page once the typing stops,
# and at SIGINT ends, leaving the copy and none of its scratch files. The
# next start offers the copy in an alert, whose default button restores it:
# the page is read again with the typed words. Exit 77 skips the test when
# the X tools are missing. With EDITOR_SCREENSHOTS=FOLDER the alert and the
# typed and restored windows are kept there as XWD files.
set -u
velmora=$1
common=$(cd "$(dirname "$0")/../common" && pwd)
extra_tools="grep env"
. "$common/xvfb-session.sh"
. "$common/editor-session.sh"
documents="$(dirname "$velmora")/Documentation"
copies="$work/state/Korvane/Velmora/recovery"
words="Typed before Ctrl C"

visual_window() {
	window=$(window_named 20 "^Velmora - .* - StartUp.html\$")
	[ -n "$window" ] || fail "no visual window for the start-up page"
}
answer_alert() {
	alert=$(window_named 20 "^Alert$")
	[ -n "$alert" ] || fail "$1"
	sleep 0.5
	xwd -silent -id "$alert" >"$work/$2.xwd" && keep "$2.xwd"
	xdotool windowfocus --sync "$alert" || fail "could not focus the alert"
	xdotool key Return
}

# Waits up to a minute (a loaded machine or the sanitizers slow the
# program down) until FILE, or a file in the folder FILE, holds the typed
# words; fails with MESSAGE.
holds_words() {
	tries=0
	until grep -rqa "$words" "$1" 2>/dev/null; do
		tries=$((tries + 1))
		[ "$tries" -gt 600 ] && fail "$2"
		sleep 0.1
	done
}

# Started as from a terminal: a background job of a shell without job
# control has Ctrl+C ignored, and the program leaves ignored signals so.
start_editor() {
	env --default-signal=INT "$velmora" >"$work/out.txt" 2>"$work/err.txt" &
	app=$!
}

# The first start welcomes the user; then the user types into the page.
start_editor
answer_alert "the first start showed no welcome alert" welcome
visual_window
xdotool windowfocus --sync "$window" || fail "could not focus the visual window"
xdotool type --delay 60 "$words "
holds_words "$copies" "the typed page got no recovery copy once the typing stopped"
xwd -silent -id "$window" >"$work/typed.xwd" && keep typed.xwd
kill -INT "$app"
app_ends 2 "the editor, at Ctrl+C,"
ls "$documents" | grep -q '^\$VLM-' && fail "the editor left scratch files beside the start-up page"
grep -rqa "$words" "$copies" 2>/dev/null || fail "no recovery copy holds the typed words"
grep -qa "$words" "$documents/StartUp.html" && fail "the start-up page was saved without the user's word"

# The next start offers the copy; Return chooses "Restore".
start_editor
answer_alert "the next start offered no recovery" offer
visual_window
holds_words "$documents/\$VLM-StartUp.html0.html" "the restored page was not read with the typed words"
sleep 1
xwd -silent -id "$window" >"$work/restored.xwd" && keep restored.xwd
kill -TERM "$app"
app_ends 2 "the editor, at SIGTERM,"
grep -rqa "$words" "$copies" || fail "the restored, unsaved change lost its recovery copy"
echo "Ctrl+C ended the typed-in editor with its copy kept; the next start restored it"
exit 0
