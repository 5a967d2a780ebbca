#!/usr/bin/env bash
# Installs what deps/debian-packages.txt lists and this system lacks: the
# unmarked lines, plus the lines marked with each group named ("test",
# "web"). Uses sudo for apt-get when not run as root.
#   bash deps/install_missing.sh [GROUP...]
set -euo pipefail

list=$(dirname "$0")/debian-packages.txt
packages=$(grep -v '^#' "$list" | grep -v '^$')
for group in "$@"; do
    packages+=$'\n'$(sed -n "s/^#$group //p" "$list")
done

missing=()
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -gt 0 ] || exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
