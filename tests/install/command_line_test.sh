#!/usr/bin/env bash
# The game's command line, on the real program with no display: --help and
# --version answer and end before any window opens (a window would fail here
# with "no display"), a bad flag gets the usage line and status 2, a replay
# that cannot be read is refused before a window opens, and good flags go on
# to start the game.
#   command_line_test.sh ORBOLO
set -euo pipefail
game=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# arguments | exit status | standard output | standard error (ERE; "-": empty)
while IFS='|' read -r args want out err; do
    status=0
    # shellcheck disable=SC2086 # the arguments are split on purpose
    env -u DISPLAY -u WAYLAND_DISPLAY "$game" $args >"$work/out" 2>"$work/err" || status=$?
    [ "$status" = "$want" ] || fail "orbolo $args: exit status $status, not $want: $(cat "$work/err")"
    for stream in out err; do
        pattern=${!stream}
        if [ "$pattern" = - ]; then
            [ ! -s "$work/$stream" ] || fail "orbolo $args: unexpected std$stream: $(cat "$work/$stream")"
        else
            grep -Eq -- "$pattern" "$work/$stream" || fail "orbolo $args: std$stream lacks /$pattern/: $(cat "$work/$stream")"
        fi
    done
done <<'CASES'
--help|0|--fullscreen|-
--windowed --help|0|--score-server URL|-
--version|0|^orbolo [0-9]+\.[0-9]+\.[0-9]+$|-
--bogus|2|-|^usage: orbolo
stray|1|-|cannot watch 'stray'
--replay|2|-|no file after '--replay'
--score-server|2|-|no address after '--score-server'
--score-server=|2|-|no address
--fullscreen --score-server http://127.0.0.1:9/|1|-|no display
CASES
echo "ok: help, version, bad flags"
