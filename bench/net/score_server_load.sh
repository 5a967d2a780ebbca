#!/usr/bin/env bash
# Requests per second and latency of orbolo-scored on loopback, with wrk:
# the query, the submission and the listing page, each for a few seconds.
# Then how long the game's query blocks against a live, a down and a
# hanging server.
#   bench/net/score_server_load.sh BUILD_DIR [SECONDS] [CONNECTIONS]
set -euo pipefail
build=${1:?usage: score_server_load.sh BUILD_DIR [SECONDS] [CONNECTIONS]}
seconds=${2:-5}
connections=${3:-32}
work=$(mktemp -d)
"$build/orbolo-scored" --listen 127.0.0.1:0 --db "$work/bench.db" --table-size 100 \
    --submissions-per-minute 0 --threads 8 >"$work/out" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do grep -q listening "$work/out" && break; sleep 0.1; done
base=$(sed -n 's/.*\(http:\/\/127\.0\.0\.1:[0-9]*\).*/\1/p' "$work/out")
path=$base/highscores/orbolo

run() {
    local label=$1 url=$2
    wrk -t2 -c"$connections" -d"${seconds}s" --latency "${@:3}" "$url" >"$work/wrk"
    local rps p99 non2xx
    rps=$(awk '/Requests\/sec/ {print $2}' "$work/wrk")
    p99=$(awk '$1 == "99%" {print $2}' "$work/wrk")
    non2xx=$(awk '/Non-2xx/ {print $NF}' "$work/wrk")
    printf '%-28s %10s req/s   p99 %8s   non-2xx %s\n' "$label" "$rps" "$p99" "${non2xx:-0}"
}

echo "wrk, 2 threads, $connections connections, ${seconds}s each (keep-alive unless noted)"
run query "$path/ishighscore.php?gamename=tseasy&submtdscore=1230"
run submission "$path/scoresubmitter.php?name=ANN%20LEE&score=1230&computer=M&gamename=tseasy"
run listing "$path/"
# The game opens a new connection for every request.
run "query, new connection each" "$path/ishighscore.php?gamename=tseasy&submtdscore=1230" \
    -H "Connection: close"
"$build/bench/net/query_blocking_bench" "$base"
