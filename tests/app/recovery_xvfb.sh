#!/bin/sh
# Ctrl+C in the terminal ends the editor as a quit does, without questions:
# started on its start-up page, which another program then changes (as an
# external editor does, through the page's exchange file), the editor ends
# at SIGINT, leaving a recovery copy of the change and none of its scratch
# files. The next start offers the copy in an alert, whose
# default button restores it: the page is read again with the change. Exit
# 77 skips the test when the X tools are missing. With
# EDITOR_SCREENSHOTS=FOLDER the alert and the restored window are kept
# there as XWD files.
set -u
velmora=$1
common=$(cd "$(dirname "$0")/../common" && pwd)
extra_tools="grep env"
. "$common/xvfb-session.sh"
. "$common/editor-session.sh"
documents="$(dirname "$velmora")/Documentation"
copies="$work/state/Korvane/Velmora/recovery"
words="Words written before Ctrl"

visual_window() {
	window=$(window_named 20 "^Velmora - .* - StartUp.html\$")
	[ -n "$window" ] || fail "no visual window for the start-up page"
}
answer_alert() {
	alert=$(window_named 20 "^Alert$")
	[ -n "$alert" ] || fail "$1"
	sleep 0.5
	xwd -silent -id "$alert" >"$work/$2.xwd" && keep "$2.xwd"
	focus_alert || fail "could not focus the alert"
	xdotool key Return
}

# The page is read with the change when its parse scratch file holds it.
read_in() {
	tries=0
	until grep -qa "$words" "$documents/\$VLM-StartUp.html0.html" 2>/dev/null; do
		tries=$((tries + 1))
		[ "$tries" -gt 100 ] && fail "$1"
		sleep 0.1
	done
}

# Started as from a terminal: a background job of a shell without job
# control has Ctrl+C ignored, and the program leaves ignored signals so.
start_editor() {
	env --default-signal=INT "$velmora" >"$work/out.txt" 2>"$work/err.txt" &
	app=$!
}

# The first start welcomes the user; then the start-up page is changed.
start_editor
answer_alert "the first start showed no welcome alert" welcome
visual_window
printf '<html><head><title>Changed</title></head><body><p>%s C.</p></body></html>\n' "$words" \
	>"$documents/\$VLM-StartUp.html1.html"
read_in "the editor did not read the change in"
kill -INT "$app"
app_ends 2 "the editor, at Ctrl+C,"
ls "$documents" | grep -q '^\$VLM-' && fail "the editor left scratch files beside the start-up page"
grep -rqa "$words" "$copies" 2>/dev/null || fail "no recovery copy holds the change"

# The next start offers the copy; Return chooses "Restore".
start_editor
answer_alert "the next start offered no recovery" offer
visual_window
sleep 1
xwd -silent -id "$window" >"$work/restored.xwd" && keep restored.xwd
read_in "the restored page was not read with the change"
kill -TERM "$app"
app_ends 2 "the editor, at SIGTERM,"
grep -rqa "$words" "$copies" || fail "the restored, unsaved change lost its recovery copy"
echo "Ctrl+C ended the changed editor with its copy kept; the next start restored it"
exit 0
