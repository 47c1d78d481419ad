#!/bin/sh
# An install works on its own: the build is installed into a temporary
# prefix, and the installed programs are run from a folder with no build
# tree, then again after the whole prefix has been moved elsewhere, so that
# every file they need is found relative to the program itself.
# Usage: install_test.sh BUILD_DIR VERSION WITH_GUI(ON|OFF)
build=$(cd "$1" && pwd) || exit 1
version="$2"
gui="$3"
failures=0
top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT
mkdir "$top/nowhere"
cd "$top/nowhere" || exit 1
# Nothing from the environment points at the build tree.
unset KOLMIRA_HELP_DIR

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

if ! cmake --install "$build" --prefix "$top/first" >"$top/install.log" 2>&1; then
  cat "$top/install.log"
  echo "FAIL: cmake --install"
  exit 1
fi
mv "$top/first" "$top/moved"
prefix="$top/moved"

# The files an install puts in place.
for file in bin/kolmira-cli share/man/man1/kolmira-cli.1; do
  if [ -f "$prefix/$file" ]; then pass "$file installed"; else fail "$file not installed"; fi
done
if [ -x "$prefix/bin/kolmira-cli" ]; then pass "kolmira-cli executable"; else fail "kolmira-cli not executable"; fi

# kolmira-cli --version, where this kolmira-cli has it (its --help says so).
cli="$prefix/bin/kolmira-cli"
help=$("$cli" --help 2>&1)
if printf '%s\n' "$help" | grep -q -- '--version'; then
  got=$("$cli" --version 2>&1)
  code=$?
  if [ "$code" -eq 0 ] && [ "$got" = "kolmira-cli $version" ]; then
    pass "--version: $got"
  else
    fail "--version: exit $code, printed '$got', expected 'kolmira-cli $version'"
  fi
else
  echo "skipped: this kolmira-cli has no --version yet (its --help does not list it)"
fi

# The worked example: the report and the measuring dimensions, exit 0.
out=$("$cli" --field mn=3 --field z1=12 --field z2=24 --field x1=0.6 --field x2=0.36 --check 2>&1)
code=$?
if [ "$code" -ne 0 ]; then
  fail "worked example: exit $code"
  printf '%s\n' "$out"
else
  for text in "εγ = 1.2021" "Míry ozubení" "W1 = 15.0201 (zw1 = 2)" "M2 = 84.8301"; do
    if printf '%s\n' "$out" | grep -qF -- "$text"; then
      pass "worked example prints '$text'"
    else
      fail "worked example: '$text' not in the report"
      printf '%s\n' "$out"
    fi
  done
fi

# The man page: formatted with every warning on, it names the program and
# lists every option its --help lists.
man_page="$prefix/share/man/man1/kolmira-cli.1"
if [ -f "$man_page" ] && command -v groff >/dev/null 2>&1; then
  groff -man -Tutf8 -ww -P-cbou -rLL=200n "$man_page" >"$top/man.txt" 2>"$top/man.err"
  if [ -s "$top/man.err" ]; then fail "groff warns about the man page"; cat "$top/man.err"; fi
  for section in NAME SYNOPSIS OPTIONS; do
    if grep -q "^$section" "$top/man.txt"; then pass "man page has $section"; else fail "man page lacks $section"; fi
  done
  missing=""
  for option in $(printf '%s\n' "$help" | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    grep -qF -- "$option" "$top/man.txt" || missing="$missing $option"
  done
  if [ -z "$missing" ]; then pass "man page lists every option of --help"; else fail "man page lacks$missing"; fi
elif [ -f "$man_page" ]; then
  echo "skipped: groff is not installed, the man page is not formatted"
fi

if [ "$gui" != ON ]; then
  echo "skipped: the Qt program is not built here, nor its desktop entry, icons or help"
else
  for file in bin/kolmira share/kolmira/help/index.html share/kolmira/help/help.css \
              share/applications/kolmira.desktop share/icons/hicolor/scalable/apps/kolmira.svg; do
    if [ -f "$prefix/$file" ]; then pass "$file installed"; else fail "$file not installed"; fi
  done

  # The bitmap icons: PNG files of their size (width and height in the header).
  for size in 48 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/kolmira.png"
    if [ ! -f "$png" ]; then fail "${size}x${size} icon not installed"; continue; fi
    magic=$(od -An -tx1 -j1 -N3 "$png" | tr -d ' \n')
    width=$(od -An -tu1 -j16 -N4 "$png" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
    height=$(od -An -tu1 -j20 -N4 "$png" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
    if [ "$magic" = 504e47 ] && [ "$width" = "$size" ] && [ "$height" = "$size" ]; then
      pass "${size}x${size} icon is a PNG of ${width}x${height}"
    else
      fail "${size}x${size} icon: magic $magic, ${width}x${height}"
    fi
  done

  # The desktop entry: valid, starting the installed program with its icon.
  desktop="$prefix/share/applications/kolmira.desktop"
  if command -v desktop-file-validate >/dev/null 2>&1; then
    if desktop-file-validate "$desktop" >"$top/validate.txt" 2>&1 && [ ! -s "$top/validate.txt" ]; then
      pass "desktop-file-validate accepts the desktop entry"
    else
      fail "desktop-file-validate:"; cat "$top/validate.txt"
    fi
  else
    fail "desktop-file-validate is not installed (scripts/setup installs desktop-file-utils)"
  fi
  for line in "Exec=kolmira" "Icon=kolmira" "Name=Kolmira ozubení" "Categories=Engineering;Science;"; do
    if grep -qxF "$line" "$desktop"; then pass "desktop entry: $line"; else fail "desktop entry lacks $line"; fi
  done

  # The installed program, offscreen, to its main dialog and out; it finds
  # the installed help pages from where it stands.
  QT_QPA_PLATFORM=offscreen KOLMIRA_STARTUP_PROBE=1 timeout 30 "$prefix/bin/kolmira" \
    >"$top/gui.out" 2>"$top/gui.err"
  code=$?
  if [ "$code" -eq 0 ] && grep -q '^VmRSS:' "$top/gui.err"; then
    pass "kolmira shows its main dialog and ends"
  else
    fail "kolmira: exit $code"; cat "$top/gui.out" "$top/gui.err"
  fi
  found=$(sed -n 's/^help: //p' "$top/gui.err")
  expected=$(cd "$prefix/share/kolmira/help" 2>/dev/null && pwd -P) ||
    expected="$prefix/share/kolmira/help, which is missing"
  if [ "$(cd "$found" 2>/dev/null && pwd -P)" = "$expected" ]; then
    pass "kolmira finds its help in $found"
  else
    fail "kolmira finds its help in '$found', expected $expected"
  fi
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures failures"
  exit 1
fi
echo "the install works on its own"
