#!/usr/bin/env bash
# Starts the program under Xvfb five times and prints the median time from
# process start to the main window shown and to the first preview page
# loaded, from the program's own start-up log.
# Usage: bench/startup.sh [path/to/tavel]
set -euo pipefail
program=${1:-build/tavel}
runs=${RUNS:-5}
shown=()
loaded=()
for i in $(seq "$runs"); do
  log=$(mktemp)
  QT_LOGGING_RULES="tavel.startup.info=true" timeout 60 xvfb-run -a -s "-screen 0 1280x800x24" \
    sh -c "'$program' >'$log' 2>&1 & pid=\$!; for t in \$(seq 200); do grep -q 'first preview page loaded' '$log' && break; sleep 0.1; done; kill \$pid" || true
  shown+=("$(sed -n 's/.*main window shown after \([0-9.]*\) ms.*/\1/p' "$log" | head -1)")
  loaded+=("$(sed -n 's/.*first preview page loaded after \([0-9.]*\) ms.*/\1/p' "$log" | head -1)")
  rm -f "$log"
done
median() { printf '%s\n' "$@" | grep -v '^$' | sort -n | awk '{a[NR]=$1} END {if (NR==0) print "n/a"; else print a[int((NR+1)/2)]}'; }
echo "runs: $runs"
echo "main window shown (median ms):   $(median "${shown[@]}")  [${shown[*]}]"
echo "first page loaded (median ms):   $(median "${loaded[@]}")  [${loaded[*]}]"
