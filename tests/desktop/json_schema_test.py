#!/usr/bin/env python3
"""The program's JSON reports against the schemas in docs/schemas, with a real validator.

Usage: json_schema_test.py PROGRAM SCHEMA_DIR
Runs on the demo database in a temp folder; every report must be valid and non-trivial, and a
report with a field renamed or dropped must be refused (so the schemas really pin the fields).
"""
import copy
import json
import os
import subprocess
import sys
import tempfile

import jsonschema

program, schema_dir = sys.argv[1], sys.argv[2]
failures = []


def run(*args, env):
    done = subprocess.run([program, *args], env=env, capture_output=True, text=True, timeout=120)
    return done.returncode, done.stdout


def schema(name):
    with open(os.path.join(schema_dir, name + ".schema.json"), encoding="utf-8") as f:
        loaded = json.load(f)
    jsonschema.Draft202012Validator.check_schema(loaded)
    return jsonschema.Draft202012Validator(loaded)


def renamed(document, path, new_key):
    """A copy of document with the key at path (a list of keys and indexes) renamed."""
    changed = copy.deepcopy(document)
    parent = changed
    for step in path[:-1]:
        parent = parent[step]
    parent[new_key] = parent.pop(path[-1])
    return changed


with tempfile.TemporaryDirectory() as home:
    env = dict(os.environ, PROGRAMDATA=home)
    for key in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
        env.pop(key, None)
    rc, _ = run("init-db", "--demo", env=env)
    assert rc == 0, "init-db --demo failed"

    # (report, command, expected exit, a list that must not be empty, fields to rename)
    cases = [
        ("check", ["check", "--config", "1", "--partition", "1", "--json"], 1, "dangling",
         [["dangling", 0, "exceptions"], ["dangling", 0, "targetTypeId"], ["unchecked", 0, "reason"],
          ["nodes"]]),
        ("list", ["list", "--config", "1", "--partition", "1", "--json"], 0, "nodes",
         [["nodes", 0, "dial"], ["nodes", 0, "targets", "Busy 1"], ["nodes", 0, "targets", "Hold", "number"]]),
        ("refs", ["refs", "--config", "1", "--partition", "1", "--type", "MSG", "--node", "20", "--json"],
         0, "referrers", [["referrers", 0, "shown"], ["target"]]),
    ]
    for name, args, want, listed, renames in cases:
        validator = schema(name)
        rc, out = run(*args, env=env)
        if rc != want:
            failures.append(f"{name}: exit {rc}, not {want}")
            continue
        document = json.loads(out)
        for error in validator.iter_errors(document):
            failures.append(f"{name}: {error.json_path}: {error.message}")
        if not document.get(listed):
            failures.append(f"{name}: '{listed}' is empty on the demo, the check proves nothing")
            continue
        if name == "check" and not document["unchecked"]:
            failures.append("check: the demo's unchecked node is missing")
            continue
        for path in renames:
            if validator.is_valid(renamed(document, path, "renamed")):
                failures.append(f"{name}: renaming {path} still passes the schema")
        dropped = copy.deepcopy(document)
        dropped.pop(listed)
        if validator.is_valid(dropped):
            failures.append(f"{name}: dropping '{listed}' still passes the schema")

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
