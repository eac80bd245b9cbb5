#!/usr/bin/env bash
# Installs the Debian packages the fuzz targets need (clang and its libFuzzer and sanitizer
# runtimes), when any is missing.
set -euo pipefail
exec "$(dirname "$0")/install-deps.sh" clang libclang-rt-14-dev
