#!/usr/bin/env bash
# Installs the package built by deb_package_test.sh with dpkg, checks it,
# and removes it again. It changes the system, so it runs only as root in
# CI (CI=true); anywhere else it is skipped.
#   deb_install_test.sh BUILD_DIR
set -euo pipefail
build=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
if [ "$(id -u)" -ne 0 ] || [ "${CI:-}" != true ]; then
    echo "skipped: installs system-wide, runs only as root with CI=true"
    exit 77
fi
debs=("$build"/package/orbolo_*.deb)
[ -f "${debs[0]}" ] || fail "no package in $build/package"

status() { dpkg-query -W -f='${Status}' orbolo 2>/dev/null || true; }
dpkg -i "${debs[0]}" >/dev/null
[ "$(status)" = "install ok installed" ] || fail "dpkg status after install: $(status)"
grep -q '/lib/orbolo' /usr/bin/orbolo && [ -x /usr/lib/orbolo/orbolo ] || fail "/usr/bin/orbolo does not start the game"
[ -f /usr/lib/orbolo/gfx/play2.tga ] && [ -f /usr/lib/orbolo/help.html ] || fail "data not beside the game"
/usr/bin/orbolo-scored --help >/dev/null || fail "installed orbolo-scored does not run"

dpkg -r orbolo >/dev/null
[ "$(status)" != "install ok installed" ] || fail "still installed after dpkg -r"
for path in /usr/bin/orbolo /usr/bin/orbolo-scored /usr/lib/orbolo \
    /usr/share/applications/orbolo.desktop /usr/share/icons/hicolor/64x64/apps/orbolo.png; do
    [ ! -e "$path" ] && [ ! -L "$path" ] || fail "$path left behind by dpkg -r"
done
echo "ok: installed and removed cleanly"
