#!/usr/bin/env bash
# The listing page as a real browser sees it: headless Chromium loads it from
# orbolo-scored, and its DOM must hold the six tables (no verified games
# yet) with the old requests' rows listed apart.
# A screenshot is left beside the test for a look. Skipped without Chromium.
#   listing_in_browser_test.sh SCORED_BINARY OUTPUT_DIR
set -euo pipefail
scored=$1
out=$2
command -v chromium >/dev/null || { echo "chromium not installed"; exit 77; }
work=$(mktemp -d)
"$scored" --listen 127.0.0.1:0 --db "$work/s.db" --submissions-per-minute 0 >"$work/out" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 300); do grep -q listening "$work/out" && break; sleep 0.1; done
page=$(sed -n 's/.*\(http:\/\/127\.0\.0\.1:[0-9]*\/highscores\/orbolo\/\).*/\1/p' "$work/out")

port=${page#http://127.0.0.1:}
port=${port%%/*}
get() {
    exec 3<>"/dev/tcp/127.0.0.1/$port"
    printf 'GET %s HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n' "$1" >&3
    cat <&3 >/dev/null
    exec 3<&-
}
get "/highscores/orbolo/ishighscore.php?gamename=taeasy&submtdscore=75"
get "/highscores/orbolo/ishighscore.php?gamename=tshard&submtdscore=1230"
get "/highscores/orbolo/scoresubmitter.php?name=ANN%20LEE&score=75&computer=M&gamename=taeasy"
get "/highscores/orbolo/scoresubmitter.php?name=chicken&score=1230&computer=M&gamename=tshard"

browser() {
    timeout 60 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$work/profile-$1" "${@:2}" 2>/dev/null
}
browser dom --dump-dom "$page" >"$work/dom.html"
[ "$(grep -o '<table>' "$work/dom.html" | wc -l)" -eq 6 ]
grep -q '<td>ANN LEE</td><td class="value">1:15</td>' "$work/dom.html"
grep -q '<td>chicken</td><td class="value">1230</td>' "$work/dom.html"
[ "$(grep -o 'No scores yet' "$work/dom.html" | wc -l)" -eq 6 ]
[ "$(grep -o '<table class="unverified">' "$work/dom.html" | wc -l)" -eq 2 ]
mkdir -p "$out"
browser wide --window-size=1280,900 --screenshot="$out/listing-1280.png" "$page"
browser phone --window-size=390,844 --screenshot="$out/listing-390.png" "$page"
[ -s "$out/listing-1280.png" ] && [ -s "$out/listing-390.png" ]
echo "ok: screenshots in $out"
