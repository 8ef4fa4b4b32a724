#!/usr/bin/env bash
# Fails when a lower layer includes a higher one, or when Qt appears outside src/desktop.
set -u
cd "$(dirname "$0")/.."
status=0
check() {  # layer, forbidden include prefixes...
    local layer=$1; shift
    for forbidden in "$@"; do
        hits=$(grep -rnE "#include [\"<]${forbidden}/" "src/${layer}" 2>/dev/null)
        if [ -n "$hits" ]; then
            echo "src/${layer} must not include ${forbidden}/:"; echo "$hits"; status=1
        fi
    done
}
check runtime platform data editor business_rules desktop
check platform data editor business_rules desktop
check data editor business_rules desktop
check business_rules desktop
check editor desktop
qt=$(grep -rlE '#include <Q' src apps --include='*.h' --include='*.cpp' | grep -v '^src/desktop/' || true)
if [ -n "$qt" ]; then echo "Qt outside src/desktop: $qt"; status=1; fi
exit $status
