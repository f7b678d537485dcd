#!/usr/bin/env python3
"""Runs every tintwell-cli subcommand with --json against emulated instruments
and checks each line (and each exported JSON file) against the schema."""
import json
import os
import subprocess
import sys
import tempfile

import jsonschema

cli, schema_path = sys.argv[1], sys.argv[2]
with open(schema_path, encoding="utf-8") as f:
    schema = json.load(f)
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)

data_home = tempfile.mkdtemp()  # no journal of this machine's window
# The curves the spectral commands read: what spectral export writes from the emulator.
curves = os.path.join(data_home, "spectra.ti3")
subprocess.run([cli, "--simulate", "TX310", "spectral", "export", "--format", "cgats", "-o", curves],
               stdin=subprocess.DEVNULL, capture_output=True, timeout=60, check=True)
names = [json.loads(l)["name"] for l in subprocess.run([cli, "--json", "spectral", "colour", curves],
         capture_output=True, timeout=60, check=True).stdout.decode("utf-8").splitlines() if l.strip()]

# A library standard for the standards commands and compare --standard-code.
subprocess.run([cli, "standards", "add", "Red 12", "--lab", "50,1,2", "--code", "4006381333931",
                "--tolerance", "dE00<=1,dL=-0.8..0.8,db=-0.3..0.6:info", "--warn", "80"],
               stdin=subprocess.DEVNULL, capture_output=True, timeout=60, check=True,
               env=dict(os.environ, XDG_DATA_HOME=data_home))

RUNS = [
    ("devices", ["--simulate", "TX310", "--simulate", "TX430:350", "devices"]),
    ("identify", ["--simulate", "TX470", "identify"]),
    ("identify, first generation", ["--simulate", "TX450:250", "identify"]),
    ("measure Haze/T", ["--simulate", "TX310", "measure"]),
    ("measure LCh", ["--simulate", "TX420", "measure", "--mode", "lch"]),
    ("measure, 3 readings", ["--simulate", "TX420", "measure", "--mode", "lab", "--readings", "3", "--median"]),
    ("compare, 2 readings", ["--simulate", "TX310", "compare", "--standard", "measure", "--count", "2", "--readings", "2"]),
    ("compare x3", ["--simulate", "TX310", "compare", "--standard", "measure", "--count", "3"]),
    ("compare legacy", ["--simulate", "TX420:250", "compare", "--standard", "measure"]),
    ("compare Yxy", ["--simulate", "TX310", "compare", "--mode", "yxy", "--standard", "measure"]),
    ("settings get", ["--simulate", "TX310", "settings", "get"]),
    ("settings get, parameter", ["--simulate", "TX420", "settings", "get"]),
    ("settings set", ["--simulate", "TX310", "settings", "set", "--threshold", "2"]),
    ("records export", ["--simulate", "TX310", "records", "export", "--format", "json"]),
    ("records export Lab", ["--simulate", "TX420", "records", "export", "--format", "json"]),
    ("spectral export", ["--simulate", "TX430", "spectral", "export", "--format", "json"]),
    ("journal export", ["journal", "export"]),
    ("spectral colour", ["spectral", "colour", curves, "--illuminant", "F11", "--observer", "2"]),
    ("spectral compare", ["spectral", "compare", curves, "--standard", names[0], "--sample", names[-1],
                          "--illuminants", "D65,A,F11"]),
    ("spectral indices", ["spectral", "indices", curves]),
    ("spectral indices under A", ["spectral", "indices", curves, "--illuminant", "A"]),
    ("standards list", ["standards", "list"]),
    ("standards show", ["standards", "show", "red 12"]),
    ("compare, library standard", ["--simulate", "TX420", "compare", "--standard-code", "4006381333931"]),
]

failures = 0
checked = 0
for name, args in RUNS:
    run = subprocess.run([cli, "--json"] + args, stdin=subprocess.DEVNULL, capture_output=True, timeout=60,
                         env=dict(os.environ, XDG_DATA_HOME=data_home))
    if run.returncode not in (0, 1):
        print(f"FAIL {name}: exit {run.returncode}: {run.stderr.decode()}")
        failures += 1
        continue
    lines = [l for l in run.stdout.decode("utf-8").splitlines() if l.strip()]
    if not lines:
        print(f"FAIL {name}: nothing on standard output")
        failures += 1
    for line in lines:
        try:
            validator.validate(json.loads(line))
            checked += 1
        except (json.JSONDecodeError, jsonschema.ValidationError) as error:
            print(f"FAIL {name}: {error}\n  {line[:300]}")
            failures += 1

print(f"{checked} JSON results checked, {failures} failures")
sys.exit(1 if failures else 0)
