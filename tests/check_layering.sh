#!/usr/bin/env bash
# The one-way graph of the layers, checked on every include:
#   runtime <- platform <- {editor, data} <- business_rules <- {host, partition} <- desktop
#   <- {apps, bench}; fuzz on everything below desktop
# A file may include its own layer and the layers its layer builds on, nothing else; only
# src/desktop includes Qt. SQL that opens or ends a transaction, and the data layer's own
# headers for its connection and SQLite handles, stay in src/data. There are no exemptions.
#   tests/check_layering.sh [ROOT]     (default: the repository)
set -u
root=${1:-"$(dirname "$0")/.."}
cd "$root" || exit 2

declare -A allowed=(
    [runtime]="runtime"
    [platform]="runtime platform"
    [editor]="runtime platform editor"
    [data]="runtime platform data"
    [business_rules]="runtime platform editor data business_rules"
    [host]="runtime platform editor data business_rules host"
    [partition]="runtime platform editor data business_rules partition"
    [desktop]="runtime platform editor data business_rules host partition desktop"
    [apps]="runtime platform editor data business_rules host partition desktop"
    [bench]="runtime platform editor data business_rules host partition desktop support"
    [fuzz]="runtime platform editor data business_rules host partition"
)
layers="runtime platform editor data business_rules host partition desktop"

status=0
check() {  # layer, folder
    local layer=$1 folder=$2
    [ -d "$folder" ] || return 0
    while IFS=: read -r file line text; do
        local target
        target=$(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([a-z_]+)\/.*/\1/p' <<<"$text")
        [ -n "$target" ] || continue
        # Only the project's own layers (and the tests' support for bench) are judged.
        case " $layers support " in *" $target "*) ;; *) continue ;; esac
        case " ${allowed[$layer]} " in
            *" $target "*) ;;
            *) echo "$file:$line: $layer must not include $target/"; status=1 ;;
        esac
    done < <(grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$folder")
}
for layer in $layers; do check "$layer" "src/$layer"; done
check apps apps
check bench bench
check fuzz fuzz

qt=$(grep -rlE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' src apps bench fuzz \
         --include='*.h' --include='*.cpp' 2>/dev/null | grep -v '^src/desktop/' || true)
if [ -n "$qt" ]; then
    echo "Qt outside src/desktop:"; echo "$qt"; status=1
fi

# Transactions belong to the data layer (data/transaction.h): no SQL text of the product that
# begins, commits or rolls one back anywhere else, and nothing else reaches a DataBase's
# connection. (The benchmarks and tests build their fixture databases with SQLite directly.)
sql=$(grep -rnE --include='*.h' --include='*.cpp' \
          '"[^"]*\b(BEGIN|COMMIT|ROLLBACK|SAVEPOINT)\b[^"]*"|#[[:space:]]*include[[:space:]]*"data/(database_access|sqlite_handles|provider_session)\.h"' \
          src apps fuzz 2>/dev/null | grep -v '^src/data/' || true)
if [ -n "$sql" ]; then
    echo "Transactions or the data layer's own headers outside src/data:"; echo "$sql"; status=1
fi
exit $status
