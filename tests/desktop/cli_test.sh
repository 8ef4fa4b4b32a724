#!/usr/bin/env bash
# The host program as a command-line user meets it, on a demo database in a temp folder:
# help, where, demo with the README's script, list, and the refusals.
set -u
program=$1
examples=$2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export PROGRAMDATA=$home
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
status=0
fail() { echo "FAIL: $*"; status=1; }
# expect <exit: 0 or nonzero> <pattern in stdout+stderr> -- command...
expect() {
    local want=$1 pattern=$2; shift 3
    local out rc
    out=$("$program" "$@" 2>&1); rc=$?
    if [ "$want" = 0 ] && [ $rc -ne 0 ]; then fail "$* exited $rc"; fi
    if [ "$want" != 0 ] && [ $rc -eq 0 ]; then fail "$* exited 0"; fi
    grep -qE -- "$pattern" <<<"$out" || { fail "$*: no /$pattern/ in:"; echo "$out"; }
}

expect 0 "Subcommands:" -- --help
expect nonzero "not in range" -- open --config 1 --partition 1 --node 40000
expect nonzero "not in range" -- list --config 70000 --partition 1
expect nonzero "no configuration database" -- list --config 1 --partition 1
expect 0 "found by: registry" -- where
expect 0 "Label: \"Support line \(days\)\"" -- demo --script "$examples/edit-node.session"
expect 0 "found by: shell folder: common application data is $home \(from PROGRAMDATA\)" -- where
expect 0 "using the database at" -- demo --script "$examples/edit-exceptions.session"
expect 0 "^5 +Support line \(days\) +3005,2 +STYLE 2" -- list --config 1 --partition 1
expect nonzero "instead: --script FILE" -- open --config 1 --partition 1 --node 1
expect nonzero "File already exists" -- init-db
expect 0 "34 tables, [0-9]+ rows" -- copy-db "$home/Quorvel/VDACOM+/Database/NewDB.mdb" "$home/copy.mdb"
expect 0 "found by: the --database option" -- where --database "host=$home/none dbname=x"
exit $status
