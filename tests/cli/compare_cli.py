#!/usr/bin/env python3
"""Runs the same random kolmira-cli sessions through two builds and reports
every difference in their standard output, standard error, exit status and
saved files. For refactorings that must not change what the command line
prints: build the old tree once, keep its binary, then compare.

    tests/cli/compare_cli.py OLD_KOLMIRA_CLI NEW_KOLMIRA_CLI [-n 3000] [--draw 1]

Sessions are drawn from a vocabulary of the program's own fields, buttons
and dialogs, with valid, boundary and invalid values, so that most of them
reach deep into the dialogs and many end in a refusal. A few input files
are made first (by the old build) and loaded by later sessions.
"""
import argparse
import os
import random
import shutil
import subprocess
import sys
import tempfile

MAIN_FIELDS = {
    "mn": ["1", "2", "3", "2.5", "0.5", "!0", "!-1", "!abc", "!1,5", "10"],
    "z1": ["12", "17", "20", "23", "30", "8", "4", "!3", "41"],
    "z2": ["24", "40", "61", "80", "-80", "5000", "!3", "100", "19"],
    "betaDeg": ["0", "12", "18", "30", "45", "!91", "!-1", "!a", "20.3", "8.3"],
    "b": ["10", "20", "30", "!0", "50", "12"],
    "xSum": ["0", "0.3", "0.5", "-0.5", "1.2", "!11", "!-16", "-3"],
    "x1": ["0", "0.1", "0.3", "0.6", "-0.3", "1.5", "!9", "-1"],
    "x2": ["0", "0.1", "0.36", "-0.2", "1", "!9", "0.5"],
    "aw": ["30", "31", "60", "56.5", "!-30", "!0", "125", "-31", "90"],
    "alphaWtDeg": ["20", "22", "25", "!0", "!90", "18", "21.3"],
    "jn": ["0", "0.05", "0.1", "0.2", "!-0.1", "!2", "!"],
    "haP1Star": ["1", "1.1", "0.9", "!2", "!-0.1"],
    "haP2Star": ["1", "1.2", "0.8", "!2"],
    "cP1Star": ["0.25", "0.2", "0.3", "!1.2"],
    "cP2Star": ["0.25", "0.2", "0.35"],
    "rhofP1Star": ["0.38", "0.2", "0.3", "1", "0", "!-0.1"],
    "rhofP2Star": ["0.38", "0.2", "1", "0"],
    "alphaPDeg": ["20", "14.5", "25", "!0", "!51", "20.3", "15"],
    "da1": ["22", "44", "45", "!0", "23.5"],
    "da2": ["44", "42", "!0", "-78.5", "-80", "50", "1.2"],
    "SigmaDeg": ["90", "60", "120", "!180", "!0"],
    "Edit3": ["40", "5000", "60"],
    "Edit7": ["0.2", "0.4"],
}

DIALOG_FIELDS = {
    "Vule.jn": ["0.1", "0.05", "0.2", "!-0.1", "!2", "!x"],
    "Vule.awJ": ["30.1", "30.2", "29", "60", "-30.1"],
    "Vule.xSumBacklash": ["-0.1", "-0.2", "!0.5", "!-20"],
    "Vule.Edit1": ["30.05"],
    "Nastroj.Edit1": ["1.25", "1.3", "1.1", "!2.2", "!0"],
    "Nastroj.Edit2": ["0.38", "0.2", "0.5", "1"],
    "Nastroj.Edit3": ["0.75", "0.5", "!1.2", "!0"],
    "Nastroj.Edit4": ["45", "30", "!19", "!91"],
    "Nastroj.Edit6": ["0.75", "0.5", "1.3"],
    "Nastroj.Edit7": ["0.05", "0.02", "!0.5", "!0"],
    "Nastroj.haP02Star": ["1.25", "1.4", "0.9"],
    "Nastroj.rhoaP02Star": ["0.38", "0.3"],
    "Nastroj.hFfP02Star": ["0.6"],
    "Nastroj.alphaKP02Deg": ["40"],
    "Nastroj.hFaP02Star": ["0.6"],
    "Nastroj.prP02": ["0.03"],
    "Fellow.z0": ["35", "30", "25", "!3", "!80", "20", "!x"],
    "Fellow.x0": ["0", "0.2", "-0.3", "!4"],
    "Fellow.rhof0Star": ["0.38", "0.2", "!1"],
    "Fellow.rhoa0Star": ["0", "0.1", "0.2", "1"],
    "Miry.sc1": ["1.5", "1.57", "0.7", "3", "0.1"],
    "Miry.hc1": ["1.0", "0.8", "3"],
    "Miry.sc2": ["1.5", "1.6"],
    "Miry.hc2": ["1.0"],
    "Miry.zw1": ["2", "3", "4", "5", "!9", "!0"],
    "Miry.zw2": ["3", "5", "6", "20"],
    "Miry.dt1": ["1.5", "1.7", "1.8", "3", "0.5"],
    "Miry.dt2": ["1.7", "2"],
    "Miry.dM1": ["20", "21", "19", "25"],
    "Miry.dM2": ["40", "41", "-80", "80"],
    "Ident.scMeas": ["1.5", "1.57", "0.8", "!0", "!10"],
    "Ident.hcMeas": ["1.0", "0.8"],
    "Ident.zwMeas": ["3", "4", "5", "!50"],
    "Ident.WMeas": ["7.7", "10.7", "13.86", "!500"],
    "Ident.DMeas": ["1.7", "1.8"],
    "Ident.MMeas": ["22.3", "43.0"],
    "Ident.mnId0": ["1", "2", "!0"],
    "Ident.mnId1": ["1", "3"],
    "Ident.alphaId0": ["20", "14.5", "!60"],
    "Ident.alphaId1": ["20", "25"],
    "Ident.betaId1": ["0", "10", "!60"],
    "Ident.xId0": ["0", "0.2", "!4"],
    "Ident.xId2": ["0.1"],
}

