#!/usr/bin/env bash
# Renders a guide as a page of its own into OUT_DIR (scripts/render-guide),
# serves that folder from 127.0.0.1 and has check_guide_page.js look at it in
# chromium. NODE_PATH must reach puppeteer-core and Debian's node modules.
# Usage: check_guide_page.sh GUIDE OUT_DIR [SHOT_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
guide=${1:?usage: check_guide_page.sh GUIDE OUT_DIR [SHOT_DIR]}
out=${2:?usage: check_guide_page.sh GUIDE OUT_DIR [SHOT_DIR]}
page=$(bash "$here/../../scripts/render-guide" "$out" "$guide")

# The server takes a free port and says which on its first line.
log=$out/server.log
python3 -u -m http.server --bind 127.0.0.1 --directory "$out" 0 > "$log" 2>&1 &
server=$!
trap 'kill "$server" 2> /dev/null || true' EXIT
port=
for _ in $(seq 100); do
    port=$(sed -n 's/.* port \([0-9]*\) .*/\1/p' "$log")
    [ -n "$port" ] && break
    kill -0 "$server" 2> /dev/null || { cat "$log" >&2; exit 1; }
    sleep 0.1
done
[ -n "$port" ] || { echo "the page's server did not start" >&2; exit 1; }
timeout 120 node "$here/check_guide_page.js" "http://127.0.0.1:$port/$(basename "$page")" ${3:+"$3"}
