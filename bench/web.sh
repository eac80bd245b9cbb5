#!/usr/bin/env bash
# The page's speed next to orbisk-render, side by side in one run (tests/web/bench.mjs): the
# benchmark picture, input during a run, the gallery. BUILD_DIR holds orbisk-render (default
# build/); RUNS runs each (default 3).
#
#   bench/web.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
build=${1:-build}
cmake --build "$build" -j "$(nproc)" --target orbisk-render >/dev/null
site=$(scripts/build-web.sh build-web)
(cd tests/web && { [ -d node_modules ] || PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund; })
ORBISK_WEB_SITE=$site ORBISK_RENDER=$(cd "$build" && pwd)/cli/orbisk-render ORBISK_REPO=$repo \
  node tests/web/bench.mjs
