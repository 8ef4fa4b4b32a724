#!/usr/bin/env bash
# `make run`: creates the demo database (never over an existing one) and opens the editor on its
# first XFER node. Without a display the session runs headless from the demo script and its
# transcript is printed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
program="$build/apps/xfer-node-editor/xfer-node-editor"
if [ ! -x "$program" ]; then
    echo "run-demo: $program is not built (Qt 6 Widgets and CLI11 are needed)" >&2
    exit 1
fi

# The machine-wide default (/var/lib) needs root; a user's demo lives in their own data folder.
export PROGRAMDATA="${PROGRAMDATA:-${XDG_DATA_HOME:-$HOME/.local/share}}"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    exec "$program" demo
fi
echo "No display: running examples/edit-node.session headless."
exec "$program" demo --script examples/edit-node.session
