#!/usr/bin/env bash
# Builds the page: the core as WebAssembly with Debian's emscripten, and the page's files beside
# it, into BUILD_DIR/web/site (default build-web/, configured when missing). Prints the folder.
#
#   scripts/build-web.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
build=${1:-build-web}
case $build in /*) ;; *) build=$repo/$build ;; esac
# Debian's emscripten finds its JavaScript modules through NODE_PATH.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
if [ ! -f "$build/CMakeCache.txt" ]; then
  emcmake cmake -S "$repo" -B "$build" -DORBISK_CORE_ONLY=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
else
  # Configured again, so a target added since the folder was made is known by name.
  cmake "$build" >/dev/null
fi
cmake --build "$build" -j "$(nproc)" --target orbisk-web-site >&2
echo "$build/web/site"
