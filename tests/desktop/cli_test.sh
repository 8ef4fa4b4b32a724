#!/usr/bin/env bash
# The host program as a command-line user meets it, on a demo database in a temp folder:
# help, where, demo with the README's script, list, and the refusals.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/cli_common.sh" "$@"

expect 0 "Subcommands:" -- --help
# No command and no display: the help and a reason, and nothing is looked up or created.
PROGRAMDATA=$home/none expect 3 "no command, and no display" --
[ -e "$home/none" ] && fail "no command created $home/none"
expect nonzero "not in range" -- open --config 1 --partition 1 --node 40000
expect nonzero "not in range" -- list --config 70000 --partition 1
expect nonzero "no configuration database" -- list --config 1 --partition 1
expect 1 "found by: registry" -- where
expect 1 "^file: no file$" -- where
expect 1 "^init-db and demo would create it at: $home/Quorvel/VDACOM\+/Database/NewDB.mdb$" -- where
expect 0 "Label: \"Support line \(days\)\"" -- demo --script "$examples/edit-node.session"
expect 0 "found by: shell folder: common application data is $home \(from PROGRAMDATA\)" -- where
expect 0 "^file: answers, 34 tables$" -- where
expect 0 "using the database at" -- demo --script "$examples/edit-exceptions.session"
expect 0 "^5 +Support line \(days\) +3005,2 +STYLE 2" -- list --config 1 --partition 1
expect nonzero "instead: --script FILE" -- open --config 1 --partition 1 --node 1
expect nonzero "File already exists" -- init-db
expect 0 "^copied the file .* to the file $home/copy.mdb: 34 tables, [0-9]+ rows in [0-9.]+ s$" -- copy-db "$home/Quorvel/VDACOM+/Database/NewDB.mdb" "$home/copy.mdb"
# A target that is no new file in a folder that exists: refused, and nothing is created.
expect 1 "\"db1\" names neither a database file nor a server: write a file as a path with a folder \(./db1\)" -- copy-db "$home/copy.mdb" db1
expect 1 "the folder $home/no/such does not exist" -- copy-db "$home/copy.mdb" "$home/no/such/x.mdb"
[ -e db1 ] || [ -e "$home/no" ] && fail "a refused copy-db created something"
expect 1 "found by: the --database option" -- where --database "host=$home/none dbname=x"
expect 1 "^server: no server: cannot connect: " -- where --database "host=$home/none dbname=x"

# Numbers are plain decimal 16-bit numbers; anything else is refused, never read another way.
for n in 010 +1 -0 0x10 -0x8000 1e3 " 5" 5x ""; do
    expect 105 "--node: '${n/+/\\+}' is not a decimal number" -- open --config 1 --partition 1 --node "$n"
done
expect 105 "--config: -32769 is not in range -32768 to 32767" -- list --config -32769 --partition 1

# Scripts that cannot be read: status 2 and the reason, before the database is even looked at
# (the demo creates nothing).
scripts=$(mktemp -d)
trap 'rm -rf "$home" "$scripts"' EXIT
chmod 755 "$scripts"
truncate -s 2M "$scripts/big.session"
printf 'close\n' >"$scripts/secret.session"
chmod 000 "$scripts/secret.session"
while IFS='|' read -r script why; do
    expect 2 "cannot read the script $script: $why" -- open --config 1 --partition 1 --node 1 \
        --script "$script"
done <<EOF
$scripts/none.session|No such file or directory
$scripts|it is a directory, not a regular file
/dev/zero|it is a character device, not a regular file
$scripts/big.session|it has 2097152 bytes, more than the 1048576 \(1 MiB\)
EOF
# root reads any file: the unreadable one is tried as nobody.
[ "$(id -u)" = 0 ] && run="setpriv --reuid=65534 --regid=65534 --clear-groups"
expect 2 "secret.session: Permission denied" -- open --config 1 --partition 1 --node 1 \
    --script "$scripts/secret.session"
run=
PROGRAMDATA=$home/fresh expect 2 "it is a directory" -- demo --script "$scripts"
[ -e "$home/fresh" ] && fail "demo with an unreadable script created $home/fresh"
exit $status
