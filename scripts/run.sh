#!/usr/bin/env bash
# Sets everything up, builds, and starts Orbisk on the display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
if [ -x build/app/orbisk ]; then
  exec build/app/orbisk
fi
# Without the desktop program, render the start-up parameter set headlessly.
build/cli/orbisk-render -o build/startup.png tests/golden/startup.dat
echo "Rendered the start-up picture into $(pwd)/build/startup.png"
