#!/bin/sh
# Wall time of kolmira-cli for the two runs an engineer scripts most: a pair
# typed in, checked and printed as JSON; a saved pair loaded, checked and
# printed as a table. Prints the median of RUNS runs (default 40) in ms.
# Usage: bench/cli_timing.sh PATH_TO_KOLMIRA_CLI [RUNS]
set -eu
cli="$1"
runs="${2:-40}"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$cli" --field mn=3 --field z1=23 --field z2=61 --field betaDeg=18 --field x1=0.3 \
  --field x2=0.1 --check --save "$dir/pair.dat" >/dev/null

median_ms() {  # median_ms LABEL -- ARGS...
  label=$1; shift 2
  i=0
  : >"$dir/times"
  while [ "$i" -lt "$runs" ]; do
    start=$(date +%s%N)
    "$cli" "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    echo $(( (end - start) / 1000 )) >>"$dir/times"
    i=$((i + 1))
  done
  sort -n "$dir/times" | awk -v label="$label" '
    { t[NR] = $1 }
    END { m = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2;
          printf "%-44s %6.2f ms\n", label, m / 1000 }'
}

median_ms "type a whole pair, check, print JSON" -- --field mn=3 --field z1=23 --field z2=61 \
  --field betaDeg=18 --field b=20 --field x1=0.3 --field x2=0.1 --check --json
median_ms "load a file, check, print the table" -- "$dir/pair.dat" --check --table
