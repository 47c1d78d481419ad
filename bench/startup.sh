#!/bin/sh
# Start-up of the Qt program, offscreen: wall time from process start until
# the main dialog has been shown (the program then ends at once, so this is
# an upper bound), median of RUNS runs, and the resident memory then.
# Usage: bench/startup.sh PATH_TO_KOLMIRA [RUNS]
set -eu
program="$1"
runs="${2:-30}"
times=$(mktemp)
trap 'rm -f "$times"' EXIT
i=0
while [ "$i" -lt "$runs" ]; do
  start=$(date +%s%N)
  rss=$(QT_QPA_PLATFORM=offscreen KOLMIRA_STARTUP_PROBE=1 "$program" 2>&1 | sed -n 's/^VmRSS:\s*//p')
  end=$(date +%s%N)
  echo $(( (end - start) / 1000 )) >>"$times"
  i=$((i + 1))
done
sort -n "$times" | awk -v rss="$rss" '
  { t[NR] = $1 }
  END { m = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2;
        printf "start to main dialog shown: median %.1f ms (min %.1f, max %.1f, %d runs); RSS %s\n",
               m / 1000, t[1] / 1000, t[NR] / 1000, NR, rss }'
