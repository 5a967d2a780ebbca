#!/usr/bin/env bash
# What can be checked of the Flatpak without its runtime: flatpak-builder
# reads the manifest; the configure it asks for (no tests, no server)
# succeeds without looking for the test or server libraries; the metainfo
# passes AppStream's pedantic check without a warning and says a gamepad plays.
#   flatpak_manifest_test.sh SOURCE_DIR
set -euo pipefail
source=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
command -v flatpak-builder >/dev/null || { echo "skipped: no flatpak-builder"; exit 77; }
manifest=$source/packaging/flatpak/example.orbolo.Orbolo.yml
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

flatpak-builder --show-manifest "$manifest" >"$work/manifest.json" || fail "flatpak-builder cannot read the manifest"
mapfile -t options < <(python3 -c 'import json, sys
for module in json.load(open(sys.argv[1]))["modules"]:
    if module["name"] == "orbolo": print(*module["config-opts"], sep="\n")' "$work/manifest.json")
cmake -S "$source" -B "$work/build" "${options[@]}" >"$work/configure.log" 2>&1 ||
    fail "the manifest's configure: $(tail -20 "$work/configure.log")"
! grep -E '^(GTest_DIR|HTTPLIB_FOUND|LIBPQ_FOUND|MICROHTTPD_FOUND)[:=]' "$work/build/CMakeCache.txt" ||
    fail "a game-only configure looked for test or server libraries"

metainfo=$source/packaging/example.orbolo.Orbolo.metainfo.xml
report=$(appstreamcli validate --pedantic --no-net "$metainfo" 2>&1) || fail "metainfo: $report"
! grep -E '^[EW]:' <<<"$report" || fail "metainfo warnings: $report"
grep -q '<control>gamepad</control>' "$metainfo" || fail "the metainfo does not say a gamepad plays"
echo "ok: manifest read, game-only configure, metainfo valid"
