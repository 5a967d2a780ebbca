#!/usr/bin/env bash
# Runs every benchmark once on a built tree and prints one short report:
# the machine, then one line per figure. About two minutes.
#   bash bench/report.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: report.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

fail() {
    echo "report.sh: $*" >&2
    exit 1
}

# Everything is checked before anything runs, so a missing piece costs
# seconds, not a half-finished report.
need_tool() { # command, Debian package
    command -v "$1" >/dev/null || fail "needs $1 (Debian package $2; 'bash setup.sh test' installs it)"
}
need_tool python3 python3
need_tool Xvfb xvfb
need_tool xvfb-run xvfb
need_tool xauth xauth
need_tool xdotool xdotool
need_tool xwd x11-apps
need_tool /usr/bin/convert imagemagick
need_tool wrk wrk
for built in orbolo orbolo-scored audio_stream_bench bench/display/frame_bench \
    bench/display/pacing_bench bench/display/first_window_bench bench/net/query_blocking_bench \
    bench/replay/replay_bench; do
    [ -x "$build/$built" ] || fail "no $build/$built: build the tree first"
done

export MESA_SHADER_CACHE_DISABLE=true SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# run NAME COMMAND...: the command's output lands in $work/NAME; a failure
# shows that output and stops the report.
run() {
    local name=$1
    shift
    local status=0
    "$@" >"$work/$name" 2>&1 || status=$?
    if [ $status -ne 0 ]; then
        cat "$work/$name" >&2
        fail "$name failed (exit $status)"
    fi
}

# pick NAME SED_SCRIPT: the one value the script prints from NAME's output.
pick() {
    local value
    value=$(sed -n "$2" "$work/$1" | head -1)
    [ -n "$value" ] || {
        cat "$work/$1" >&2
        fail "could not read a figure from $1's output above"
    }
    echo "$value"
}

load=$(cut -d' ' -f1-3 /proc/loadavg)
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
xvfb=(xvfb-run -a -s "-screen 0 640x480x24 -noreset")

run game python3 "$here/game/game_metrics.py" "$build/orbolo" # its own Xvfb
# The first frame is black: it is timed over a white root window.
run window xvfb-run -a -s "-screen 0 640x480x24 -wr -noreset" \
    "$build/bench/display/first_window_bench" "$build/orbolo" 7
run frame "${xvfb[@]}" "$build/bench/display/frame_bench" 4
run pacing "${xvfb[@]}" "$build/bench/display/pacing_bench" 5
run audio bash -c 'cd "$1" && ./audio_stream_bench 5' _ "$build"
run server bash "$here/net/score_server_load.sh" "$build" 5
run replay "$build/bench/replay/replay_bench"

# Each figure is read into a variable first: a failed read then stops the
# report instead of leaving a blank in it.
server_line() { # label: "N req/s, p99 T", only when every answer was a 2xx
    local fields
    fields=$(pick server "s/^$1  *\([0-9.]*\) req\/s  *p99  *\([^ ]*\)  *non-2xx \(.*\)$/\1 \2 \3/p")
    set -- $fields
    [ "$3" = 0 ] || fail "the score server answered $3 $1 requests with an error"
    printf '%.0f req/s, p99 %s' "$1" "$2"
}
renderer=$(pick frame 's/^renderer: //p')
window=$(pick window 's/^first window: median \([0-9.]*\) ms.*/\1/p')
loop() { # label: "C % of a core, M ms CPU per frame, S % skipped"
    pick game "s/^$1: \([0-9.]*\) % of one core, \([0-9.]*\) ms CPU per frame, \([0-9]*\) % of \([0-9]*\) frames.*/\1 % of a core, \2 ms CPU per frame, \3 % of \4 frames\/s skipped/p"
}
menu=$(loop menu)
rest=$(loop "TopScore at rest")
moving=$(loop "TopScore, rows sliding")
anon=$(pick game 's/^private memory (RssAnon): \(.*\)$/\1/p')
rss=$(pick game 's/^peak RSS: \(.*\)$/\1/p')
frame=$(pick frame 's/^frame: .*: \([0-9.]*\) ms per frame .*process CPU \([0-9.]*\) ms per frame.*/\1 ms, \2 ms CPU/p')
whole=$(pick frame 's/^whole frame: .*process CPU \([0-9.]*\) ms$/\1 ms CPU/p')
still=$(pick frame 's/^unchanged frame: .*process CPU \([0-9.]*\) ms$/\1 ms CPU/p')
pacing=$(pick pacing 's/.* min \([0-9.]*\) .* median \([0-9.]*\) .* p99 \([0-9.]*\) .*/min \1, median \2, p99 \3 ms/p')
music=$(pick audio 's/^idle main thread: .*cpu \([0-9.]*\) % of one core$/\1/p')
replayed() { # label: "N bytes (B bytes/min), verified in T ms CPU"
    pick replay "s/^$1: .* \([0-9]*\) bytes (\([0-9]*\) bytes per minute), verified in \([0-9.]*\) ms CPU.*/\1 bytes (\2 bytes\/min), verified in \3 ms CPU/p"
}
ten_minutes=$(replayed "TimeAttack, ten minutes")
long_game=$(replayed "TopScore, long")
query=$(server_line query)
submission=$(server_line submission)

line() { printf '%-28s %s\n' "$1" "$2"; }
echo "Orbolo benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC')"
line "machine" "${cpu:-$(uname -m)}, $(nproc) cores, load average $load at start"
line "renderer" "$renderer"
line "first window" "$window ms (median of 7)"
line "idle main menu" "$menu"
line "TopScore game at rest" "$rest"
line "TopScore, rows sliding" "$moving"
line "play-like frame, uncapped" "$frame; drawn whole $whole; unchanged $still"
line "frame pacing" "$pacing"
line "memory" "$anon private (RssAnon), $rss peak RSS"
line "music" "$music % of one core"
line "score server, query" "$query"
line "score server, submission" "$submission"
line "replay, TimeAttack 10 min" "$ten_minutes"
line "replay, long TopScore" "$long_game"

# The game in the browser, when a web build exists (bash packaging/web/build_web.sh).
web=${ORBOLO_WEB_DIR:-$here/../build-web}
if [ -e "$web/index.html" ] && command -v chromium >/dev/null; then
    run web python3 "$here/web/web_page_bench.py" "$web" "$build/orbolo-scored"
    line "web page, first visit" "$(pick web 's/^first visit: //p')"
    line "web page, load" "$(pick web 's/^page load to //p')"
    line "web page, menu at rest" "$(pick web 's/^at rest (menu): //p')"
    line "web page, rows sliding" "$(pick web 's/^sliding rows: //p')"
fi
