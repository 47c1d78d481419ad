#!/usr/bin/env python3
"""The man page follows the --help text: tools/help_to_man.py on two help
texts, the plain one of the option parser and a fuller one with fields,
buttons, exit codes and examples. Where groff is present each page is also
formatted, with every warning on, and read back as a person would.

Usage: help_to_man_test.py TOOLS_DIR
"""

import os
import re
import shutil
import subprocess
import sys
import unittest

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, sys.argv.pop(1) if len(sys.argv) > 1 else
                os.path.join(os.path.dirname(__file__), "..", "..", "tools"))
import help_to_man  # noqa: E402

PLAIN = """\
Kolmira: geometric check of involute gear pairs, scripted
Usage: /home/someone/kolmira/build/default/src/kolmira-cli [OPTIONS] [FILE]

Positionals:
  FILE TEXT                   input file to load first (.dat)

Options:
  -h,--help                   Print this help message and exit
  --save TEXT                 save the inputs to this file at the end
  --field TEXT ...            type TEXT into field NAME (mn, z1, ... or Edit1 ...)
  --check                     run the complete check as "KOMPLEXNÍ KONTROLA" does
"""

FULL = """\
Kolmira: geometric check of involute gear pairs, scripted

Options act in the order given, as a user would click and type. A backslash \\
stays a backslash.

.dat files are the program's own input files.

Usage: build/release/src/kolmira-cli [OPTIONS] [FILE...]
         [--field NAME=TEXT]... [--press BUTTON]...
       kolmira-cli --check --json FILE...

Options:
  -h,--help                   Print this help message and exit
  --version                   Display program version information and exit
  --field NAME=TEXT ...       type TEXT into field NAME and leave it; a refusal
                              stops the script
  --a-very-long-option-name-here
                              its text on the line below

Fields (--field NAME=TEXT):
  mn        Edit1   mm   normal module
  z1        Edit2   1    number of teeth of the pinion

Buttons and options (--press CAPTION or ALIAS):
  Rozděl korekce            rozdel
  KOMPLEXNÍ KONTROLA        kontrola

Exit codes:
  0  done, faults found or not
  2  an entry refused, a bad file or a bad command line

Examples:
  # A shifted external pair, checked, with its table
  kolmira-cli --field mn=3 --field z1=12 --check --table
  Three files, one JSON document per line:
  $ kolmira-cli --check --json a.dat b.dat c.dat
"""


def sections(page):
    return re.findall(r'^\.SH "?([A-Z ]+?)"?$', page, re.M)


def render(page):
    """The page as a person reads it, or None without groff."""
    if shutil.which("groff") is None:
        return None
    run = subprocess.run(["groff", "-man", "-Tutf8", "-ww", "-P-cbou", "-rLL=200n"],
                         input=page.encode("ascii"), capture_output=True)
    if run.returncode != 0 or run.stderr:
        raise AssertionError("groff: " + run.stderr.decode())
    return run.stdout.decode("utf-8")


class PlainHelp(unittest.TestCase):
    def setUp(self):
        self.page = help_to_man.to_man(PLAIN, "kolmira-cli", "0.2.0")

    def test_sections_it_has_in_order(self):
        self.assertEqual(sections(self.page), ["NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS"])

    def test_title_and_name_line(self):
        self.assertIn('.TH "KOLMIRA\\-CLI" 1 "" "kolmira\\-cli 0.2.0"', self.page)
        self.assertIn("kolmira\\-cli \\- geometric check of involute gear pairs, scripted",
                      self.page)

    def test_build_path_is_no_part_of_the_synopsis(self):
        self.assertNotIn("build", self.page)
        self.assertIn("\\fBkolmira\\-cli\\fR [OPTIONS] [FILE]", self.page)

    def test_each_option_an_entry(self):
        self.assertIn(".TP\n\\fB\\-h\\fR,\\fB\\-\\-help\\fR\nPrint this help message and exit",
                      self.page)
        self.assertIn(".TP\n\\fB\\-\\-save\\fR \\fITEXT\\fR\nsave the inputs", self.page)
        self.assertIn(".SS Positionals\n.TP\n\\fBFILE\\fR \\fBTEXT\\fR\n", self.page)

    def test_page_is_ascii_with_czech_letters_named(self):
        self.page.encode("ascii")
        self.assertIn("KOMPLEXN\\[u00CD] KONTROLA", self.page)

    def test_rendered_page_reads_as_the_help(self):
        text = render(self.page)
        if text is None:
            self.skipTest("groff is not installed")
        for words in ["-h,--help", "--save TEXT", "--field TEXT ...",
                      'run the complete check as "KOMPLEXNÍ KONTROLA" does',
                      "kolmira-cli [OPTIONS] [FILE]"]:
            self.assertIn(words, text)


