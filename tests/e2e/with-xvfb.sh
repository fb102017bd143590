#!/bin/sh
# Runs a command on a private Xvfb screen of its own. Xvfb picks a free display itself (-displayfd), so
# any number of these can run side by side.
set -eu
dir=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; rm -rf "$dir"' EXIT
mkfifo "$dir/display"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset 5>"$dir/display" >/dev/null 2>&1 &
xvfb=$!
read -r number <"$dir/display"
export DISPLAY=":$number"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
# The players under test stay off the desktop's session bus; a test that wants one starts its own.
unset DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR
"$@"
