#!/usr/bin/env bash
# Stored text that another tool wrote: a label that is not UTF-8 (the bytes of "Café" in
# Windows-1252) and one with control characters, planted through SQLite's API. Every report
# and transcript must still be valid in its format, read back by a real parser, with U+FFFD in
# place of the bad bytes, control characters escaped in text, and one warning naming the node.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/cli_common.sh" "$@"
printf '' >"$home/empty.session"
"$program" demo --script "$home/empty.session" >/dev/null 2>&1
db="$home/Quorvel/VDACOM+/Database/NewDB.mdb"
python3 - "$db" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
db.text_factory = bytes
# Node 5 refers to missing nodes (check lists it) and node 5 has a PMSG 20 exception (refs).
db.execute("UPDATE Node_XFER SET NodeDescription = CAST(X'436166E9' AS TEXT) "
           "WHERE ConfigID = 1 AND PartID = 1 AND NodeNumber = 5")
db.execute("UPDATE Node_XFER SET NodeDescription = ? WHERE ConfigID = 1 AND PartID = 1 "
           "AND NodeNumber = 1", ("Two\nlines,\t\x01\"q\"",))
db.commit()
PY
out=$home/out; err=$home/err
run() { "$program" "$@" >"$out" 2>"$err"; }
# The one warning, naming node 5 and no other.
warned() {
    [ "$(grep -c 'not UTF-8' "$err")" -eq 1 ] && grep -q 'in XFER 5$' "$err" \
        || fail "$1: no single warning naming XFER 5 in: $(cat "$err")"
}
parsed() {  # what, python code reading stdin's text as $out
    python3 -c "import sys, json, csv, io; text = open(sys.argv[1], encoding='utf-8').read(); $2" \
        "$out" || fail "$1: not read back as expected: $(head -c 600 "$out")"
}

for command in "check --config 1 --partition 1" "refs --config 1 --partition 1 --type MSG --node 20"; do
    run $command --json; rc=$?
    want=$([ "${command%% *}" = check ] && echo 1 || echo 0)
    [ $rc -eq "$want" ] || fail "$command --json exited $rc, not $want"
    warned "$command --json"
    parsed "$command --json" "assert 'Caf\ufffd' in [e['label'] for e in json.loads(text)['dangling' if 'dangling' in text else 'referrers']]"
    run $command; rc=$?
    [ $rc -eq "$want" ] || fail "$command exited $rc, not $want"
    warned "$command"
    grep -q '^XFER 5 "Caf�": ' "$out" || fail "$command: no line for XFER 5 with U+FFFD"
done

run list --config 1 --partition 1 --json || fail "list --json failed"
warned "list --json"
parsed "list --json" "labels = {n['node']: n['label'] for n in json.loads(text)['nodes']}; assert labels[5] == 'Caf\ufffd' and labels[1] == 'Two\nlines,\t\x01\"q\"', labels"
run list --config 1 --partition 1 --csv || fail "list --csv failed"
warned "list --csv"
parsed "list --csv" "rows = {r[0]: r for r in csv.reader(io.StringIO(text, newline=''))}; assert rows['5'][1] == 'Caf\ufffd' and rows['1'][1] == 'Two\nlines,\t\x01\"q\"' and len(rows['1']) == 16, rows['1']"
run list --config 1 --partition 1 || fail "list failed"
warned "list"
[ "$(grep -c '' "$out")" -eq 13 ] || fail "list: a stored label forged a line: $(cat "$out")"
grep -qE '^5 +Caf� ' "$out" || fail "list: no row for node 5 with U+FFFD"
grep -qF '1     Two\nlines,\t\x01"q"  2001' "$out" || fail "list: node 1's label not escaped on its line"

printf 'show txtDescription\n' >"$home/show.session"
run open --config 1 --partition 1 --nodes 1,5 --script "$home/show.session" --transcript json
rc=$?; [ $rc -le 1 ] || fail "open --transcript json exited $rc: $(cat "$err")"
warned "open --transcript json"
parsed "transcript json" "events = [json.loads(l) for l in text.splitlines()]; assert all('line' in e for e in events); stored = [e for e in events if e['event'] == 'stored']; assert [e['label'] for e in stored] == ['Two\nlines,\t\x01\"q\"', 'Caf\ufffd'] and all(isinstance(e['style'], int) for e in stored), stored"
run open --config 1 --partition 1 --nodes 1,5 --script "$home/show.session"
rc=$?; [ $rc -le 1 ] || fail "open exited $rc: $(cat "$err")"
warned "open"
grep -q '^  Label: "Caf�"$' "$out" || fail "text transcript: no stored label with U+FFFD"
grep -q '^  Label: "Two\\nlines,\\t\\x01"q""$' "$out" || fail "text transcript: stored label not escaped"
exit $status
