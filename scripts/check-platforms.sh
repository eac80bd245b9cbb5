#!/usr/bin/env bash
# Pictures are the same on every machine: orbisk-trace (tools/trace, model/ and render/ only) is
# built four ways and must write byte-identical traces of the golden pictures, of the start-up
# data file (both details) and of the formula table:
#   (a) the normal build: BUILD_DIR (default build/, configured when missing), g++, CMake's flags;
#   (b) g++ with -march=native, so with fused multiply-adds and AVX where the processor has them;
#   (c) clang++;
#   (d) emscripten's em++, WebAssembly run under node.
# (b) to (d) compile only the sources the trace program needs, with the project's flags
# (-O2 -ffp-contract=off -fno-fast-math), and their objects must not call the C library's sin,
# cos, tan, atan or pow either. About three to four minutes on two cores.
#
#   scripts/check-platforms.sh [BUILD_DIR]
#
# Installs clang and emscripten when missing (Debian's emscripten needs NODE_PATH to find its
# JavaScript modules; the WebAssembly is embedded in the JavaScript file, so node needs no
# fetch). Exit status 0 when all traces are equal, 1 when any differs, 2 when a build fails.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
build=${1:-build}
case $build in /*) ;; *) build=$repo/$build ;; esac

scripts/install-deps.sh g++ clang emscripten nodejs
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
jobs=$(nproc)

step() { echo "-- $*"; }
die() {
  echo "check-platforms.sh: $*" >&2
  exit 2
}

# (a) the normal build's own program.
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j "$jobs" --target orbisk-trace >/dev/null || die "the normal build failed"

mapfile -t sources < <(ls model/*.cpp render/*/*.cpp tools/trace/*.cpp)
flags=(-std=c++20 -O2 -DNDEBUG -ffp-contract=off -fno-fast-math -Wall -Wextra -I"$repo")

# build_variant NAME NM COMPILER FLAGS... -- LINK_FLAGS...: compiles every source into
# $work/NAME, checks the objects for calls of the C library's functions (with NM) and links.
build_variant() {
  local name=$1 nm=$2 compile=() link=()
  shift 2
  while [ "$1" != "--" ]; do
    compile+=("$1")
    shift
  done
  shift
  link=("$@")
  local out=$work/$name
  mkdir -p "$out"/{model,tools/trace} "$out"/render/{math,orbit,drawing,surfaces,run,random}
  printf '%s\n' "${sources[@]}" |
    xargs -P "$jobs" -I{} "${compile[@]}" -c "$repo/{}" -o "$out/{}.o" ||
    die "($name) does not compile: ${compile[*]}"
  local objects=("${sources[@]/#/$out/}")
  objects=("${objects[@]/%/.o}")
  local report
  if ! report=$(tests/own-math/check-own-math.sh "$nm" "${objects[@]}"); then
    echo "$report"
    die "($name) calls the C library's functions"
  fi
  "${compile[0]}" "${objects[@]}" "${link[@]}" || die "($name) does not link"
}

# trace NAME RUNNER...: the traces of every case, written into $work/NAME/out.
trace() {
  local name=$1
  shift
  local out=$work/$name/out
  mkdir -p "$out"
  "$@" --golden-names >"$out/golden-names.txt" || die "($name) does not run"
  while read -r golden; do
    "$@" --golden "$golden" >"$out/$golden.trace" || die "($name) fails on $golden"
  done <"$out/golden-names.txt"
  "$@" --formula-table >"$out/formula-table.txt" || die "($name) fails on the formula table"
  "$@" tests/golden/startup.dat >"$out/startup-high.trace" || die "($name) fails on startup.dat"
  "$@" --detail low tests/golden/startup.dat >"$out/startup-low.trace" ||
    die "($name) fails on startup.dat at Detail Low"
}

if grep -qw fma /proc/cpuinfo; then
  native_note="this processor has FMA: the double-double products use fused multiply-adds"
else
  native_note="this processor has no FMA, so only other instructions differ from (a)"
fi

step "(a) normal build: $build/tools/trace/orbisk-trace"
mkdir -p "$work/a"
trace a "$build/tools/trace/orbisk-trace"

step "(b) g++ -march=native ($native_note)"
build_variant b nm g++ "${flags[@]}" -march=native -- -o "$work/b/orbisk-trace"
trace b "$work/b/orbisk-trace"

step "(c) clang++ ($(clang++ --version | head -n 1))"
build_variant c nm clang++ "${flags[@]}" -- -o "$work/c/orbisk-trace"
trace c "$work/c/orbisk-trace"

emscripten=$(em++ --version | head -n 1 | grep -o '[0-9][0-9.]*' | head -n 1)
step "(d) em++ $emscripten, WebAssembly under node $(node --version)"
build_variant d emnm em++ "${flags[@]}" -- -sNODERAWFS=1 -sSINGLE_FILE=1 -sALLOW_MEMORY_GROWTH=1 \
  -sEXIT_RUNTIME=1 -o "$work/d/orbisk-trace.js"
trace d node "$work/d/orbisk-trace.js"

status=0
for variant in b c d; do
  for reference in "$work"/a/out/*; do
    case=$(basename "$reference")
    if ! cmp -s "$reference" "$work/$variant/out/$case"; then
      echo "($variant) writes another $case than (a):"
      diff "$reference" "$work/$variant/out/$case" | head -n 6 || true
      status=1
    fi
  done
done
count=$(find "$work/a/out" -type f | wc -l)
lines=$(cat "$work"/a/out/* | wc -l)
if [ "$status" = 0 ]; then
  echo "all four builds wrote the same $count outputs ($lines lines)"
fi
exit "$status"
