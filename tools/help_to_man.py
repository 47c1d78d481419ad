#!/usr/bin/env python3
"""Turns a program's --help text into a man page (roff, man macros).

The text is read the way a person reads it:
  * the first lines before "Usage:" describe the program (NAME, DESCRIPTION);
  * "Usage: PROGRAM ..." and its indented continuation lines are the SYNOPSIS;
  * a line at the left margin ending in ":" heads a section. A heading that
    names exit codes or statuses goes to EXIT STATUS, one that names examples
    to EXAMPLES, one that names a description to DESCRIPTION; every other
    heading (options, positionals, fields, buttons, prefixes ...) becomes a
    subsection of OPTIONS, in the order of the text;
  * an indented line "TERM  TEXT" (two or more blanks between them) is an
    entry; lines indented deeper continue its text; a TERM alone on its line
    takes the deeper indented lines below it as its text;
  * in EXAMPLES, a line that runs the program is a command shown as typed,
    any other line a sentence about the commands.
Sections the text does not have are left out, so when --help changes the
man page follows it.

Usage: help_to_man.py --name NAME --version VERSION --output FILE
                      (--program PATH [ARGS...] | --input FILE)
"""

import argparse
import os
import re
import subprocess
import sys

ORDER = ["NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "EXIT STATUS", "EXAMPLES"]


def escape(text):
    """Roff text: backslashes and minus signs escaped, so that options and
    commands copied from the rendered page are the ASCII text typed."""
    text = text.replace("\\", "\\e").replace("-", "\\-")
    # Letters beyond ASCII (Czech captions) as named code points: the page
    # reads the same whatever encoding the formatter assumes.
    return "".join(c if ord(c) < 128 else "\\[u%04X]" % ord(c) for c in text)


def line_start(text):
    """A roff text line: one starting with a dot or an apostrophe would be a
    request."""
    return "\\&" + text if text[:1] in (".", "'") else text


def term(text):
    """An entry's term in bold; in an option's term (one with a word starting
    with a minus sign) the words after the option, its placeholders, in
    italics."""
    pieces = re.split(r"(\s+|,)", text)
    is_option = any(p.startswith("-") for p in pieces)
    out = []
    for piece in pieces:
        if not piece or piece.isspace() or piece == ",":
            out.append(escape(piece))
        elif piece.startswith("-") or not is_option:
            out.append("\\fB" + escape(piece) + "\\fR")
        else:
            out.append("\\fI" + escape(piece) + "\\fR")
    return line_start("".join(out))


def indent_of(line):
    return len(line) - len(line.lstrip(" "))


def classify(heading):
    h = heading.lower()
    if "exit" in h or "status" in h or "return" in h:
        return "EXIT STATUS"
    if "example" in h:
        return "EXAMPLES"
    if "description" in h:
        return "DESCRIPTION"
    return "OPTIONS"


def names_program(line, name):
    """Whether a line starts with the program, by its name or a path to it."""
    return re.match(r"^\s*(\$\s+)?(\S*/)?" + re.escape(name) + r"(\s|$)", line) is not None


def without_program(line, name):
    """A usage form without the program's own name or path: the build tree's
    path to the program is no part of the page."""
    words = line.strip().split(None, 1)
    if words and (words[0] == name or words[0].endswith("/" + name)):
        return words[1] if len(words) > 1 else ""
    return line.strip()


HEADING = re.compile(r"^([A-Za-z][^:]*):\s*$")
ENTRY = re.compile(r"^(\s+)(\S.*?)(?:\s{2,}|\t+)(\S.*)$")


def parse(text, name):
    """Splits the help text into (usage lines, description paragraphs,
    sections); a section is (bucket, heading, lines)."""
    lines = [l.rstrip().expandtabs(8) for l in text.splitlines()]
    usage, intro, sections = [], [], []
    current = None
    i = 0
    while i < len(lines):
        line = lines[i]
        stripped = line.strip()
        if stripped.lower().startswith("usage:"):
            # One form per line that names the program; the other indented
            # lines up to a blank line or a heading continue the form above.
            usage.append(without_program(stripped[len("usage:"):], name))
            i += 1
            while i < len(lines) and lines[i].strip() and indent_of(lines[i]) > 0 \
                    and not HEADING.match(lines[i]):
                if names_program(lines[i], name):
                    usage.append(without_program(lines[i], name))
                else:
                    usage[-1] = (usage[-1] + " " + lines[i].strip()).strip()
                i += 1
            current = None
            continue
        m = HEADING.match(line)
        if m and indent_of(line) == 0 and len(line) <= 60:
            current = (classify(m.group(1)), m.group(1).strip(), [])
            sections.append(current)
            i += 1
            continue
        if current is None:
            intro.append(line)
        else:
            current[2].append(line)
        i += 1
    return usage, intro, sections


def paragraphs(lines):
    """Blank-line separated runs of text, each joined into one string."""
    out, run = [], []
    for line in lines + [""]:
        if line.strip():
            run.append(line.strip())
        elif run:
            out.append(" ".join(run))
            run = []
    return out


def entries(lines):
    """The roff of a section's body: entries as tagged paragraphs, other text
    as paragraphs."""
    out = []
    i = 0
    n = len(lines)
    while i < n:
        line = lines[i]
        if not line.strip():
            i += 1
            continue
        m = ENTRY.match(line)
        nxt = lines[i + 1] if i + 1 < n else ""
        if m:
            base = len(m.group(1))
            text = [m.group(3).strip()]
            column = line.index(m.group(3), base + len(m.group(2)))
            i += 1
            while i < n and lines[i].strip() and indent_of(lines[i]) > base \
                    and (indent_of(lines[i]) >= column or not ENTRY.match(lines[i])):
                text.append(lines[i].strip())
                i += 1
            out += [".TP", term(m.group(2).strip()), line_start(escape(" ".join(text)))]
            continue
        if indent_of(line) > 0 and nxt.strip() and indent_of(nxt) > indent_of(line):
            base = indent_of(line)
            head = line.strip()
            text = []
            i += 1
            while i < n and lines[i].strip() and indent_of(lines[i]) > base:
                text.append(lines[i].strip())
                i += 1
            out += [".TP", term(head), line_start(escape(" ".join(text)))]
            continue
        run = []
        while i < n and lines[i].strip() and not ENTRY.match(lines[i]) and not (
                indent_of(lines[i]) > 0 and i + 1 < n and lines[i + 1].strip()
                and indent_of(lines[i + 1]) > indent_of(lines[i])):
            run.append(lines[i].strip())
            i += 1
        if run:
            out += [".PP", line_start(escape(" ".join(run)))]
        else:
            i += 1
    return out


def examples(lines, name):
    """Commands as typed (no filling), sentences as paragraphs."""
    out = []
    block = []

    def flush():
        if block:
            out.extend([".PP", ".RS 4", ".nf"] + block + [".fi", ".RE"])
            block.clear()

    for line in lines:
        if not line.strip():
            flush()
            continue
        if names_program(line, name):
            typed = re.sub(r"^\s*(\$\s+)?(\S*/)?", "", line, count=1)
            block.append(line_start(escape(typed)))
        else:
            flush()
            text = line.strip()
            if text.startswith("#"):
                text = text.lstrip("#").strip()
            out += [".PP", line_start(escape(text))]
    flush()
    return out


def to_man(text, name, version):
    usage, intro, sections = parse(text, name)
    intro_paras = paragraphs(intro)
    summary = intro_paras[0] if intro_paras else ""
    if ":" in summary and summary.split(":", 1)[0].strip().lower() == name.lower().split("-")[0]:
        summary = summary.split(":", 1)[1].strip()
    body = {key: [] for key in ORDER}
    body["NAME"] = [line_start(escape(name) + (" \\- " + escape(summary) if summary else ""))]
    for form in usage:
        body["SYNOPSIS"] += [".br" if body["SYNOPSIS"] else ".nh",
                             "\\fB" + escape(name) + "\\fR " + escape(form)]
    if body["SYNOPSIS"]:
        body["SYNOPSIS"].append(".hy")
    for p in intro_paras[1:]:
        body["DESCRIPTION"] += [".PP", line_start(escape(p))]
    if intro_paras and not body["DESCRIPTION"]:
        body["DESCRIPTION"] += [".PP", line_start(escape(intro_paras[0]))]
    options = [s for s in sections if s[0] == "OPTIONS"]
    for bucket, heading, lines in sections:
        if bucket == "EXAMPLES":
            body[bucket] += examples(lines, name)
        elif bucket == "OPTIONS":
            if len(options) > 1 or heading.lower() != "options":
                body[bucket] += [".SS " + escape(heading)]
            body[bucket] += entries(lines)
        elif bucket == "DESCRIPTION":
            body[bucket] += entries(lines)
        else:
            body[bucket] += entries(lines)
    out = ['.\\" Made from "' + name + ' --help" by tools/help_to_man.py; do not edit.',
           '.TH "' + escape(name.upper()) + '" 1 "" "' + escape(name + " " + version)
           + '" "User Commands"']
    for key in ORDER:
        if body[key]:
            out.append(".SH " + ('"' + key + '"' if " " in key else key))
            out += body[key]
    return "\n".join(out) + "\n"


def main():
    parser = argparse.ArgumentParser(description="Turns --help text into a man page.")
    parser.add_argument("--name", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--output", required=True)
    source = parser.add_mutually_exclusive_group(required=True)
    source.add_argument("--input", help="a file holding the help text")
    source.add_argument("--program", nargs="+", help="the program (and arguments) to run with --help")
    args = parser.parse_args()
    if args.input:
        with open(args.input, encoding="utf-8") as f:
            text = f.read()
    else:
        run = subprocess.run(args.program + ["--help"], capture_output=True)
        if run.returncode != 0:
            sys.stderr.write(run.stderr.decode("utf-8", "replace"))
            sys.exit("%s --help exited %d" % (args.program[0], run.returncode))
        text = run.stdout.decode("utf-8")
    if not text.strip():
        sys.exit("the help text is empty")
    page = to_man(text, args.name, args.version)
    temporary = args.output + ".tmp"
    with open(temporary, "w", encoding="utf-8") as f:
        f.write(page)
    os.replace(temporary, args.output)


if __name__ == "__main__":
    main()
