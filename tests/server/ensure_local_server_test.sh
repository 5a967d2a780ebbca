#!/usr/bin/env bash
# ensure-local-server.sh: starts a server when none answers, and only then.
#   ensure_local_server_test.sh SCRIPT SCORED_BINARY
set -euo pipefail
script=$1
scored=$2
work=$(mktemp -d)
export XDG_DATA_HOME=$work/data
cleanup() {
    if [ -f "$XDG_DATA_HOME/orbolo/scored.pid" ]; then
        kill "$(cat "$XDG_DATA_HOME/orbolo/scored.pid")" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# A free port: ask the server itself for one, then stop it.
"$scored" --listen 127.0.0.1:0 --db "$work/probe.db" >"$work/probe.out" &
probe=$!
for _ in $(seq 300); do grep -q listening "$work/probe.out" && break; sleep 0.1; done
port=$(sed -n 's/.*127\.0\.0\.1:\([0-9]*\).*/\1/p' "$work/probe.out")
kill "$probe"
wait "$probe" || true

"$script" "http://127.0.0.1:$port" "$scored" | grep -q "started orbolo-scored"
first=$(cat "$XDG_DATA_HOME/orbolo/scored.pid")
"$script" "http://127.0.0.1:$port" "$scored" | grep -q "answers at"
[ "$(cat "$XDG_DATA_HOME/orbolo/scored.pid")" = "$first" ]
[ -f "$XDG_DATA_HOME/orbolo/scores.db" ]

# A server elsewhere is left alone; a missing server program is an error.
"$script" "http://scores.orbolo.invalid" "$scored" | grep -q "not on this machine"
kill "$first"
for _ in $(seq 300); do kill -0 "$first" 2>/dev/null || break; sleep 0.1; done
if "$script" "http://127.0.0.1:$port" "$work/no-such-scored" 2>/dev/null; then
    echo "FAIL: a missing server program was reported as started" >&2
    exit 1
fi
echo "ok"
