#!/usr/bin/env bash
# The partition-wide commands and the checked, bulk scripted sessions as a command-line user
# meets them, on a demo database in a temp folder: check, refs, list --json/--csv, open with
# expect, --transcript json, --nodes and --all; their exit statuses and refusals.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/cli_common.sh" "$@"
write() { local name=$1; shift; printf '%s\n' "$@" > "$home/$name"; }

expect 2 "no configuration database" -- check --config 1 --partition 1
write empty.session ""
"$program" demo --script "$home/empty.session" >/dev/null 2>&1
db="$home/Quorvel/VDACOM+/Database/NewDB.mdb"
cp "$db" "$home/before.mdb"

expect 1 "^XFER 5 \"Support line\": Hold, No Answer -> MSG 12 does not exist$" -- check --config 1 --partition 1
expect 1 "XFER 21 \"Style not chosen\": not checked: no style is chosen" -- check --config 1 --partition 1
expect 1 "12 XFER nodes, 15 missing referenced nodes in 4 XFER nodes, 1 not checked" -- check --config 1 --partition 1
expect 1 "\"reason\": \"the editor would not load it: Busy 2: " -- check --config 1 --partition 2 --json
expect 0 "3 XFER nodes, no missing referenced nodes$" -- check --config 2 --partition 3
expect 0 "^XFER 5 \"Support line\": Busy 2 -> PMSG 20$" -- refs --config 1 --partition 1 --type msg --node 20
expect 1 "^0 references to MSG 77" -- refs --config 1 --partition 1 --type 0 --node 77
expect 2 "\"FOO\" is neither a node type" -- refs --config 1 --partition 1 --type FOO --node 1
# A configuration and partition without any node is a typo, never an empty report.
for command in "check" "list" "list --json" "refs --type MSG --node 1" "repair" \
    "open --all --script $home/empty.session" "open --nodes 1 --script $home/empty.session"; do
    expect 2 "^xfer-node-editor: configuration 9, partition 9 has no nodes$" -- \
        $command --config 9 --partition 9
done
expect 0 "configuration 1, partition 1: no half-created nodes, nothing to repair" -- \
    repair --config 1 --partition 1 --dry-run
# A preview shows what would be stored and stores nothing.
write preview.session 'replace txtDial "9,2001"' 'click cmdOK'
expect 0 "^  Dial: \"9,2001\"$" -- open --config 1 --partition 1 --node 1 --script "$home/preview.session" --dry-run
expect 0 "=== 2 nodes: 2 passed ===" -- open --config 1 --partition 1 --nodes 1,12 --script "$home/preview.session" --dry-run
expect nonzero "--dry-run requires --script" -- open --config 1 --partition 1 --node 1 --dry-run
cmp -s "$db" "$home/before.mdb" || fail "check, refs, repair or a preview changed the database file"
[ ! -e "$db-wal" ] || fail "check or refs left a write-ahead log"

expect 0 "^5,Support line,3005,6,MSG,12," -- list --config 1 --partition 1 --csv
expect 0 "\"dial\": \"12,34!#\*\"" -- list --config 1 --partition 1 --json

expect 0 "result: passed \(14 expectations met\)" -- \
    open --config 1 --partition 1 --node 1 --script "$examples/check-exceptions.session"
write look.session 'expect lblRecordPosition Caption "1 of 11"' 'expect cmdApply Enabled "true"' \
    'expect txtDial Text "2001"' 'click cmdCancel'
expect 1 "MISMATCH line 2: cmdApply Enabled: expected \"true\", actual \"false\"" -- \
    open --config 1 --partition 1 --node 1 --script "$home/look.session"
expect 1 '^\{"event":"expectation","line":2,' -- \
    open --config 1 --partition 1 --node 1 --script "$home/look.session" --transcript json
write save.session 'type txtDescription x' 'click cmdOK'
expect 1 "result: failed: 2 error boxes" -- open --config 1 --partition 1 --node 21 --script "$home/save.session"

# Each number of a node list follows the rule of every other number.
for n in 0x10 010 +1; do
    expect nonzero "--nodes: \"${n/+/\\+}\": '${n/+/\\+}' is not a decimal number" -- open --config 1 --partition 1 --nodes "$n" --script "$home/look.session"
done
expect nonzero "--node, --nodes or --all is required" -- open --config 1 --partition 1 --script "$home/look.session"
expect nonzero "--nodes requires --script" -- open --config 1 --partition 1 --nodes 1
expect 107 "--keep-going requires --nodes or --all" -- open --config 1 --partition 1 --node 1 --script "$home/look.session" --keep-going
expect nonzero "--node excludes --all" -- open --config 1 --partition 1 --node 1 --all --script "$home/look.session"
echo "scroll 2147483648" >"$home/huge-scroll.session"
expect 2 "line 1: scroll: 2147483648 is not in range" -- open --config 1 --partition 1 --node 1 \
    --script "$home/huge-scroll.session"

write dial.session 'replace txtDial "9,2001"' 'expect txtDial Text "9,2001"' 'click cmdOK'
expect 0 "=== XFER 12 \(2 of 2\) ===" -- open --config 1 --partition 1 --nodes 1,12 --script "$home/dial.session"
expect 0 "^12 +Operator +9,2001" -- list --config 1 --partition 1
expect 1 "=== 3 nodes: 1 passed, 1 failed \(XFER 99\), 1 not run ===" -- \
    open --config 1 --partition 1 --nodes 1,99,12 --script "$home/dial.session"
expect 1 "=== 3 nodes: 2 passed, 1 failed \(XFER 99\) ===" -- \
    open --config 1 --partition 1 --nodes 1,99,12 --script "$home/dial.session" --keep-going
expect 0 "=== 2 nodes: 2 passed ===" -- open --config 2 --partition 3 --all --script "$home/dial.session"
exit $status
