#!/usr/bin/env python3
"""The documents of kolmira-cli --json against docs/kolmira-check.schema.json:
the README's example commands, a refused entry, a bad file, and a run over
many files (one document per line).
Usage: schema_test.py KOLMIRA_CLI SCHEMA"""
import json
import os
import subprocess
import sys
import tempfile

try:
    import jsonschema
except ImportError:
    # A Python of its own (pyenv, a venv) may lack the validator that
    # scripts/setup installs for the system's Python.
    if sys.executable != "/usr/bin/python3" and os.path.exists("/usr/bin/python3"):
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    raise

cli, schema_path = os.path.abspath(sys.argv[1]), sys.argv[2]
with open(schema_path, encoding="utf-8") as f:
    schema = json.load(f)
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
failures = 0
work = tempfile.mkdtemp()
pair = os.path.join(work, "pair.dat")
bad = os.path.join(work, "bad.dat")


def run(args, code):
    p = subprocess.run([cli] + args, capture_output=True, text=True, cwd=work)
    if p.returncode != code:
        fail("%s: exit %d, expected %d\n%s" % (args, p.returncode, code, p.stderr))
    return p.stdout


def fail(text):
    global failures
    failures += 1
    print("FAIL:", text)


def valid(doc, what):
    errors = sorted(validator.iter_errors(doc), key=lambda e: list(e.path))
    for e in errors[:5]:
        fail("%s: %s at %s" % (what, e.message, "/".join(map(str, e.path))))
    return not errors


# The README's examples, as JSON.
examples = [
    ["--field", "mn=3", "--field", "z1=12", "--field", "z2=24", "--field", "x1=0.6",
     "--field", "x2=0.36", "--check"],
    ["--type", "internal", "--field", "xSum=0.3", "--press", "skluzy", "--check"],
    ["--type", "bevel", "--field", "z1=18", "--field", "z2=36", "--field", "b=12", "--check",
     "--save", pair],
    ["--field", "mn=1", "--field", "Ident.zwMeas=5", "--field", "Ident.WMeas=13.8588",
     "--press", "Ident.RadioGroup2=3", "--check"],
]
for args in examples:
    doc = json.loads(run(args + ["--json"], 0))
    if valid(doc, " ".join(args)) and doc["check"] is None:
        fail("%s: no check" % args)
first = json.loads(run(examples[0] + ["--json"], 0))
if first["pinion"]["units"]["d1"] != "mm" or first["inputs"]["units"]["alphaWtDeg"] != "deg":
    fail("units of d1 and alphaWtDeg")
if abs(first["inputs"]["aw"] - 56.49987) > 1e-4:
    fail("aw of the shifted pair: %r" % first["inputs"]["aw"])
ident = json.loads(run(examples[3] + ["--json"], 0))["identification"]
span = ident["methods"][1]
if not (ident["used"] and span["ran"] and span["computes"] == "shift"
        and span["outcome"] == "solved" and abs(span["result"] - 0.0204) < 1e-4):
    fail("identification of a shift: %r" % span)

# A refused entry: the document still comes, with what refused it.
doc = json.loads(run(["--field", "mn=0", "--json"], 2))
if valid(doc, "refused module"):
    if doc.get("refused", {}).get("text") != "Modul vol větší než 0":
        fail("refusal: %r" % doc.get("refused"))
    if doc["messages"][-1]["kind"] != "error":
        fail("message kind: %r" % doc["messages"])

# A bad file among good ones: one line each, the bad one refused, the worst
# exit status.
with open(pair, encoding="latin-1") as f:
    lines = f.read().split("\n")
lines[5] = "-2.000000000000\r"
with open(bad, "w", encoding="latin-1") as f:
    f.write("\n".join(lines))
out = run(["--check", "--json", pair, bad, pair], 2).splitlines()
if len(out) != 3:
    fail("three files, %d lines" % len(out))
for n, line in enumerate(out):
    doc = json.loads(line)
    valid(doc, "file %d" % n)
    if doc.get("file") != [pair, bad, pair][n]:
        fail("file %d named %r" % (n, doc.get("file")))
    if ("refused" in doc) != (n == 1):
        fail("file %d refused: %r" % (n, doc.get("refused")))
if "refused" in json.loads(out[1]) and "řádek 6" not in json.loads(out[1])["refused"]["text"]:
    fail("bad file's refusal: %r" % json.loads(out[1])["refused"])

# Without --json each file's report is headed by its name.
text = run(["--check", pair, pair], 0)
if text.count("== " + pair + " ==") != 2:
    fail("text of two files headed by their names")

print("%d failure(s)" % failures if failures else "all schema checks passed")
sys.exit(1 if failures else 0)
