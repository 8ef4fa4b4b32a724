#!/usr/bin/env bash
# The layering check itself: a tree with one planted include against the graph must fail,
# the same tree without it must pass.
set -u
check="$(cd "$(dirname "$0")" && pwd)/check_layering.sh"
status=0
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

plant() {  # file, line: a fresh tree with the allowed includes and the planted one
    rm -rf "${tree:?}"/*
    mkdir -p "$tree"/src/{runtime,platform,editor,data,business_rules,host,partition,desktop} "$tree/apps"
    echo '#include "runtime/error.h"' >"$tree/src/platform/seam.h"
    echo '#include "platform/seam.h"' >"$tree/src/editor/form.h"
    echo '#include "editor/form.h"' >"$tree/src/business_rules/rules.h"
    echo '#include <QWidget>' >"$tree/src/desktop/view.cpp"
    [ -z "$1" ] || { mkdir -p "$(dirname "$tree/$1")"; echo "$2" >>"$tree/$1"; }
}
expect() {  # want (pass|fail), file, line
    plant "$2" "$3"
    if bash "$check" "$tree" >/dev/null; then got=pass; else got=fail; fi
    [ "$got" = "$1" ] || { echo "FAIL: ${2:-clean tree} with '$3': $got, want $1"; status=1; }
}

expect pass "" ""
expect fail src/editor/form.h '#include "data/database.h"'
expect fail src/data/db.h '#include "editor/gui.h"'
expect fail src/platform/seam.h '#include "business_rules/rules.h"'
expect fail src/business_rules/rules.h '#include "host/editor_host.h"'
expect fail src/host/host.h '#include "desktop/desktop.h"'
expect fail src/runtime/x.h '  #  include "platform/seam.h"'
expect fail src/host/host.cpp '#include <QString>'
expect fail src/host/host.cpp '#include "partition/check.h"'
expect fail src/partition/check.cpp '#include "host/editor_host.h"'
expect pass src/partition/check.cpp '#include "business_rules/rules.h"'
expect fail src/partition/check.cpp 'run("BEGIN");'
expect fail apps/report.cpp 'db.exec("ROLLBACK TO x");'
expect fail src/host/run.cpp '#include "data/database_access.h"'
expect pass src/data/transaction.cpp 'run("COMMIT");'
expect pass apps/main.cpp '#include "desktop/view.h"'
exit $status
