#!/usr/bin/env bash
# The one-way graph of the layers, checked on every include:
#   runtime <- platform <- {editor, data} <- business_rules <- host <- {desktop, apps, bench,
#   fuzz}
# A file may include its own layer and the layers its layer builds on, nothing else; only
# src/desktop includes Qt. There are no exemptions.
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
    [desktop]="runtime platform editor data business_rules host desktop"
    [apps]="runtime platform editor data business_rules host desktop"
    [bench]="runtime platform editor data business_rules host desktop support"
    [fuzz]="runtime platform editor data business_rules host"
)
layers="runtime platform editor data business_rules host desktop"

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
exit $status
