#!/usr/bin/env bash
# Every C++ file laid out as the project's .clang-format says; lists the ones
# that are not and the command that fixes them.
set -euo pipefail
cd "$(dirname "$0")/../.."
command -v clang-format >/dev/null || { echo "format: clang-format is not installed (package clang-format)" >&2; exit 1; }
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files '*.cpp' '*.h')
else # an unpacked release: no build folders in it
    mapfile -t files < <(find . -path './build*' -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||' | sort)
fi
mapfile -t unformatted < <(printf '%s\0' "${files[@]}" |
    xargs -0 -n 64 -P "$(nproc)" clang-format --dry-run 2>&1 |
    sed -n 's/^\(.*\):[0-9]*:[0-9]*: [a-z]*: code should be clang-formatted.*/\1/p' | sort -u)
if [ ${#unformatted[@]} -gt 0 ]; then
    echo "These ${#unformatted[@]} C++ files differ from .clang-format:" >&2
    printf '  %s\n' "${unformatted[@]}" >&2
    echo "Fix them with:  clang-format -i ${unformatted[*]}" >&2
    exit 1
fi
echo "format: ${#files[@]} C++ files as .clang-format lays them out"
