#!/usr/bin/env bash
# Query throughput from many sources against a few, back to back on one
# server: the per-source limits must cost the same however many sources
# there are. The server trusts the local proxy, so each query names its own
# source in X-Forwarded-For (IPv4 addresses, then IPv6 /64s); the limits are
# on but set high enough that none is reached. Ends with the server's
# memory after the run.
#   bench/net/many_sources.sh SCORED_BINARY [SECONDS] [SOURCES]
set -euo pipefail
scored=${1:?usage: many_sources.sh SCORED_BINARY [SECONDS] [SOURCES]}
seconds=${2:-5}
many=${3:-50000}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
"$scored" --listen 127.0.0.1:0 --db "$work/bench.db" --table-size 100 \
    --queries-per-minute 100000000 --connections-per-address 0 --trust-proxy 127.0.0.1/32 \
    >"$work/out" 2>"$work/access.log" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do grep -q listening "$work/out" && break; sleep 0.1; done
base=$(sed -n 's/.*\(http:\/\/127\.0\.0\.1:[0-9]*\).*/\1/p' "$work/out")
export ORBOLO_THREADS=2
ticks() { awk '{print $14 + $15}' "/proc/$server/stat"; }
rate() {
    local before total
    before=$(ticks)
    ORBOLO_SOURCES=$1 ORBOLO_FAMILY=$2 wrk -t2 -c32 -d"${seconds}s" -s "$here/many_sources.lua" \
        "$base" >"$work/wrk"
    total=$(awk '/requests in/ {print $1}' "$work/wrk")
    awk -v t=$(($(ticks) - before)) -v n="$total" -v hz="$(getconf CLK_TCK)" \
        -v r="$(awk '/Requests\/sec/ {print $2}' "$work/wrk")" \
        'BEGIN {printf "%s %.1f\n", r, t / hz * 1e6 / n}'
}
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
for family in 4 6; do
    read -r few_rps few_cpu < <(rate 4 $family)
    read -r many_rps many_cpu < <(rate "$many" $family)
    awk -v f=$family -v m="$many" -v a="$few_rps" -v b="$many_rps" -v c="$few_cpu" -v d="$many_cpu" \
        'BEGIN {printf "IPv%s: 4 sources %s req/s (%s us CPU/req), %s sources %s req/s (%s us/req): ratio %.2f\n", f, a, c, m, b, d, b / a}'
done
echo "server memory after: $(awk '/VmRSS/ {print $2 / 1024 " MiB"}' "/proc/$server/status"), peak $(awk '/VmHWM/ {print $2 / 1024 " MiB"}' "/proc/$server/status")"
