#!/bin/bash
# Every formula set of the golden formula table drawn with Orbisk's own math and with the C
# library's (the same renderer, bench/formula/CMakeLists.txt), the two programs run alternately
# ROUNDS times (default 5), each drawing every set RUNS times (default 3); for each set the least
# processor time of all its runs is kept, the estimate least disturbed by other work on the
# machine. Prints a Markdown table of the times and their ratio, then the largest ratio.
#
#   bench/formula/compare-math.sh [BUILD_DIR]     # default BUILD_DIR: build
set -eu

repo=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$repo/build}
case $build in /*) ;; *) build=$repo/$build ;; esac
rounds=${ROUNDS:-5}
runs=${RUNS:-3}
table=$repo/tests/golden/formula-table.txt

cmake --build "$build" -j2 --target orbisk_formula_times orbisk_formula_times_libc >/dev/null
own=$build/bench/formula/orbisk_formula_times
libc=$build/bench/formula/orbisk_formula_times_libc

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
for ((i = 0; i < rounds; i++)); do
  "$own" "$table" "$runs" >"$work/own.$i"
  "$libc" "$table" "$runs" >"$work/libc.$i"
done

cat "$work"/own.* | awk '{print "own", $0}' >"$work/all"
cat "$work"/libc.* | awk '{print "libc", $0}' >>"$work/all"
awk -v order="$work/own.0" '
  { key = $2 " " $3; t = $4 + 0
    if (!((key, $1) in best) || t < best[key, $1]) best[key, $1] = t }
  END {
    print "| formula set | own math, ms | C library, ms | ratio |"
    print "|---|---|---|---|"
    worst = 0
    while ((getline line < order) > 0) {
      split(line, f, " "); key = f[1] " " f[2]
      o = best[key, "own"]; l = best[key, "libc"]; r = l > 0 ? o / l : 0
      if (r > worst) { worst = r; worstKey = key }
      printf "| %s | %.1f | %.1f | %.3f |\n", key, 1000 * o, 1000 * l, r
    }
    printf "\nlargest ratio: %.3f (%s)\n", worst, worstKey
  }' "$work/all"
