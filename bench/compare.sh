#!/bin/bash
# Whole-process timings of orbisk-render next to the limit kernel, built with the renderer's own
# compiler flags. User CPU time (what /usr/bin/time -f %U reports, taken with bash's time to
# the millisecond), median of RUNS runs (default 5), the programs run alternately so that a busy
# machine slows them alike.
#
#   bench/compare.sh [BUILD_DIR]           # default BUILD_DIR: build (configured if missing)
#   RUNS=9 bench/compare.sh build-perf
#   ORBISK_RENDER=/path/to/old/orbisk-render bench/compare.sh build-perf   # an older renderer
#   BEFORE=d6d7b66 bench/compare.sh build-perf   # side by side with the renderer of a revision
#   SETS=1 bench/compare.sh build-perf     # also the formula sets of bench/RenderBench.cpp
#
# Prints:
# 1. the 13.5-million-sample picture against `limit_kernel 1000 3 3`, and whether the start-up
#    picture's trace equals the limit kernel's (`limit_kernel 110 1 1 FILE`; the kernel uses the
#    C library's sin and tan, the renderer Orbisk's own, so a few lines may differ); with BEFORE,
#    also that picture drawn by the orbisk-render of git revision BEFORE (built once, with the
#    same build type, into BUILD_DIR/before-<commit>) and the ratio of the two;
# 2. a bar shape (shape 2, size 300, length and width X3) and the point shape 1 against the same
#    picture drawn with shape 0, which draws nothing: the formula and colour work alone;
# 3. with SETS=1, samples per second of other formula sets at size 300 X3 with shape 1.
set -eu

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$repo/build}
case $build in /*) ;; *) build=$repo/$build ;; esac
runs=${RUNS:-5}
kernel_source=$repo/../shared/bench/limit_kernel.cpp

if [ ! -f "$kernel_source" ]; then
  echo "compare.sh: no limit kernel at $kernel_source" >&2
  exit 2
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$repo" -B "$build" -DORBISK_GUI=OFF -DORBISK_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j2 --target orbisk-render >/dev/null
render=${ORBISK_RENDER:-$build/cli/orbisk-render}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

# The renderer of another revision, from a clean export of its tree (no worktree is touched).
before_render=""
if [ -n "${BEFORE:-}" ]; then
  before_commit=$(git -C "$repo" rev-parse --short "$BEFORE^{commit}")
  before_build=$build/before-$before_commit
  if [ ! -x "$before_build/cli/orbisk-render" ]; then
    mkdir -p "$work/before-src"
    git -C "$repo" archive "$before_commit" | tar -x -C "$work/before-src"
    build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
    # Configured as a whole (some revisions do not configure without the desktop program), but
    # only orbisk-render is built.
    cmake -S "$work/before-src" -B "$before_build" -DCMAKE_BUILD_TYPE="$build_type" \
      -DORBISK_BENCH=OFF >/dev/null
    cmake --build "$before_build" -j2 --target orbisk-render >/dev/null
  fi
  before_render=$before_build/cli/orbisk-render
fi

# The compiler and flags CMake uses for the renderer's sources.
cxx=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$build/CMakeCache.txt")
flags=$(sed -n 's/^CXX_FLAGS = //p' "$build/CMakeFiles/orbisk_render.dir/flags.make")
# shellcheck disable=SC2086 # the flags are a list of words
"$cxx" $flags -o "$work/limit_kernel" "$kernel_source"

record() {  # record NAME SIZE SHAPE LENGTH WIDTH
  printf '%s,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,%s,0,0,0,0,0,1,%s,%s,25,25,0,0\r\n' \
    "$2" "$3" "$4" "$5" >"$work/$1.dat"
}
record startup 110 1 1 1
record large 1000 1 3 3
record bar 300 2 3 3
record point 300 1 3 3
record none 300 0 3 3

# name, then category, galaxy, effect, v1a, v1b, type, level, world, solar system, lab
formula_sets="startup 1 6 1 3 2 3 11 2 4 13
world1_lab1_level2_sols13 2 2 20 2 5 8 2 1 13 1
world6_lab14_level2_sols20 3 9 9 5 6 4 2 6 20 14
world8_lab14_level31_sols3 5 2 10 11 8 7 31 8 3 14
world10_lab21_level10_sols12 5 11 1 7 11 1 10 10 12 21
world4_lab1_level30_sols1 1 1 13 6 1 1 30 4 1 1
never_escapes_world5_lab12 5 10 14 1 3 5 1 5 1 12
escapes_at_once_world5_lab4 6 3 12 4 7 3 26 5 15 4"
if [ "${SETS:-0}" = 1 ]; then
  echo "$formula_sets" | while read -r name cat ali eff f1 f2 t1 w world sols lab; do
    printf '300,%s,%s,2,%s,%s,%s,%s,%s,%s,%s,%s,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,1,3,3,25,25,0,0\r\n' \
      "$cat" "$ali" "$eff" "$f1" "$f2" "$t1" "$w" "$world" "$sols" "$lab" >"$work/set_$name.dat"
  done
fi

usertime() {  # usertime FILE COMMAND...: appends the command's user seconds to FILE
  local out=$1 TIMEFORMAT=%3U
  shift
  { time "$@" >/dev/null 2>&1; } 2>>"$out"
}

median() { sort -n "$1" | sed -n "$(($(wc -l <"$1") / 2 + 1))p"; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

i=0
while [ "$i" -lt "$runs" ]; do
  usertime "$work/t.render" "$render" "$work/large.dat"
  if [ -n "$before_render" ]; then usertime "$work/t.before" "$before_render" "$work/large.dat"; fi
  usertime "$work/t.kernel" "$work/limit_kernel" 1000 3 3
  usertime "$work/t.bar" "$render" "$work/bar.dat"
  usertime "$work/t.point" "$render" "$work/point.dat"
  usertime "$work/t.none" "$render" "$work/none.dat"
  for set in "$work"/set_*.dat; do
    [ -f "$set" ] && usertime "${set%.dat}.t" "$render" "$set"
  done
  i=$((i + 1))
done

"$render" --trace "$work/render.trace" "$work/startup.dat"
"$work/limit_kernel" 110 1 1 "$work/kernel.trace" >/dev/null
if grep '^P ' "$work/render.trace" | cmp -s - "$work/kernel.trace"; then
  traces="equal"
else
  differing=$(grep '^P ' "$work/render.trace" | diff - "$work/kernel.trace" |
    grep -c '^[<>]' || true)
  traces="$differing lines differ between the two (the kernel calls the C library's sin and tan)"
fi

render_s=$(median "$work/t.render")
kernel_s=$(median "$work/t.kernel")
bar_s=$(median "$work/t.bar")
point_s=$(median "$work/t.point")
none_s=$(median "$work/t.none")
echo "compiler: $cxx $flags"
echo "user seconds, median of $runs runs"
echo "orbisk-render, 13.5 million samples:  $render_s"
echo "limit_kernel 1000 3 3:                $kernel_s"
echo "ratio:                                $(ratio "$render_s" "$kernel_s")"
if [ -n "$before_render" ]; then
  before_s=$(median "$work/t.before")
  echo "the same, orbisk-render of $before_commit:  $before_s"
  echo "this one over $before_commit (at most 1.15):   $(ratio "$render_s" "$before_s")"
fi
echo "start-up trace against the kernel's:  $traces"
echo "size 300 X3, shape 0 (formulas only): $none_s"
echo "size 300 X3, shape 1 (points):        $point_s (x$(ratio "$point_s" "$none_s"))"
echo "size 300 X3, shape 2 (bars):          $bar_s (x$(ratio "$bar_s" "$none_s"))"
for set in "$work"/set_*.dat; do
  [ -f "$set" ] || continue
  name=$(basename "$set" .dat)
  seconds=$(median "${set%.dat}.t")
  # Every set has 901 columns of 1351 rows.
  awk -v n="${name#set_}" -v s="$seconds" \
    'BEGIN { printf "%-30s %6.3f s  %5.2f million samples/s\n", n, s, 901 * 1351 / s / 1e6 }'
done
