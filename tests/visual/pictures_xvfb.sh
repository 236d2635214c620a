#!/bin/sh
# A page with pictures on a private Xvfb server, opened as a user would: a
# PNG and a GIF stand in its text over a tiled background picture. The
# visual window must show both pictures at their size (their pixels, of
# colours nothing else on the screen has, are counted) and the background
# around the text, and close with Ctrl+W. The pictures are made here, by
# python3. Exit 77 skips the test when the tools are missing. With
# EDITOR_SCREENSHOTS=FOLDER the window is kept there as an XWD file.
set -u
velmora=$1
common=$(cd "$(dirname "$0")/../common" && pwd)
extra_tools="python3 od awk"
. "$common/xvfb-session.sh"
. "$common/editor-session.sh"

# A red PNG of 60 x 40, a GIF of 30 x 20 whose first frame is blue (its
# second, green, is not shown) and an 8 x 8 yellow tile.
python3 - "$work" <<'PICTURES' || fail "the pictures could not be made"
import struct, sys, zlib
folder = sys.argv[1]
def png(name, w, h, rgb):
    raw = b''.join(b'\0' + bytes(rgb) * w for _ in range(h))
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    with open(folder + '/' + name, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
                + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))
def gif(name, w, h, colours):
    # Literal codes of 3 bits, a clear code before every second one.
    out = bytearray(b'GIF89a' + struct.pack('<HHBBB', w, h, 0xF1, 0, 0))
    for rgb in colours + [(0, 0, 0)] * (4 - len(colours)):
        out += bytes(rgb)
    out += b'\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00'
    for index in range(len(colours)):
        out += b'\x21\xF9\x04\x00\x32\x00\x00\x00\x2C' + struct.pack('<HHHHB', 0, 0, w, h, 0) + b'\x02'
        codes = []
        for pixel in range(w * h):
            if pixel % 2 == 0:
                codes.append(4)
            codes.append(index)
        codes.append(5)
        bits = count = 0
        data = bytearray()
        for code in codes:
            bits |= code << count
            count += 3
            while count >= 8:
                data.append(bits & 255)
                bits >>= 8
                count -= 8
        if count:
            data.append(bits & 255)
        for start in range(0, len(data), 255):
            block = data[start:start + 255]
            out += bytes([len(block)]) + block
        out += b'\0'
    with open(folder + '/' + name, 'wb') as f:
        f.write(out + b'\x3B')
png('red.png', 60, 40, (255, 0, 0))
png('tile.png', 8, 8, (255, 255, 0))
gif('blue.gif', 30, 20, [(0, 0, 255), (0, 255, 0)])
PICTURES

# The pixels of an XWD picture of the window (32 bits a pixel, blue, green,
# red) whose colour is the one asked for, give or take a little.
pixels_of() {
	geometry=$(xdotool getwindowgeometry "$2" | awk '/Geometry/ { print $2 }')
	width=${geometry%x*}
	height=${geometry#*x}
	tail -c $((width * height * 4)) "$1" | od -An -v -tu1 -w4 |
		awk -v b="$3" -v g="$4" -v r="$5" '
			function near(x, y) { return x - y < 24 && y - x < 24 }
			near($1, b) && near($2, g) && near($3, r) { n++ } END { print n + 0 }'
}

printf '<html><head><title>Pictures</title></head><body background="tile.png">%s</body></html>\n' \
	'<p>A red one <img src="red.png"> and a blue one <img src="blue.gif" alt="blue"> in a line.</p>' \
	>"$work/page.html"

# A first start welcomes the user; the test looks at a later one.
start_past_first_start "$work/page.html" "^Velmora - Pictures - page.html\$"
window=$(window_named 30 "^Velmora - Pictures - page.html\$")
[ -n "$window" ] || fail "no visual window for the page"
wait_for_error_list
# A loaded machine may take a while to draw: the picture is taken again
# until both pictures show, for up to ten seconds.
tries=0
while :; do
	xwd -silent -id "$window" >"$work/window.xwd" || fail "xwd could not read the visual window"
	red=$(pixels_of "$work/window.xwd" "$window" 0 0 255)
	blue=$(pixels_of "$work/window.xwd" "$window" 255 0 0)
	[ "$red" -ge 2400 ] && [ "$blue" -ge 600 ] && break
	tries=$((tries + 1))
	[ "$tries" -ge 20 ] && break
	sleep 0.5
done
keep window.xwd
green=$(pixels_of "$work/window.xwd" "$window" 0 255 0)
yellow=$(pixels_of "$work/window.xwd" "$window" 0 255 255)
[ "$red" -ge 2400 ] && [ "$red" -lt 2600 ] || fail "the PNG shows $red red pixels, not 60 x 40"
[ "$blue" -ge 600 ] && [ "$blue" -lt 700 ] || fail "the GIF's first frame shows $blue blue pixels, not 30 x 20"
[ "$green" -eq 0 ] || fail "the GIF's second frame shows ($green green pixels)"
[ "$yellow" -gt 20000 ] || fail "the background picture is not tiled behind the text ($yellow pixels)"

xdotool windowfocus --sync "$window" || fail "could not focus the visual window"
xdotool key ctrl+w
app_ends 15 "the editor, its page closed,"
echo "red $red, blue $blue, green $green, background $yellow pixels"
exit 0