MAIN_PRESSES = [
    "kontrola", "nuluj", "rozdel", "skluzy", "hlavove", "standard", "nestandard",
    "kruhova-pata", "dec", "dms", "drzet-korekce", "fellow", "nastroje", "vnejsi",
    "vnitrni", "kuzelove", "ulozit", "nacist", "konec", "help", "KOMPLEXNÍ KONTROLA",
    "Rozděl korekce", "TabMeasure", "TabIdent", "TabInputs", "Edit3", "CheckButton",
]
DIALOG_PRESSES = [
    "Vule.prime", "Vule.korekci", "Vule.odsunutim", "Vule.obe", "Vule.pastorek",
    "Vule.kolo", "Vule.frezu", "Vule.prebrousenim", "Vule.ok", "Vule.esc", "Vule.help",
    "Nastroj.ok", "Nastroj.nuluj", "Nastroj.help", "Nastroj.srazeni1",
    "Nastroj.protuberance1", "Nastroj.srazeni2", "Nastroj.protuberance2", "Nastroj.enter",
    "Nastroj.esc", "Nastroj.f1", "Fellow.max-funkcni", "Fellow.plne-zaoblena", "Fellow.ok",
    "Fellow.zpet", "Fellow.help", "Fellow.enter", "Fellow.f1", "Miry.konst1",
    "Miry.roztec1", "Miry.zvol1", "Miry.konst2", "Miry.roztec2", "Miry.zvol2",
    "Ident.RadioGroup1=0", "Ident.RadioGroup1=1", "Ident.RadioGroup2=1",
    "Ident.RadioGroup2=2", "Ident.RadioGroup2=3", "Ident.RadioGroup3=0",
    "Ident.RadioGroup3=3",
]
ODD = [["--field", "nonsense=1"], ["--press", "nonsense"], ["--type", "spiral"],
       ["--field", "Nope.x=1"], ["--field", "mn"], ["--press", "Vule.nonsense"],
       ["--field", "Miry.W1=3"], ["--field", "Ident.Edit45=1"]]


def value(rng, values):
    """A value of a field: mostly one it takes, now and then one it refuses
    (marked with a leading '!' in the tables above)."""
    good = [v for v in values if not v.startswith("!")]
    bad = [v[1:] for v in values if v.startswith("!")]
    return rng.choice(bad) if bad and rng.random() < 0.12 else rng.choice(good)


# Options a dialog field is shown with: pressed first, now and then.
PREREQUISITES = {
    "Vule.awJ": "Vule.odsunutim", "Vule.Edit1": "Vule.odsunutim",
    "Vule.xSumBacklash": "Vule.korekci", "Nastroj.Edit3": "Nastroj.srazeni1",
    "Nastroj.Edit4": "Nastroj.srazeni1", "Nastroj.Edit6": "Nastroj.protuberance1",
    "Nastroj.Edit7": "Nastroj.protuberance1", "Nastroj.hFfP02Star": "Nastroj.srazeni2",
    "Nastroj.alphaKP02Deg": "Nastroj.srazeni2", "Nastroj.hFaP02Star": "Nastroj.protuberance2",
    "Nastroj.prP02": "Nastroj.protuberance2", "Miry.sc1": "Miry.zvol1", "Miry.hc1": "Miry.zvol1",
    "Miry.sc2": "Miry.zvol2", "Miry.hc2": "Miry.zvol2", "Ident.xId0": "Ident.RadioGroup1=0",
    "Ident.xId2": "Ident.RadioGroup3=0",
}


