#!/usr/bin/env bash
# Requests per second and latency of orbolo-scored on loopback, with wrk
# beside it on the same machine: queries (every value of every table, each
# once, into empty tables), then submissions of exactly those values (each
# had its matching query, so the trust rule lets it through), the listing
# page, and queries on a new connection each. Then how long the game's
# query blocks against a live, a down and a hanging server.
#   bench/net/score_server_load.sh BUILD_DIR [SECONDS] [CONNECTIONS]
set -euo pipefail
build=${1:?usage: score_server_load.sh BUILD_DIR [SECONDS] [CONNECTIONS]}
seconds=${2:-5}
connections=${3:-32}
threads=${ORBOLO_WRK_THREADS:-2}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
"$build/orbolo-scored" --listen 127.0.0.1:0 --db "$work/bench.db" --table-size 100 \
    --submissions-per-minute 0 --queries-per-minute 0 --connections-per-address 0 \
    >"$work/out" 2>"$work/access.log" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do grep -q listening "$work/out" && break; sleep 0.1; done
base=$(sed -n 's/.*\(http:\/\/127\.0\.0\.1:[0-9]*\).*/\1/p' "$work/out")
path=$base/highscores/orbolo

# The server's CPU time so far, in clock ticks (user + system).
ticks() { awk '{print $14 + $15}' "/proc/$server/stat"; }

# On a shared machine req/s follows what the other processes leave over;
# the server's CPU time per request does not.
run() {
    local label=$1 url=$2 before
    before=$(ticks)
    wrk -t$threads -c"$connections" -d"${duration:-$seconds}s" --latency "${@:3}" "$url" >"$work/wrk"
    local rps p99 non2xx total cpu
    rps=$(awk '/Requests\/sec/ {print $2}' "$work/wrk")
    # A run that ran out of values early says its own rate.
    if grep -q '^submissions done early' "$work/wrk"; then
        rps=$(awk '/^submissions done early/ {print $4}' "$work/wrk")
    fi
    p99=$(awk '$1 == "99%" {print $2}' "$work/wrk")
    non2xx=$(awk '/Non-2xx/ {print $NF}' "$work/wrk")
    total=$(awk '/requests in/ {print $1}' "$work/wrk")
    cpu=$(awk -v t=$(($(ticks) - before)) -v n="$total" -v hz="$(getconf CLK_TCK)" \
        'BEGIN {printf "%.1f", t / hz * 1e6 / n}')
    printf '%-28s %10s req/s   p99 %8s   non-2xx %s   server CPU %s us/req\n' \
        "$label" "$rps" "$p99" "${non2xx:-0}" "$cpu"
}

echo "wrk, $threads threads, $connections connections, ${seconds}s each (keep-alive unless noted)"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
export ORBOLO_THREADS=$threads ORBOLO_CONNECTIONS=$connections ORBOLO_COUNTS=$work/queried
# The submissions stop at the values the queries reached (fewer than
# $seconds seconds' worth when the server answers queries faster).
ORBOLO_KIND=query run query "$base" -s "$here/score_requests.lua"
ORBOLO_KIND=submission run submission "$base" -s "$here/score_requests.lua"
echo "submissions written: $(grep -c ' stored$' "$work/access.log" || true) stored," \
    "$(grep -c ' trimmed$' "$work/access.log" || true) trimmed at once," \
    "$(grep -c -v -E ' (stored|trimmed)$' "$work/access.log" || true) refused"
run listing "$path/"
# The game opens a new connection for every request.
run "query, new connection each" "$path/ishighscore.php?gamename=tseasy&submtdscore=1230" \
    -H "Connection: close"
"$build/bench/net/query_blocking_bench" "$base"
