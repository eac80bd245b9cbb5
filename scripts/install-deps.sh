#!/usr/bin/env bash
# Installs Debian packages when any is missing: the ones given as arguments, or without
# arguments the packages the build needs, the tools the install test checks with
# (desktop-file-utils, appstream, man-db), those cpack -G DEB needs (dpkg-dev, file) and those
# of the page and its browser tests (emscripten, nodejs with npm, chromium).
set -euo pipefail
if [ $# -gt 0 ]; then
  packages=("$@")
else
  packages=(cmake g++ qt6-base-dev libxcb1-dev libgtest-dev libbenchmark-dev libmpfr-dev zlib1g-dev
    libavcodec-dev libavformat-dev libswscale-dev libavutil-dev pkg-config
    desktop-file-utils appstream man-db dpkg-dev file emscripten nodejs chromium)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi
# Debian's nodejs comes without npm, which is a package of its own; other builds of nodejs bring it.
if [ $# -eq 0 ] && ! command -v npm >/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q npm
fi
