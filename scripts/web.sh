#!/usr/bin/env bash
# Builds the page and serves it on http://127.0.0.1:8080/ (PORT to choose another port) until
# Ctrl+C. Any static server will do; this one is Python's.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh cmake emscripten nodejs python3
site=$(scripts/build-web.sh build-web)
port=${PORT:-8080}
echo "Orbisk on the web: http://127.0.0.1:$port/"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site"