def dialogs_of(gear_type):
    """The dialog prefixes a pair of this type has."""
    if gear_type == "bevel":
        return ()
    if gear_type == "internal":
        return ("Vule", "Nastroj", "Fellow", "Miry", "Ident")
    return ("Vule", "Nastroj", "Miry", "Ident")


def session(rng, pool):
    args = []
    if pool and rng.random() < 0.2:
        args.append(rng.choice(pool))
    gear_type = rng.choice(["external"] * 5 + ["internal"] * 3 + ["bevel"])
    if gear_type != "external" or rng.random() < 0.2:
        args += ["--type", gear_type]
    reachable = dialogs_of(gear_type)
    for _ in range(rng.randint(1, 12)):
        r = rng.random()
        if r < 0.42:
            name = rng.choice(list(MAIN_FIELDS))
            args += ["--field", f"{name}={value(rng, MAIN_FIELDS[name])}"]
        elif r < 0.62:
            names = [n for n in DIALOG_FIELDS if n.split(".")[0] in reachable or rng.random() < 0.02]
            if not names:
                continue
            name = rng.choice(names)
            if name in PREREQUISITES and rng.random() < 0.8:
                args += ["--press", PREREQUISITES[name]]
            args += ["--field", f"{name}={value(rng, DIALOG_FIELDS[name])}"]
        elif r < 0.74:
            args += ["--press", rng.choice(MAIN_PRESSES)]
        elif r < 0.88:
            names = [n for n in DIALOG_PRESSES if n.split(".")[0] in reachable or rng.random() < 0.02]
            if names:
                args += ["--press", rng.choice(names)]
        elif r < 0.97:
            args.append("--check")
        elif r < 0.985:
            gear_type = rng.choice(["external", "internal", "bevel"])
            args += ["--type", gear_type]
            reachable = dialogs_of(gear_type)
        elif rng.random() < 0.3:
            args += rng.choice(ODD)
    if rng.random() < 0.15:
        args += ["--save", "out.dat"]
    tail = rng.random()
    if tail < 0.3:
        args.append("--json")
    elif tail < 0.5:
        args.append("--table")
    elif tail < 0.6:
        args.append("--short")
    elif tail < 0.65:
        args += ["--table", "--short"]
    return args


def run(cli, args, cwd):
    p = subprocess.run([cli] + args, cwd=cwd, capture_output=True, timeout=60)
    saved = None
    path = os.path.join(cwd, "out.dat")
    if os.path.exists(path):
        with open(path, "rb") as f:
            saved = f.read()
        os.remove(path)
    return p.returncode, p.stdout, p.stderr, saved


def main():
    ap = argparse.ArgumentParser(description=__doc__,
                                 formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("old")
    ap.add_argument("new")
    ap.add_argument("-n", type=int, default=3000)
    ap.add_argument("--draw", type=int, default=1,
                    help="which draw of random sessions")
    a = ap.parse_args()
    old, new = os.path.abspath(a.old), os.path.abspath(a.new)
    rng = random.Random(a.draw)
    work = tempfile.mkdtemp(prefix="kolmira-compare-")
    try:
        pool_dir = os.path.join(work, "pool")
        os.mkdir(pool_dir)
        pool = []
        for i in range(40):  # input files for later sessions, made by the old build
            args = session(rng, []) + ["--save", os.path.join(pool_dir, f"p{i}.dat")]
            subprocess.run([old] + args, cwd=work, capture_output=True, timeout=60)
            if os.path.exists(os.path.join(pool_dir, f"p{i}.dat")):
                pool.append(os.path.join(pool_dir, f"p{i}.dat"))
        dirs = [os.path.join(work, d) for d in ("old", "new")]
        for d in dirs:
            os.mkdir(d)
        differ = 0
        codes = {}
        for i in range(a.n):
            args = session(rng, pool)
            r_old = run(old, args, dirs[0])
            r_new = run(new, args, dirs[1])
            codes[r_old[0]] = codes.get(r_old[0], 0) + 1
            if r_old != r_new:
                differ += 1
                if differ <= 10:
                    what = [k for k, x, y in zip(("exit", "stdout", "stderr", "saved"), r_old, r_new)
                            if x != y]
                    print(f"DIFFERENT ({', '.join(what)}): kolmira-cli "
                          + " ".join(repr(x) if " " in x or not x else x for x in args))
        print(f"{a.n} sessions, exit statuses {dict(sorted(codes.items()))}, "
              f"{len(pool)} input files, {differ} different")
        return 1 if differ else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
