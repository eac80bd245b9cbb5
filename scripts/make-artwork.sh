#!/usr/bin/env bash
# Draws the program's icon, screenshot, the README's strip of pictures and its film with Orbisk
# itself; all are committed.
#
# Icons: the start-up parameter set at size 300 (data/icons/icon.dat), drawn by orbisk-render; a
# square of 434 x 434 pixels cut from the middle of its 632 x 434 canvas is scaled to every size
# of data/icons/hicolor/ (installed by cmake --install).
# Screenshot: the main window after CREATE of the start-up picture, on Qt's offscreen platform,
# into data/screenshots/main-window.png; it is to be published at the address the AppStream
# description (data/org.orbisk.Orbisk.metainfo.xml) names.
# Strip: the data files in data/screenshots/strip/, in the order of their names, each drawn by
# orbisk-render and scaled to 150 pixels high, side by side in data/screenshots/pictures.png,
# which the README shows first.
#
# Run it after a change to the pictures, the record or the main window (ORBISK_BUILD names
# another build folder than build/):
#
#     scripts/make-artwork.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ORBISK_BUILD:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target orbisk-render orbisk-make-icons orbisk-make-screenshot \
  orbisk-make-strip
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/cli/orbisk-render" -o "$work/icon.png" data/icons/icon.dat
"$build/tools/orbisk-make-icons" "$work/icon.png" 99 0 434 org.orbisk.Orbisk data/icons/hicolor
mkdir -p data/screenshots
QT_QPA_PLATFORM=offscreen "$build/tools/orbisk-make-screenshot" data/screenshots/main-window.png
echo data/screenshots/main-window.png
pictures=()
for data in data/screenshots/strip/*.dat; do
  picture=$work/$(basename "$data" .dat).png
  "$build/cli/orbisk-render" -o "$picture" "$data" >/dev/null
  pictures+=("$picture")
done
"$build/tools/orbisk-make-strip" data/screenshots/pictures.png 150 "${pictures[@]}"
echo data/screenshots/pictures.png
# The README's film: the start-up picture turning to data/film/2-turned.dat and back.
"$build/cli/orbisk-render" --animate data/film/1-start.dat data/film/2-turned.dat \
  data/film/1-start.dat --frames 49 --fps 12 --scale 2 -o data/screenshots/film.gif >/dev/null
echo data/screenshots/film.gif
