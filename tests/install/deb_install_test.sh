#!/usr/bin/env bash
# Installs the packages built by deb_package_test.sh with dpkg, checks that
# the installed programs run, and removes them again. It changes the system,
# so it runs only as root in CI (CI=true); anywhere else it is skipped.
#   deb_install_test.sh BUILD_DIR
set -euo pipefail
build=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
if [ "$(id -u)" -ne 0 ] || [ "${CI:-}" != true ]; then
    echo "skipped: installs system-wide, runs only as root with CI=true"
    exit 77
fi
debs=("$build"/package/orbolo_*.deb "$build"/package/orbolo-server_*.deb)
for deb in "${debs[@]}"; do [ -f "$deb" ] || fail "no $deb"; done

status() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null || true; }
dpkg -i "${debs[@]}" >/dev/null
for package in orbolo orbolo-server; do
    [ "$(status $package)" = "install ok installed" ] || fail "$package after install: $(status $package)"
done
[ "$(/usr/games/orbolo --version)" = "orbolo $(dpkg-query -W -f='${Version}' orbolo)" ] ||
    fail "/usr/games/orbolo does not start the installed game"
/usr/sbin/orbolo-scored --help >/dev/null || fail "installed orbolo-scored does not run"
man -w orbolo >/dev/null && man -w 8 orbolo-scored >/dev/null || fail "man cannot find the manual pages"

dpkg -r orbolo orbolo-server >/dev/null
left=$(for deb in "${debs[@]}"; do dpkg -c "$deb"; done | awk '{print substr($6, 2)}' | grep -v '/$' | while read -r f; do
    [ ! -e "$f" ] || echo "$f"; done)
[ -z "$left" ] || fail "left behind by dpkg -r: $left"
echo "ok: installed and removed cleanly"
