#!/usr/bin/env bash
# Orbolo set-up for Debian 12 and Ubuntu: installs what is missing, builds,
# then runs the game or every test.
#   bash setup.sh play    install, build, play
#   bash setup.sh test    install (with the test tools), build, run every test
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
mode=${1:-play}
build=${ORBOLO_BUILD_DIR:-$here/build}

case "$mode" in
play) bash "$here/deps/install_missing.sh" ;;
test) bash "$here/deps/install_missing.sh" test web ;;
*) echo "usage: bash setup.sh play|test" >&2; exit 2 ;;
esac

# C++ files laid out as .clang-format says, checked before anything long runs.
if [ "$mode" = test ]; then bash "$here/tests/style/check_format.sh"; fi

web=${ORBOLO_WEB_DIR:-$here/build-web}
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBOLO_WEB_DIR="$web" >/dev/null
cmake --build "$build" -j "$(nproc)"

# The game keeps its highscore tables itself unless a shared server is
# chosen: bash setup.sh play --score-server URL, ORBOLO_SCORE_SERVER or
# orbolo.conf.
if [ "$mode" = play ]; then
    exec "$build/orbolo" "${@:2}"
fi
# The browser build reuses this build's data; its libraries are built once
# into build-web-libs/ and kept for the next run.
ORBOLO_BUILD_DIR=$build ORBOLO_WEB_DIR=$web bash "$here/packaging/web/build_web.sh"

export MESA_SHADER_CACHE_DISABLE=true SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

# The parsers of outside data, fuzzed briefly in a clang build of their own,
# one fuzzer per core.
fuzz=${build}-fuzz
CC=clang CXX=clang++ cmake -S "$here" -B "$fuzz" -DORBOLO_FUZZ=ON >/dev/null
cmake --build "$fuzz" -j "$(nproc)"
(cd "$fuzz" && ctest --output-on-failure -j "$(nproc)" -L fuzz)

# The unit and display tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, in a build of their own. Leaks inside the
# platform's libraries are suppressed, each with its reason, in lsan.supp.
# The display tests run without the leak check: Mesa's driver is unloaded
# before it runs, so its allocations can be neither attributed nor
# suppressed; memory errors and undefined behaviour are still caught there.
asan=${build}-asan
cmake -S "$here" -B "$asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBOLO_SANITIZE=ON >/dev/null
cmake --build "$asan" -j "$(nproc)"
(cd "$asan" &&
    export LSAN_OPTIONS=suppressions=$here/tests/sanitizers/lsan.supp:print_suppressions=0 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 &&
    ctest --output-on-failure --timeout 600 -L unit &&
    ASAN_OPTIONS=detect_leaks=0 xvfb-run -a -s "-screen 0 640x480x24 -noreset" \
        ctest --output-on-failure --timeout 600 -L display)

# The unit tests (sound among them) and the display tests again under
# ThreadSanitizer, in a build of their own that makes only the programs
# those tests run. Left out: the name-entry dialog test, whose typing at
# fixed intervals the sanitizer's slower frames overrun.
# Races inside Mesa's uninstrumented driver are suppressed, each with its
# reason, in tsan.supp. Kernels that randomise addresses more than this
# sanitizer allows get the tests run without randomisation, where that may
# be switched off.
tsan=${build}-tsan
tsan_skip='^panel_modal_screens_test$'
cmake -S "$here" -B "$tsan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBOLO_TSAN=ON >/dev/null
# The programs those tests run: every target named by a path in the build
# tree on their add_test lines.
tsan_tests=$(cd "$tsan" && ctest -N -L 'unit|display' -E "$tsan_skip" |
    sed -n 's/^ *Test *#[0-9]*: //p')
tsan_programs=$(for t in $tsan_tests; do
    grep -rhF --include=CTestTestfile.cmake "add_test([=[$t]=]" "$tsan" | grep -o "$tsan/[^ \"']*"
done | sed 's|.*/||' | sort -u)
tsan_targets=$(cmake --build "$tsan" --target help | sed -n 's/^\.\.\. //p' |
    grep -Fx -f <(printf '%s\n' $tsan_programs))
cmake --build "$tsan" -j "$(nproc)" --target $tsan_targets
norandom=()
if setarch "$(uname -m)" -R true 2>/dev/null; then norandom=(setarch "$(uname -m)" -R); fi
(cd "$tsan" &&
    export TSAN_OPTIONS="suppressions=$here/tests/sanitizers/tsan.supp second_deadlock_stack=1" &&
    "${norandom[@]}" ctest --output-on-failure --timeout 600 -L unit -E "$tsan_skip" &&
    "${norandom[@]}" xvfb-run -a -s "-screen 0 640x480x24 -noreset" \
        ctest --output-on-failure --timeout 600 -L display -E "$tsan_skip")

# Every other test; display and end-to-end tests get a 640 x 480 X server.
# The browser test (headless Chromium) is among them.
cd "$build"
xvfb-run -a -s "-screen 0 640x480x24 -noreset" ctest --output-on-failure --timeout 600 -LE fuzz
