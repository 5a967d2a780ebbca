#!/usr/bin/env bash
# What verification costs orbolo-scored: CPU per recorded game, then the
# p99 of queries (wrk) alone and again while 20 uploads a second are
# replayed beside them.
#   bench/net/verification_load.sh BUILD_DIR [SECONDS] [RATE]
set -euo pipefail
build=${1:?usage: verification_load.sh BUILD_DIR [SECONDS] [RATE]}
seconds=${2:-10}
rate=${3:-20}
work=$(mktemp -d)
bench=$build/bench/net/verification_bench
"$bench" cost
"$build/orbolo-scored" --listen 127.0.0.1:0 --db "$work/bench.db" --queries-per-minute 0 \
    --replays-per-minute 0 --connections-per-address 0 >"$work/out" 2>"$work/access.log" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do grep -q listening "$work/out" && break; sleep 0.1; done
base=$(sed -n 's/.*\(http:\/\/127\.0\.0\.1:[0-9]*\).*/\1/p' "$work/out")
query="$base/highscores/orbolo/ishighscore.php?gamename=tseasy&submtdscore=1230"
p99() { wrk -t2 -c32 -d"${seconds}s" --latency "$query" | awk '$1 == "99%" {print $2}'; }
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "query p99, alone: $(p99)"
"$bench" upload "$base" "$work/bench.db" "$rate" "$seconds" >"$work/uploads" &
uploader=$!
echo "query p99, beside $rate verifications/s: $(p99)"
wait $uploader
cat "$work/uploads"
echo "server's own figure per verification (access log): $(grep -o 'verified ([0-9]* frames, [0-9.]* ms CPU)' "$work/access.log" | tail -1)"
