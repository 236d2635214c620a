# Sourced by the tests that start the editor on a private Xvfb server,
# right after xvfb-session.sh: the editor shows its windows on that server
# and keeps its settings and desktop entry in the scratch folder.
#
# Gives the test: keep NAME, which copies the picture work/NAME to the
# folder EDITOR_SCREENSHOTS names, when it is set.
unset VELMORA_DISPLAY
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"

keep() {
	[ -n "${EDITOR_SCREENSHOTS:-}" ] && cp "$work/$1" "$EDITOR_SCREENSHOTS/$1"
	return 0
}
