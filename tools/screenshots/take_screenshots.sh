#!/usr/bin/env bash
# take_screenshots: the screenshots the AppStream metainfo shows, taken from
# the real game on the X display given in DISPLAY, which must be 640 x 480 so
# that the game's window covers it: the main menu with a caption showing, and
# a TopScore game once its balls have come to rest.
#   xvfb-run -a -s "-screen 0 640x480x24" take_screenshots.sh ORBOLO OUT_DIR
set -euo pipefail
game=$1
out=$2
work=$(mktemp -d)
pid=""
trap '[ -z "$pid" ] || { kill "$pid"; wait "$pid"; } 2>/dev/null; rm -rf "$work"' EXIT
die() { echo "take_screenshots: $*" >&2; exit 1; }
mkdir -p "$out"

# A window, no online highscores, whatever the player's own preferences
# say; nothing written into the player's own folders.
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data MESA_SHADER_CACHE_DISABLE=true SDL_AUDIODRIVER=dummy
mkdir -p "$XDG_CONFIG_HOME/orbolo"
printf '\1\0\0\0\0\0\0\0' >"$XDG_CONFIG_HOME/orbolo/prefs"
"$game" --windowed >"$work/game.log" 2>&1 &
pid=$!

grab() { import -window root "$1"; }
# Are the pixels at these x,y night blue (the menu's and the playing screen's
# field)? One answer, 1 or 0, for all of them.
blue() {
    local shot=$1 test="1" x y
    shift
    while [ $# -gt 0 ]; do
        x=$1 y=$2
        shift 2
        test="$test && p{$x,$y}.b > 0.15 && p{$x,$y}.b > p{$x,$y}.r + 0.1"
    done
    convert "$shot" -format "%[fx:$test]" info:
}
# Waits until STATE (a function of a screenshot) holds, and keeps that shot.
wait_for() {
    local state=$1 shot=$work/$1.png end=$((SECONDS + 120))
    while [ $SECONDS -lt $end ]; do
        kill -0 "$pid" 2>/dev/null || die "the game ended: $(cat "$work/game.log")"
        grab "$shot"
        if "$state" "$shot"; then return; fi
        sleep 0.1
    done
    die "no $state screen in two minutes"
}
menu() { [ "$(blue "$1" 100 300 60 150 210 320)" = 1 ]; }
# The mode selection: its title's bright letters across the top.
modes() {
    [ "$(convert "$1" -crop 330x25+230+70 +repage -fx 'r + g + b > 1.76' -format '%[fx:mean * w * h > 200]' info:)" = 1 ]
}
# The menu's caption for the item under the pointer shows in the bottom band.
caption() { [ "$(convert "$1" -crop 640x22+0+452 +repage -format '%[fx:maxima.r > 0.7]' info:)" = 1 ]; }
play() { [ "$(blue "$1" 5 470 160 240 300 440)" = 1 ]; }
# Two shots half a second apart are the same: the falling balls have landed.
settled() {
    sleep 0.5
    grab "$work/again.png"
    [ "$(compare -metric AE "$1" "$work/again.png" null: 2>&1)" = 0 ]
}
click() {
    xdotool mousemove "$1" "$2" mousedown 1
    sleep 0.1
    xdotool mouseup 1
}

wait_for menu
xdotool mousemove 330 318
wait_for caption
cp "$work/caption.png" "$out/menu.png"
click 330 318 # START A NEW GAME
wait_for modes
click 390 203 # TopScore
wait_for play
xdotool mousemove 206 189
wait_for settled
cp "$work/settled.png" "$out/play.png"
echo "screenshots in $out"
