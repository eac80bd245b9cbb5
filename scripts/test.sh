#!/usr/bin/env bash
# Sets everything up, builds, and runs every test (no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
# The plain C++ core alone, with no Qt: what a front end that is not Qt compiles. Its own folder
# is kept from run to run, so only what changed is built again.
scripts/build.sh build-core -DORBISK_CORE_ONLY=ON
(cd build-core && ctest --output-on-failure)
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure
