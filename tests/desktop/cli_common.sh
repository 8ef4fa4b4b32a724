# Sourced by the command-line tests with their arguments (the program, the examples folder):
# a home in a temp folder that the program takes as its common application data, no display,
# and expect.
program=$1
examples=$2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export PROGRAMDATA=$home
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
status=0
fail() { echo "FAIL: $*"; status=1; }
# expect <exit: a status, or nonzero> <pattern in stdout+stderr> -- command...
# ($run, when set, is a command the program runs under, e.g. as another user.)
expect() {
    local want=$1 pattern=$2; shift 3
    local out rc
    out=$(${run:-} "$program" "$@" 2>&1); rc=$?
    if [ "$want" = nonzero ] && [ $rc -eq 0 ]; then fail "$* exited 0"; fi
    if [ "$want" != nonzero ] && [ $rc -ne "$want" ]; then fail "$* exited $rc, not $want"; fi
    grep -qE -- "$pattern" <<<"$out" || { fail "$*: no /$pattern/ in:"; echo "$out"; }
}
