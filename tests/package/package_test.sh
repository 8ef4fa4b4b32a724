#!/usr/bin/env bash
# The Debian package as an administrator installs it: built with CPack from this build, its
# files (program, manual page, completion, copyright, changelog, examples, menu entry), its
# control data, its maintainer scripts run against a scratch root (the group, the setgid
# database folder, purge that keeps a database), and lintian finding no error in it.
# Arguments: the build folder, the program.
set -u
build=$1
program=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
deb=$(ls "$work"/out/xfer-node-editor_*.deb)

contents=$(dpkg-deb -c "$deb")
for file in ./usr/bin/xfer-node-editor ./usr/share/man/man1/xfer-node-editor.1.gz \
    ./usr/share/bash-completion/completions/xfer-node-editor \
    ./usr/share/applications/xfer-node-editor.desktop \
    ./usr/share/doc/xfer-node-editor/copyright ./usr/share/doc/xfer-node-editor/changelog.gz \
    ./usr/share/doc/xfer-node-editor/examples/edit-node.session; do
    grep -q " $file\$" <<<"$contents" || fail "the package has no $file"
done
grep -q ' \./var/' <<<"$contents" && fail "the package ships files under /var (the scripts make the folder)"

version=$(dpkg-deb -f "$deb" Version)
[ "$("$program" --version)" = "xfer-node-editor $version" ] \
    || fail "--version says '$("$program" --version)', the package $version"
dpkg-deb -f "$deb" Depends | grep -q adduser || fail "no dependency on adduser, which makes the group"
dpkg-deb -x "$deb" "$work/files"
doc=$work/files/usr/share/doc/xfer-node-editor
head -1 "$doc/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    || fail "the copyright file is not machine-readable (DEP-5)"
zcat "$doc/changelog.gz" | head -1 | grep -q "^xfer-node-editor ($version) " \
    || fail "the changelog's first entry is not $version"
zcat "$work/files/usr/share/man/man1/xfer-node-editor.1.gz" | grep -q '^\.SH FILES' \
    || fail "the manual page has no FILES section"
zcat "$work/files/usr/share/man/man1/xfer-node-editor.1.gz" | grep -q 'copy\\-db' \
    || fail "the manual page does not list the commands of --help"
grep -qx 'Exec=xfer-node-editor' "$work/files/usr/share/applications/xfer-node-editor.desktop" \
    || fail "the menu entry runs a command (it must create and change nothing)"
bash -c "source '$work/files/usr/share/bash-completion/completions/xfer-node-editor'
         COMP_WORDS=(xfer-node-editor ch); COMP_CWORD=1; _xfer_node_editor; echo \${COMPREPLY[*]}" \
    | grep -qx check || fail "bash completion does not complete 'ch' to check"

# The menu entry's program run with no command writes nothing.
mkdir "$work/data"
PROGRAMDATA=$work/data "$program" >/dev/null 2>&1
[ -z "$(ls -A "$work/data")" ] || fail "no command created $(ls -A "$work/data")"

# The maintainer scripts, against a scratch root: the group and ownership calls are recorded
# by stand-ins, the folders and modes are real.
dpkg-deb -e "$deb" "$work/control"
mkdir -p "$work/bin" "$work/root"
for tool in addgroup chown; do
    printf '#!/bin/sh\necho "%s $*" >>"%s/calls"\n' "$tool" "$work" >"$work/bin/$tool"
done
printf '#!/bin/sh\n[ -e "%s/group" ]\n' "$work" >"$work/bin/getent"
printf '#!/bin/sh\nexit 1\n' >"$work/bin/dpkg-statoverride"
chmod +x "$work"/bin/*
scripts() { DPKG_ROOT=$work/root PATH=$work/bin:$PATH sh -e "$work/control/$1" "${@:2}"; }
folder=$work/root/var/lib/Quorvel/VDACOM+/Database
scripts postinst configure || fail "postinst configure failed"
grep -qx 'addgroup --quiet --system vdacom' "$work/calls" || fail "postinst made no system group: $(cat "$work/calls")"
grep -qx "chown root:vdacom $folder" "$work/calls" || fail "postinst gave the folder to no group"
[ "$(stat -c %a "$folder" 2>/dev/null)" = 2775 ] || fail "the folder's mode is $(stat -c %a "$folder" 2>/dev/null), not 2775"
touch "$work/group"; : >"$work/calls"
scripts postinst configure 0.1.0 || fail "postinst configure (again) failed"
grep -q addgroup "$work/calls" && fail "postinst made the group again"
touch "$folder/NewDB.mdb"
scripts postrm purge || fail "postrm purge failed"
[ -e "$folder/NewDB.mdb" ] || fail "purge removed the site's database"
rm "$folder/NewDB.mdb"
scripts postrm purge
[ -e "$work/root/var/lib/Quorvel" ] && fail "purge left the empty folders"

lintian --no-tag-display-limit "$deb" >"$work/lintian" 2>&1
if grep -q '^E:' "$work/lintian"; then
    fail "lintian reports errors:"
    grep '^E:' "$work/lintian"
fi
exit $status
