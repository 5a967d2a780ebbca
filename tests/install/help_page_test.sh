#!/usr/bin/env bash
# The players' help page: valid HTML, self-contained (in-page links only,
# each with its target; no images or other outside resources), and laid out
# by headless Chromium without sideways scrolling on a phone. Screenshots
# are left in OUTPUT_DIR for a look. The browser part is skipped without
# Chromium.
#   help_page_test.sh HELP_HTML OUTPUT_DIR
set -euo pipefail
page=$1
out=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

if command -v tidy >/dev/null; then
    # Empty elements are valid HTML5 (the drawn balls); tidy only prefers none.
    tidy -q -e --drop-empty-elements no "$page" || fail "tidy reports errors or warnings"
fi

hrefs=$(grep -o 'href="[^"]*"' "$page" | sed 's/^href="//; s/"$//' | sort -u)
[ -n "$hrefs" ] || fail "no links at all: the contents list is missing"
while read -r href; do
    case "$href" in
    \#?*) grep -q "id=\"${href#\#}\"" "$page" || fail "link $href has no target" ;;
    *) fail "link $href leaves the page" ;;
    esac
done <<<"$hrefs"
! grep -Eqi '<(img|script|link|iframe|object|embed)\b|url\(' "$page" ||
    fail "the page loads an outside resource"

command -v chromium >/dev/null || { echo "chromium not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
browser() {
    timeout 60 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$work/profile-$1" "${@:2}" 2>/dev/null
}

# Headless Chromium keeps its window at least 500 pixels wide, so a copy of
# the page narrows itself to a phone's 390 pixels and writes down how wide
# its content then is.
cp "$page" "$work/help.html"
sed -i 's|</body>|<script>document.documentElement.style.width = "390px"; document.body.dataset.width = document.body.scrollWidth;</script></body>|' \
    "$work/help.html"
browser phone-dom --dump-dom "file://$work/help.html" >"$work/dom.html"
width=$(sed -n 's/.*data-width="\([0-9]*\)".*/\1/p' "$work/dom.html")
[ -n "$width" ] || fail "the page did not render"
[ "$width" -le 390 ] || fail "the page is $width pixels wide on a 390-pixel phone screen"
[ "$(grep -o '<h2 id=' "$work/dom.html" | wc -l)" -ge 10 ] || fail "sections missing from the rendered page"

mkdir -p "$out"
browser wide --window-size=1280,900 --screenshot="$out/help-1280.png" "file://$(realpath "$page")"
browser phone --window-size=390,844 --screenshot="$out/help-390.png" "file://$(realpath "$page")"
[ -s "$out/help-1280.png" ] && [ -s "$out/help-390.png" ] || fail "no screenshots"
echo "ok: screenshots in $out"
