#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# into build-fuzz/ and runs each for RUNS inputs (default 10000), starting from a temporary copy
# of its seed corpus in fuzz/corpus/, so the repository's corpus is never written.
#
# A crash, a sanitizer report, a broken property, an input running longer than 10 seconds or one
# needing more than 2 GB makes it exit non-zero; the failing input is kept in
# build-fuzz/artifacts/ and printed in hex. ORBISK_FUZZ_SEED is libFuzzer's seed (default 1, so
# a run can be repeated exactly; 0 picks a new one every time). ORBISK_FUZZ_SECONDS bounds each
# target's time (default 900); a target stopped by it passes with the runs it managed.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10000}
seed=${ORBISK_FUZZ_SEED:-1}
seconds=${ORBISK_FUZZ_SECONDS:-900}

scripts/install-deps.sh
scripts/install-fuzz-deps.sh
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DORBISK_FUZZ=ON -DORBISK_SANITIZE=ON -DORBISK_GUI=OFF -DORBISK_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target fuzz_datafile fuzz_render fuzz_picture \
  fuzz_picture_record fuzz_arguments fuzz_history_name fuzz_png_chunks fuzz_link fuzz_math \
  fuzz_survey_mark fuzz_film_text

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
artifacts=build-fuzz/artifacts
mkdir -p "$artifacts"

# Input size bounds: a render input is 132 bytes; data-file inputs may be a few times larger
# than any real file, and the data-file target repeats some of them into endless streams;
# picture inputs are small pictures and their cut-off or broken variants; a picture record text
# has about 1,500 characters; a command line is a few arguments, NUL between them, and long
# file names; a history entry's name has 38 characters; the PNG chunk inputs are small PNGs
# whose text chunks meet the target's 512-byte bound; a link is a few hundred characters; the math
# target reads one or two doubles; a survey's mark is a few short lines; a film text holds two or
# three records, an index a few lines.
declare -A max_len=([datafile]=8192 [render]=132 [picture]=4096 [picture_record]=4096
  [arguments]=1024 [history_name]=256 [png_chunks]=4096 [link]=2048 [math]=16 [survey_mark]=4096
  [film_text]=8192)

status=0
for target in datafile render picture picture_record arguments history_name png_chunks link math \
  survey_mark film_text; do
  cp -r "fuzz/corpus/$target" "$work/$target"
  log="$work/$target.log"
  echo "== fuzz_$target: $runs runs, seed $seed =="
  if build-fuzz/fuzz/fuzz_$target -runs="$runs" -seed="$seed" -max_total_time="$seconds" \
    -timeout=10 -rss_limit_mb=2048 -max_len="${max_len[$target]}" -print_final_stats=1 \
    -artifact_prefix="$artifacts/$target-" "$work/$target" >"$log" 2>&1; then
    grep -E '^Done|^stat::(number_of_executed_units|new_units_added|slowest_unit_time_sec|peak_rss_mb)' "$log"
  else
    status=1
    echo "fuzz_$target FAILED:"
    tail -n 80 "$log"
    for input in $(grep -o "Test unit written to .*" "$log" | sed 's/Test unit written to //'); do
      echo "failing input $input:"
      od -An -tx1 -v "$input" | head -n 40
    done
  fi
done
exit $status
