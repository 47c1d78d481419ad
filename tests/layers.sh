#!/bin/sh
# The floors of the program are real: no file includes a folder on a higher
# floor (model < engine < report, files < forms < gui, cli), and only src/gui
# includes Qt. Usage: layers.sh SOURCE_DIR
src="$1/src"
failures=0

# floor NAME: its rank; a folder may include folders of its own rank or lower.
floor() {
  case "$1" in
    model) echo 0 ;;
    engine) echo 1 ;;
    report | files) echo 2 ;;
    forms) echo 3 ;;
    gui | cli) echo 4 ;;
    *) echo 9 ;;
  esac
}

for file in $(find "$src" -name '*.h' -o -name '*.cpp' | sort); do
  folder=$(echo "${file#"$src"/}" | cut -d/ -f1)
  own=$(floor "$folder")
  for included in $(sed -n 's/^#include "\([a-z]*\)\/.*"/\1/p' "$file" | sort -u); do
    if [ "$(floor "$included")" -gt "$own" ] || { [ "$folder" = gui ] && [ "$included" = cli ]; } ||
       { [ "$folder" = cli ] && [ "$included" = gui ]; }; then
      echo "FAIL: ${file#"$src"/} ($folder) includes $included/, a higher floor"
      failures=$((failures + 1))
    fi
  done
  if [ "$folder" != gui ] && grep -q '^#include <Q' "$file"; then
    echo "FAIL: ${file#"$src"/} includes Qt outside src/gui"
    failures=$((failures + 1))
  fi
done

if [ "$failures" -ne 0 ]; then exit 1; fi
echo "every include points down"
