#!/usr/bin/env bash
# Builds the core, math and GUI suites with ThreadSanitizer into build-tsan/ and runs them: the
# gallery's workers, the large-picture job and the history's thumbnails run on threads of their
# own, and the math's cached constants are shared by every thread that calls it. Qt's own memory
# accesses are ignored (tests/tsan.supp says why); any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBISK_BENCH=OFF \
  -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread >/dev/null
cmake --build build-tsan -j "$(nproc)" --target orbisk_core_tests orbisk_math_tests orbisk_gui_tests
export TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/tests/tsan.supp"
export QT_QPA_PLATFORM=offscreen
cd build-tsan
ctest --output-on-failure -R '^(core|core_math|gui)$'