class FullHelp(unittest.TestCase):
    def setUp(self):
        self.page = help_to_man.to_man(FULL, "kolmira-cli", "0.2.0")

    def test_every_section_in_the_order_of_a_man_page(self):
        self.assertEqual(sections(self.page), ["NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS",
                                               "EXIT STATUS", "EXAMPLES"])

    def test_synopsis_forms_with_their_continuation(self):
        self.assertIn("\\fBkolmira\\-cli\\fR [OPTIONS] [FILE...] [\\-\\-field NAME=TEXT]... "
                      "[\\-\\-press BUTTON]...\n.br\n"
                      "\\fBkolmira\\-cli\\fR \\-\\-check \\-\\-json FILE...", self.page)

    def test_description_paragraphs_escaped(self):
        self.assertIn("A backslash \\e stays a backslash.", self.page)
        # A paragraph starting with a dot is text, not a request.
        self.assertIn(".PP\n\\&.dat files are the program's own input files.", self.page)

    def test_wrapped_and_long_entries_joined(self):
        self.assertIn("type TEXT into field NAME and leave it; a refusal stops the script",
                      self.page)
        self.assertIn(".TP\n\\fB\\-\\-a\\-very\\-long\\-option\\-name\\-here\\fR\n"
                      "its text on the line below", self.page)

    def test_other_headings_are_subsections_of_options(self):
        self.assertIn(".SS Fields (\\-\\-field NAME=TEXT)", self.page)
        self.assertIn(".SS Buttons and options (\\-\\-press CAPTION or ALIAS)", self.page)
        self.assertIn(".TP\n\\fBmn\\fR\nEdit1   mm   normal module", self.page)
        self.assertIn(".TP\n\\fBRozd\\[u011B]l\\fR \\fBkorekce\\fR\nrozdel", self.page)
        self.assertIn(".SS Options", self.page)

    def test_exit_codes(self):
        exit_status = self.page.split('.SH "EXIT STATUS"')[1].split(".SH")[0]
        self.assertIn(".TP\n\\fB0\\fR\ndone, faults found or not", exit_status)
        self.assertIn(".TP\n\\fB2\\fR\nan entry refused", exit_status)

    def test_examples_commands_as_typed(self):
        examples = self.page.split(".SH EXAMPLES")[1]
        self.assertIn(".PP\nA shifted external pair, checked, with its table\n", examples)
        self.assertIn(".nf\nkolmira\\-cli \\-\\-field mn=3 \\-\\-field z1=12 \\-\\-check "
                      "\\-\\-table\n.fi", examples)
        self.assertIn(".PP\nThree files, one JSON document per line:\n", examples)
        self.assertIn(".nf\nkolmira\\-cli \\-\\-check \\-\\-json a.dat b.dat c.dat\n.fi",
                      examples)

    def test_rendered_page_keeps_every_option_and_command(self):
        text = render(self.page)
        if text is None:
            self.skipTest("groff is not installed")
        for option in set(re.findall(r"--[a-z][a-z-]*", FULL)):
            self.assertIn(option, text)
        self.assertIn("kolmira-cli --field mn=3 --field z1=12 --check --table", text)
        self.assertIn("kolmira-cli --check --json a.dat b.dat c.dat", text)
        self.assertIn("Rozděl korekce", text)


class EmptyOrOdd(unittest.TestCase):
    def test_text_without_usage_or_headings_is_a_description(self):
        page = help_to_man.to_man("Just a line.\n", "kolmira-cli", "0.2.0")
        self.assertEqual(sections(page), ["NAME", "DESCRIPTION"])

    def test_program_that_fails_its_help_fails_the_build(self):
        out = os.path.join(os.environ.get("TMPDIR", "/tmp"), "help_to_man_test_%d.1" % os.getpid())
        run = subprocess.run([sys.executable, help_to_man.__file__, "--name", "x", "--version",
                              "1", "--output", out, "--program", "false"], capture_output=True)
        self.assertNotEqual(run.returncode, 0)
        self.assertFalse(os.path.exists(out))


if __name__ == "__main__":
    unittest.main(verbosity=1)
