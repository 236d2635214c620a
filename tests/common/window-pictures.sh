# Sourced by display tests that judge a window by its ink, after
# xvfb-session.sh (they need python3 among their extra_tools).
#
# Gives the test: ink_pixels FILE, the pixels of an XWD picture that are
# ink rather than the white of the page or the grey of the frame (text of
# any colour), whatever the picture's pixel size; settled_picture NAME
# WINDOW, which raises the window over the others before each look (with
# no window manager, other windows of the editor may lie over it) and
# keeps its picture as work/NAME once its ink stops changing (a loaded
# machine may not have drawn it all yet; a blinking caret is a few
# pixels), for up to ten seconds, setting ink to the picture's ink pixels.
ink_pixels() {
	python3 - "$1" <<'PYTHON'
import struct, sys
data = open(sys.argv[1], 'rb').read()
h = struct.unpack('>25I', data[:100])
size, width, height, order, bits, line, colours = h[0], h[4], h[5], h[7], h[11], h[12], h[19]
step = bits // 8
start = size + colours * 12
ink = 0
for y in range(height):
    row = data[start + y * line:start + y * line + width * step]
    for x in range(0, width * step, step):
        pixel = row[x:x + step]
        rgb = pixel[2::-1] if order == 0 else pixel[-3:]
        ink += min(rgb) < 150
print(ink)
PYTHON
}

settled_picture() {
	xdotool windowraise "$2"
	xwd -silent -id "$2" >"$work/$1" || return 1
	ink=$(ink_pixels "$work/$1")
	tries=0
	while [ "$tries" -lt 20 ]; do
		sleep 0.5
		xdotool windowraise "$2"
		xwd -silent -id "$2" >"$work/$1" || return 1
		previous=$ink
		ink=$(ink_pixels "$work/$1")
		[ "$ink" -gt $((previous - 20)) ] && [ "$ink" -lt $((previous + 20)) ] && return 0
		tries=$((tries + 1))
	done
	return 0
}
