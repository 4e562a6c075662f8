#!/usr/bin/env bash
# Starts the program under Xvfb and prints the median time from process
# start to the main window shown and to the first preview page loaded, from
# the program's own start-up log.
# Usage: bench/startup.sh [path/to/tavel]
# Without a path it compares, in one run, the build (build/tavel) with the
# installed layout: the build staged with `cmake --install` under /usr in a
# temporary folder (or the program named by $INSTALLED, such as
# /usr/bin/tavel), whose user data folder is a temporary one. The starts of
# the two alternate, so a busy machine slows both alike; each is started
# once before timing, which for the installed one is the first start that
# fills the user data folder.
set -euo pipefail
runs=${RUNS:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Prints "<shown ms> <loaded ms>" for one start of the program.
start_once() {
  local program=$1 log=$work/log
  XDG_DATA_HOME=$work/data QT_LOGGING_RULES="tavel.startup.info=true" timeout 60 xvfb-run -a -s "-screen 0 1280x800x24" \
    sh -c "'$program' >'$log' 2>&1 & pid=\$!; for t in \$(seq 200); do grep -q 'first preview page loaded' '$log' && break; sleep 0.1; done; kill \$pid" || true
  echo "$(sed -n 's/.*main window shown after \([0-9.]*\) ms.*/\1/p' "$log" | head -1)" \
       "$(sed -n 's/.*first preview page loaded after \([0-9.]*\) ms.*/\1/p' "$log" | head -1)"
}
median() { printf '%s\n' "$@" | grep -v '^$' | sort -n | awk '{a[NR]=$1} END {if (NR==0) print "n/a"; else print a[int((NR+1)/2)]}'; }

if [ $# -gt 0 ]; then
  labels=(program); programs=("$1")
else
  installed=${INSTALLED:-}
  if [ -z "$installed" ]; then
    DESTDIR=$work/staged cmake --install build --prefix /usr >/dev/null
    installed=$work/staged/usr/bin/tavel
  fi
  labels=(build installed); programs=(build/tavel "$installed")
  for program in "${programs[@]}"; do start_once "$program" >/dev/null; done
fi

declare -A shown loaded
for i in $(seq "$runs"); do
  for k in "${!programs[@]}"; do
    read -r s l < <(start_once "${programs[$k]}")
    shown[$k]+="${s:-} "; loaded[$k]+="${l:-} "
  done
done

echo "runs: $runs"
for k in "${!programs[@]}"; do
  echo "${labels[$k]} (${programs[$k]}):"
  echo "  main window shown (median ms):   $(median ${shown[$k]})  [${shown[$k]% }]"
  echo "  first page loaded (median ms):   $(median ${loaded[$k]})  [${loaded[$k]% }]"
done
if [ ${#programs[@]} -eq 2 ]; then
  awk -v b="$(median ${shown[0]})" -v i="$(median ${shown[1]})" -v bl="$(median ${loaded[0]})" -v il="$(median ${loaded[1]})" \
    'BEGIN { printf "installed / build: window shown %.2f, first page loaded %.2f\n", i / b, il / bl }'
fi
