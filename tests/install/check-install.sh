#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop, a software centre and man
# read from it, and that the installed programs answer --version and --help (the desktop program
# without a display). Usage: check-install.sh CMAKE BUILD_DIR VERSION
#
# A missing checking tool skips its check with a message; the test then counts as skipped
# (status 77) unless another check failed (status 1).
set -uo pipefail
cmake=$1
build=$2
version=$3
app=org.orbisk.Orbisk
sizes="16 32 48 64 128 256"

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failed=0
skipped=0
fail() {
  echo "FAIL: $*"
  failed=1
}
have() {
  command -v "$1" >/dev/null && return 0
  echo "SKIP: $1 is not installed (scripts/install-deps.sh installs it)"
  skipped=1
  return 1
}
# Runs a command and fails with its output unless it succeeds and prints nothing on stderr.
quiet() {
  local what=$1 err
  shift
  if ! err=$("$@" 2>&1 >/dev/null) || [ -n "$err" ]; then fail "$what"$'\n'"$err"; fi
}

if ! "$cmake" --install "$build" --prefix "$prefix" >/dev/null; then
  echo "FAIL: cmake --install $build --prefix $prefix"
  exit 1
fi

# The renderer, with its manual page.
render=$prefix/bin/orbisk-render
out=$("$render" --version) || fail "orbisk-render --version exits with an error"
# The first line names the program and its version; the lines after it say what the numbers mean.
[ "${out%%$'\n'*}" = "orbisk-render (Orbisk) $version" ] ||
  fail "orbisk-render --version prints '$out'"
grep -q "record its PNGs carry" <<<"$out" || fail "orbisk-render --version explains no version"
"$render" --help | grep -q '^usage: orbisk-render ' || fail "orbisk-render --help has no usage line"
pages=("$prefix/share/man/man1/orbisk-render.1")

if [ -x "$prefix/bin/orbisk" ]; then
  # --help must not need a display: Qt would stop the program before printing anything.
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$prefix/bin/orbisk" --help) ||
    fail "orbisk --help without a display exits with an error"
  grep -q '^Usage: orbisk ' <<<"$out" || fail "orbisk --help has no usage line"
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$prefix/bin/orbisk" --version)
  [ "$out" = "orbisk (Orbisk) $version" ] || fail "orbisk --version prints '$out'"
  pages+=("$prefix/share/man/man1/orbisk.1")

  desktop=$prefix/share/applications/$app.desktop
  metainfo=$prefix/share/metainfo/$app.metainfo.xml
  if have desktop-file-validate; then
    # Hints count too: a clean entry gives no output at all.
    out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] ||
      fail "desktop-file-validate $desktop"$'\n'"$out"
  fi
  if have appstreamcli; then
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate --no-net $metainfo"
  fi
  grep -q "^Icon=$app\$" "$desktop" || fail "the desktop entry does not name the icon $app"
  grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app.desktop"
  grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"

  # Each icon is a PNG whose header holds the size its folder names.
  for size in $sizes; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/$app.png
    if [ ! -f "$icon" ]; then
      fail "missing $icon"
      continue
    fi
    read -r -a b < <(od -An -tu1 -N24 -v "$icon" | tr '\n' ' ')
    width=$(((b[16] << 24) | (b[17] << 16) | (b[18] << 8) | b[19]))
    height=$(((b[20] << 24) | (b[21] << 16) | (b[22] << 8) | b[23]))
    # 137 P N G, then the IHDR chunk's name at bytes 12..15
    if [ "${b[0]} ${b[1]} ${b[2]} ${b[3]}" != "137 80 78 71" ] ||
      [ "${b[12]} ${b[13]} ${b[14]} ${b[15]}" != "73 72 68 82" ]; then
      fail "$icon is not a PNG"
    elif [ "$width" -ne "$size" ] || [ "$height" -ne "$size" ]; then
      fail "$icon is $width x $height"
    fi
  done
fi

if have man; then
  for page in "${pages[@]}"; do
    quiet "man --warnings -l $page" env LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page"
  done
fi

[ $failed -eq 0 ] || exit 1
[ $skipped -eq 0 ] || exit 77
echo "install check passed"
