#!/usr/bin/env bash
# The README's command examples, run as a new user meets them: `make run` (its script) in a
# fresh home without a display, then the line it prints, then each example that needs no
# server, no root and no package, in the README's order: a `$ ` line's output must match what
# the README prints under it ("..." stands for any lines, /home/me for the home), `echo $?` the
# status before it; a bare command line must succeed.
# Arguments: the source folder, the build folder.
set -u
source_dir=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home
mkdir -p "$HOME" "$work/cwd"
unset PROGRAMDATA XDG_DATA_HOME DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM VDACOM_DATABASE_SERVER

"$source_dir/scripts/run-demo.sh" "$build" >"$work/run.log" 2>&1 \
    || { cat "$work/run.log"; echo "FAIL: make run's script failed"; exit 1; }
line=$(tail -1 "$work/run.log")
case $line in
    "export PROGRAMDATA="*) eval "$line" ;;
    *) cat "$work/run.log"; echo "FAIL: make run does not end with the export line"; exit 1 ;;
esac
grep -q "^The demo database is $HOME/.local/share/Quorvel/VDACOM+/Database/NewDB.mdb$" "$work/run.log" \
    || { cat "$work/run.log"; echo "FAIL: make run does not say where the demo database is"; exit 1; }

ln -s "$source_dir/examples" "$work/cwd/examples"
cd "$work/cwd"
python3 - "$source_dir/README.md" <<'PY'
import os, re, subprocess, sys

text = open(sys.argv[1], encoding="utf-8").read()
blocks = re.findall(r"^```[a-z]*\n(.*?)^```", text, re.S | re.M)
home = os.environ["HOME"]
failures, ran = [], 0
# What a user cannot run here: a server, root, another machine, make itself.
skip = re.compile(r"host=|sudo|pgpass|apt |make |/var/lib|--database")

def run(command):
    done = subprocess.run(["bash", "-c", command], capture_output=True, text=True)
    return done.returncode, (done.stdout + done.stderr).splitlines()

def matches(expected, actual):
    if not expected:
        return not actual
    if expected[0] == "...":
        return any(matches(expected[1:], actual[i:]) for i in range(len(actual) + 1))
    return bool(actual) and expected[0] == actual[0] and matches(expected[1:], actual[1:])

for block in blocks:
    lines = block.splitlines()
    if "[--" in block:
        continue  # the synopsis: placeholders, not commands
    if "$EDITOR" in block:
        continue  # a workflow with a person's step in it: a sketch for a site's own partition
    if any(l.startswith("$ ") for l in lines):
        status = 0
        i = 0
        while i < len(lines):
            command = lines[i][2:]
            expected = []
            i += 1
            while i < len(lines) and not lines[i].startswith("$ "):
                expected.append(lines[i].replace("/home/me", home))
                i += 1
            if skip.search(command):
                continue
            if command == "echo $?":
                actual = [str(status)]
            elif command.startswith("cat ") and not os.path.exists(command[4:]):
                # A file the example shows: written as shown.
                open(command[4:], "w").write("\n".join(expected) + "\n")
                continue
            else:
                status, actual = run(command)
            ran += 1
            if not matches(expected, actual):
                failures.append("$ %s\nexpected:\n%s\nactual:\n%s" % (
                    command, "\n".join(expected), "\n".join(actual)))
    else:
        for command in lines:
            if not command.startswith("xfer-node-editor ") or skip.search(command):
                continue
            status, actual = run(command)
            ran += 1
            if status != 0:
                failures.append("%s\nexited %d:\n%s" % (command, status, "\n".join(actual[-20:])))

for f in failures:
    print("FAIL:", f, "\n")
print("%d README examples run, %d failed" % (ran, len(failures)))
sys.exit(1 if failures or ran < 8 else 0)
PY
