#!/usr/bin/env bash
# The editor's window as a screen reader reads it: the program's demo shown on a real X server
# (Xvfb), with a session bus and the accessibility bus of at-spi2-core, its tree read through
# AT-SPI (pyatspi). Everything is started here and stopped on the way out.
set -u
program=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
home=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    rm -rf "$home"
}
trap cleanup EXIT
export PROGRAMDATA=$home HOME=$home XDG_RUNTIME_DIR=$home
unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_SCALE_FACTOR

display=
for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=:$n; break; fi
done
[ -n "$display" ] || { echo "FAIL: no free X display number"; exit 1; }
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$home/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
export DISPLAY=$display QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1

# One session bus for the accessibility bus, the program and the reader.
exec dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$0/bus.log" 2>&1 &
    bus=$!
    sleep 1
    "$1" demo >"$0/program.log" 2>&1 &
    app=$!
    /usr/bin/python3 "$2/atspi_names.py"
    rc=$?
    kill $app $bus 2>/dev/null
    [ $rc -eq 0 ] || cat "$0/program.log" "$0/bus.log"
    exit $rc
' "$home" "$program" "$here"
