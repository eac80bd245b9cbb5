#!/bin/bash
# Instruction counts (valgrind's callgrind) of formula sets of the golden formula table drawn with
# Orbisk's own math and with the C library's: a measure other work on the machine does not
# disturb, unlike the times of compare-math.sh, though it counts no waiting on a long chain of
# dependent operations. Each set is one run of orbisk_formula_times at size 300, start-up
# included (the same for both). Prints a Markdown table and the largest ratio.
#
#   bench/formula/count-math.sh [BUILD_DIR] ['selector value' ...]   # default: every set
set -eu

repo=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$repo/build}
case $build in /*) ;; *) build=$repo/$build ;; esac
shift || true
table=$repo/tests/golden/formula-table.txt

cmake --build "$build" -j2 --target orbisk_formula_times orbisk_formula_times_libc >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

if [ $# -eq 0 ]; then
  mapfile -t sets < <(awk '$1 != "coloursystem" && $1 != "shape" {print $1 " " $2}' "$table")
else
  sets=("$@")
fi

count() {
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$1" "$work/one" 1 2>&1 |
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}

echo "| formula set | own math, instructions | C library, instructions | ratio |"
echo "|---|---|---|---|"
for set in "${sets[@]}"; do
  grep "^$set " "$table" >"$work/one"
  own=$(count "$build/bench/formula/orbisk_formula_times")
  libc=$(count "$build/bench/formula/orbisk_formula_times_libc")
  awk -v s="$set" -v o="$own" -v l="$libc" \
    'BEGIN { printf "| %s | %.1f M | %.1f M | %.3f |\n", s, o / 1e6, l / 1e6, o / l }'
done | tee "$work/rows"
awk -F'|' '$5 + 0 > worst { worst = $5 + 0; which = $2 }
  END { printf "\nlargest ratio: %.3f (%s)\n", worst, which }' "$work/rows"
