#!/usr/bin/env bash
# `make run`: creates the demo database (never over an existing one) and opens the editor on its
# first XFER node. Without a display the session runs headless from the demo script and its
# transcript is printed. It ends by saying where the demo database is and the line that makes
# the program's other commands use it.
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

status=0
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    "$program" demo || status=$?
else
    echo "No display: running examples/edit-node.session headless."
    "$program" demo --script examples/edit-node.session || status=$?
fi

database=$("$program" where | sed -n 's/^database: //p')
echo
echo "The demo database is $database"
echo "The README's commands use it, and this build of the program, after this line (in this shell):"
printf 'export PROGRAMDATA=%q PATH=%q:"$PATH"\n' "$PROGRAMDATA" "$(cd "$(dirname "$program")" && pwd)"
exit $status
