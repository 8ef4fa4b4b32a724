#!/usr/bin/env bash
# export, diff and import as a command-line user meets them, on a demo database in a temp
# folder: the export document against its schema, the same bytes twice, diff's exit statuses, and
# refusals that name the file's line and column and change nothing.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/cli_common.sh" "$@"
schema="$(dirname "${BASH_SOURCE[0]}")/../../docs/schemas/export.schema.json"
write() { local name=$1; shift; printf '%s\n' "$@" > "$home/$name"; }

write empty.session ""
"$program" demo --script "$home/empty.session" >/dev/null 2>&1
db="$home/Quorvel/VDACOM+/Database/NewDB.mdb"

"$program" export --config 1 --partition 1 --output "$home/a.json" || fail "export failed"
"$program" export --config 1 --partition 1 >"$home/b.json" || fail "export to stdout failed"
cmp -s "$home/a.json" "$home/b.json" || fail "two exports differ"
[ "$(tail -c 1 "$home/a.json" | od -An -c | tr -d ' ')" = '\n' ] || fail "no final newline"
/usr/bin/python3 - "$schema" "$home/a.json" <<'PY' || fail "the export does not follow the schema"
import json, sys, jsonschema
schema, document = (json.load(open(p, encoding="utf-8")) for p in sys.argv[1:3])
jsonschema.Draft202012Validator(schema).validate(document)
bad = dict(document, version=2)
assert not jsonschema.Draft202012Validator(schema).is_valid(bad)
PY

expect 0 "^$" -- diff "$home/a.json" --config 1 --partition 1
sed 's/"label": "Support line"/"label": "Support desk"/' "$home/a.json" >"$home/changed.json"
expect 1 '^XFER 5: label: "Support line" -> "Support desk"$' -- diff "$home/a.json" "$home/changed.json"
expect 1 '"field": "label"' -- diff --config 1 --partition 1 "$home/changed.json" --json
expect 1 "^XFER 3: only in A \\(configuration 1, partition 1\\)$" -- diff --config 1 --partition 1 --config 1 --partition 2
expect 2 "no-such.json" -- diff "$home/a.json" "$home/no-such.json"
expect 2 "give two sides" -- diff "$home/a.json"
expect 2 "'010' is not a decimal number" -- diff "$home/a.json" --config 010 --partition 1
# After "--" every argument is a file, one that begins with "--" too.
cp "$home/changed.json" "$home/--changed.json"
cd "$home" && expect 1 '^XFER 5: label' -- diff -- a.json --changed.json
cd - >/dev/null

"$program" export --config 1 --partition 1 --nodes 1 --output "$home/one.json"
sed -e 's/"label": "Reception"/"label": "Front desk"/' -e 's/"number": 4,/"number": 40,/' \
    "$home/one.json" >"$home/changed1.json"
cp "$db" "$home/before.mdb"
printf '{\n  "format": "xfer-partition",\n  "version": 1,\n  "nodes": [,]\n}\n' >"$home/broken.json"
expect 1 "line 4, column 13" -- import "$home/broken.json" --config 1 --partition 1
sed 's/"version": 1/"version": 7/' "$home/a.json" >"$home/v7.json"
expect 1 "version 7 is not one this program reads" -- import "$home/v7.json" --config 1 --partition 1
expect 1 "XFER 21: refused: style: STYLE 0 is not in the partition's style list" -- import "$home/changed.json" --config 1 --partition 1
expect 0 '^XFER 1: label: "Reception" -> "Front desk"$' -- import "$home/changed1.json" --config 1 --partition 1 --dry-run --create-missing
expect 0 '^MSG 40: would be created from its template$' -- import "$home/changed1.json" --config 1 --partition 1 --dry-run --create-missing
cmp -s "$db" "$home/before.mdb" || fail "a refused import or a dry run changed the database"

expect 1 "XFER 1: refused: exceptions.noAnswer: MSG 40 does not exist" -- import "$home/changed1.json" --config 1 --partition 1
cmp -s "$db" "$home/before.mdb" || fail "a refused import or a dry run changed the database"
expect 0 "^MSG 40: created from its template" -- import "$home/changed1.json" --config 1 --partition 1 --create-missing
"$program" export --config 1 --partition 1 --nodes 1 | cmp -s - "$home/changed1.json" || fail "the import did not make XFER 1 what the file says"

# A database that cannot be read is an error of the comparison, said in the engine's words.
printf 'not a database, only text' >"$db"
expect 2 "file is not a database" -- diff "$home/a.json" --config 1 --partition 1
exit $status
