#!/usr/bin/env bash
# The ctest test "web": builds the page (scripts/build-web.sh, build-web/ beside the sources),
# installs the test driver (npm ci, puppeteer-core, which uses Debian's chromium and downloads no
# browser) and runs the browser tests against the given orbisk-render.
#
#   tests/web/run.sh ORBISK_RENDER
#
# Exits 77 (skipped) when chromium, emscripten or node is not installed; scripts/install-deps.sh
# installs them, and CI runs it first.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
renderer=$1
for tool in chromium em++ node npm; do
  if ! command -v "$tool" >/dev/null; then
    echo "web: skipped: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
site=$("$repo/scripts/build-web.sh" "${ORBISK_WEB_BUILD:-$repo/build-web}")
cd "$here"
if [ ! -d node_modules ] || [ package-lock.json -nt node_modules ]; then
  PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error
  touch node_modules
fi
ORBISK_WEB_SITE=$site ORBISK_RENDER=$renderer ORBISK_REPO=$repo \
  ORBISK_CHROMIUM=$(command -v chromium) node --test --test-reporter=spec
