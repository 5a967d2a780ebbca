#!/usr/bin/env bash
# Makes sure a score server answers where the game will look for one.
# When that address is on this machine and nothing answers there, starts
# orbolo-scored in the background with its database under
# ${XDG_DATA_HOME:-~/.local/share}/orbolo/ (log and pid file beside it).
# A server on another host is left alone. `bash setup.sh play` and the
# installed game's launcher both call it.
#   ensure-local-server.sh SERVER_ADDRESS ORBOLO_SCORED
set -euo pipefail

server=${1:?usage: ensure-local-server.sh SERVER_ADDRESS ORBOLO_SCORED}
scored=${2:?usage: ensure-local-server.sh SERVER_ADDRESS ORBOLO_SCORED}

hostport=${server#http://}
hostport=${hostport%%/*}
host=${hostport%:*}
port=${hostport##*:}
[ "$host" = "$hostport" ] && port=80

case "$host" in
127.*|localhost) ;;
*) echo "score server $server is not on this machine; nothing to start"; exit 0 ;;
esac

# Anything that answers HTTP on the address counts as a running server.
answers() {
    timeout 3 bash -c "exec 3<>/dev/tcp/$host/$port &&
        printf 'GET /highscores/orbolo/ishighscore.php?gamename=taeasy&submtdscore=0 HTTP/1.0\r\nHost: $host\r\n\r\n' >&3 &&
        head -c 9 <&3" 2>/dev/null | grep -q '^HTTP/1\.'
}

if answers; then
    echo "score server answers at $server"
    exit 0
fi

if [ ! -x "$scored" ]; then
    echo "no score server to start: $scored is missing" >&2
    exit 1
fi
data=${XDG_DATA_HOME:-$HOME/.local/share}/orbolo
mkdir -p "$data"
listen=$host
[ "$host" = localhost ] && listen=127.0.0.1
setsid "$scored" --listen "$listen:$port" --db "$data/scores.db" \
    >>"$data/scored.log" 2>&1 </dev/null &
echo $! >"$data/scored.pid"

for _ in $(seq 50); do
    if answers; then
        echo "started orbolo-scored at $server (database $data/scores.db, pid $(cat "$data/scored.pid"))"
        exit 0
    fi
    sleep 0.1
done
echo "orbolo-scored did not come up at $server; see $data/scored.log" >&2
exit 1
