#!/usr/bin/env bash
# Draws the program's icon with Orbisk itself and writes it at every size into
# data/icons/hicolor/ (committed; installed by cmake --install). The icon is the start-up
# parameter set at size 300 (data/icons/icon.dat), a square of 434 x 434 pixels cut from the
# middle of its 632 x 434 canvas. Run it after a change to the picture or the record:
#
#     scripts/make-icons.sh
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target orbisk-render orbisk-make-icons
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/cli/orbisk-render -o "$work/icon.png" data/icons/icon.dat
build/tools/orbisk-make-icons "$work/icon.png" 99 0 434 org.orbisk.Orbisk data/icons/hicolor
