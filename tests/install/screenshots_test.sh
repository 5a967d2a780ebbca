#!/usr/bin/env bash
# The screenshot tool on the real game gives every image the metainfo names,
# at the size it declares.
#   screenshots_test.sh TAKE_SCREENSHOTS ORBOLO METAINFO OUT_DIR
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
xvfb-run -a -s "-screen 0 640x480x24 -noreset" bash "$1" "$2" "$4" >/dev/null
images=$(sed -n 's|.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)">.*/\([^/]*\)</image>.*|\3 \1x\2|p' "$3")
[ -n "$images" ] || fail "no screenshots in $3"
while read -r name size; do
    [ "$(identify -format %wx%h "$4/$name")" = "$size" ] || fail "$name is not a $size screenshot"
done <<<"$images"
echo "ok: $(wc -l <<<"$images") screenshots in $4"
