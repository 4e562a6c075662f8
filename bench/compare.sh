#!/usr/bin/env bash
# Builds the benchmarks of an earlier revision and of the working tree in
# Release, runs them one after the other in alternating rounds, and prints
# each benchmark's median time in both and their ratio (now / then).
#
#   bench/compare.sh [-n ROUNDS] [-r REPETITIONS] [-f FILTER] REV
#
# REV is any commit name git knows. The earlier revision is unpacked with
# `git archive` and both are built under build-compare/ (or
# $TAVEL_COMPARE_DIR); nothing in the repository changes. FILTER is a
# --benchmark_filter regex; by default the script writer and reader at 1,000
# and 100,000 items, and with escapes. Times are CPU times in milliseconds, the median of every
# repetition of every round: on a shared machine that is steadier than
# wall-clock time, and the alternation spreads a busy spell over both sides.
set -euo pipefail

rounds=3
repetitions=5
filter='(WriteMenuScript|LoadTreeFromScript)(Escaped)?/(1000|100000)$'
usage() {
  sed -n '7p' "$0" | sed 's/^#   //' >&2
  exit 2
}
while getopts 'n:r:f:h' option; do
  case $option in
    n) rounds=$OPTARG ;;
    r) repetitions=$OPTARG ;;
    f) filter=$OPTARG ;;
    *) usage ;;
  esac
done
shift $((OPTIND - 1))
[ $# -eq 1 ] || usage

root=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
commit=$(git -C "$root" rev-parse --verify --quiet "$1^{commit}") || {
  echo "compare.sh: no such revision: $1" >&2
  exit 2
}
short=${commit:0:7}
scratch=${TAVEL_COMPARE_DIR:-$root/build-compare}
mkdir -p "$scratch"

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

# Configures and builds only the benchmark program; the windows are left out
# so that no revision needs Qt for it.
build_bench() {
  local source=$1 build=$2
  echo "Building $build" >&2
  cmake -S "$source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DTAVEL_GUI=OFF -DTAVEL_BENCH=ON "${launcher[@]}" >/dev/null
  cmake --build "$build" --target tavel_bench -j"${TAVEL_JOBS:-2}" >/dev/null
}

then_source=$scratch/src-$short
if [ ! -f "$then_source/.unpacked" ]; then
  rm -rf "$then_source"
  mkdir -p "$then_source"
  git -C "$root" archive --format=tar "$commit" | tar -x -C "$then_source"
  touch "$then_source/.unpacked"
fi
build_bench "$then_source" "$scratch/then-$short"
build_bench "$root" "$scratch/now"

samples=$(mktemp)
trap 'rm -f "$samples"' EXIT

# Writes "side,csv row" lines; rows of aggregates are left to the summary.
run() {
  local side=$1 program=$2
  "$program" --benchmark_filter="$filter" --benchmark_repetitions="$repetitions" \
    --benchmark_format=csv 2>/dev/null | sed -n "s/^\"\\{0,1\\}BM_/$side,BM_/p" >>"$samples"
}
for ((round = 1; round <= rounds; ++round)); do
  echo "Round $round of $rounds" >&2
  # Each side goes first in every other round.
  if ((round % 2)); then
    run then "$scratch/then-$short/bench/tavel_bench"
    run now "$scratch/now/bench/tavel_bench"
  else
    run now "$scratch/now/bench/tavel_bench"
    run then "$scratch/then-$short/bench/tavel_bench"
  fi
done

awk -F, -v then="$short" '
  function ms(value, unit) {
    if (unit == "ns") return value / 1e6
    if (unit == "us") return value / 1e3
    if (unit == "s") return value * 1e3
    return value
  }
  function median(side, name,   n, i, j, t, a) {
    n = count[side, name]
    if (n == 0) return ""
    for (i = 1; i <= n; ++i) a[i] = sample[side, name, i]
    for (i = 2; i <= n; ++i)
      for (j = i; j > 1 && a[j - 1] > a[j]; --j) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
  }
  {
    name = $2
    gsub(/"/, "", name)
    if (name ~ /_(mean|median|stddev|cv)$/) next
    if (!(name in seen)) { seen[name] = 1; order[++names] = name }
    sample[$1, name, ++count[$1, name]] = ms($5, $6)
  }
  END {
    printf "| benchmark | %s | now | ratio |\n|---|---|---|---|\n", then
    for (i = 1; i <= names; ++i) {
      name = order[i]
      old = median("then", name)
      new = median("now", name)
      ratio = old != "" && new != "" && old > 0 ? sprintf("%.2f ×", new / old) : "-"
      printf "| `%s` | %s | %s | %s |\n", name, old == "" ? "-" : sprintf("%.3f ms", old),
             new == "" ? "-" : sprintf("%.3f ms", new), ratio
    }
  }' "$samples"
