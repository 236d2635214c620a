#!/bin/sh
# A page made by every formatting command, as the engine's looper runs
# them (the headless test program makes it and saves it), opened in the
# editor on a private Xvfb server: its visual window must show the text and
# the link's colour, and close with Ctrl+W. Exit 77 skips the test when the
# X tools are missing. With EDITOR_SCREENSHOTS=FOLDER the window is kept
# there as formatted.xwd.
set -u
velmora=$1
tests=$2
common=$(cd "$(dirname "$0")/../common" && pwd)
extra_tools="od awk"
. "$common/xvfb-session.sh"

. "$common/editor-session.sh"
VELMORA_DISPLAY=headless VELMORA_FORMATTED_PAGE="$work/formatted.html" \
	"$tests" --gtest_filter=EngineLooper.EveryFormattingCommandFormatsTheSelection \
	>"$work/out.txt" 2>"$work/err.txt" || fail "the commands did not make the page"
[ -s "$work/formatted.html" ] || fail "the commands made no page"

"$velmora" "$work/formatted.html" >"$work/out.txt" 2>"$work/err.txt" &
app=$!
answer_welcome
window=$(window_named 20 "^Velmora - .* - formatted.html\$")
[ -n "$window" ] || fail "no visual window for the formatted page"
sleep 1.5
xwd -silent -id "$window" >"$work/formatted.xwd" || fail "xwd could not read the window"
keep formatted.xwd

# Dark pixels (the text) and the link's blue, in the picture's last
# width * height * 4 bytes (32 bits a pixel, blue first).
geometry=$(xdotool getwindowgeometry "$window" | awk '/Geometry/ { print $2 }')
width=${geometry%x*}
height=${geometry#*x}
counts=$(tail -c $((width * height * 4)) "$work/formatted.xwd" | od -An -v -tu1 -w4 |
	awk '$1 < 90 && $2 < 90 && $3 < 90 { dark++ }
		$1 > 200 && $2 < 60 && $3 < 60 { blue++ }
		END { print dark + 0, blue + 0 }')
dark=${counts% *}
blue=${counts#* }
[ "$dark" -gt 1000 ] || fail "the visual window shows no text ($dark dark pixels)"
[ "$blue" -gt 20 ] || fail "the link is not shown in its colour ($blue blue pixels)"

xdotool windowfocus --sync "$window" || fail "could not focus the visual window"
xdotool key ctrl+w
app_ends 15 "the editor, its only page closed,"
echo "formatted page shown: $dark dark and $blue link-blue pixels"
exit 0
