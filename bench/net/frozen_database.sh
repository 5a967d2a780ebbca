#!/usr/bin/env bash
# How long clients wait while the PostgreSQL server behind orbolo-scored is
# frozen (SIGSTOP, as a machine that swaps or hangs): a query the server
# must ask the database about, a submission, a 404 and the listing page,
# each timed with curl during an 8-second freeze, then once it is back.
#   bench/net/frozen_database.sh SCORED_BINARY
set -euo pipefail
scored=${1:?usage: frozen_database.sh SCORED_BINARY}
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
work=$(mktemp -d)
chmod 755 "$work"
as=()
[ "$(id -u)" = 0 ] && { chown nobody: "$work"; as=(runuser -u nobody --); }
"${as[@]}" "$bin/initdb" -D "$work/data" -U orbolo --auth=trust --no-sync >/dev/null
"${as[@]}" "$bin/pg_ctl" -D "$work/data" -l "$work/pg.log" -w \
    -o "-k $work -c listen_addresses=''" start >/dev/null
"$scored" --listen 127.0.0.1:0 --db "postgresql://orbolo@/postgres?host=$work" \
    >"$work/out" 2>"$work/access.log" &
server=$!
postmaster=$(head -1 "$work/data/postmaster.pid")
freeze() { kill -"$1" "$postmaster" $(pgrep -P "$postmaster"); }
trap 'freeze CONT 2>/dev/null; kill $server; wait $server; "${as[@]}" "$bin/pg_ctl" -D "$work/data" -m immediate stop >/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do grep -q listening "$work/out" && break; sleep 0.1; done
base=$(sed -n 's/.*\(http:\/\/127\.0\.0\.1:[0-9]*\).*/\1/p' "$work/out")/highscores/orbolo
timed() { curl -s -o /dev/null -m 20 -w "%{http_code} in %{time_total} s" "$1"; }
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
curl -s "$base/ishighscore.php?gamename=tshard&submtdscore=1230" >/dev/null
curl -s "$base/" >/dev/null
freeze STOP
(sleep 8; freeze CONT) &
thaw=$!
# Side by side, as clients come: each waits only for itself.
timed "$base/scoresubmitter.php?name=ANN&score=1230&computer=M&gamename=tshard" >"$work/submit" &
submission=$!
timed "$base/ishighscore.php?gamename=tahard&submtdscore=70" >"$work/query" &
query=$!
sleep 0.2
echo "frozen: 404 $(timed "$base/nothing"), listing $(timed "$base/")"
wait $submission $query
echo "frozen: submission $(cat "$work/submit"), query $(cat "$work/query")"
echo "frozen: another query $(timed "$base/ishighscore.php?gamename=taaverage&submtdscore=70")"
wait $thaw
sleep 1.2
echo "back: submission $(timed "$base/scoresubmitter.php?name=ANN&score=1230&computer=M&gamename=tshard") (the same request again)"
