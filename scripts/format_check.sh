#!/usr/bin/env bash
# Fails when a C++ source differs from what clang-format makes of it. Checks the files
# changed since FORMAT_BASE (a git revision) or, without it, every tracked source.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -n "${FORMAT_BASE:-}" ]; then
    mapfile -t files < <(git diff --name-only --diff-filter=ACMR "$FORMAT_BASE" -- '*.cpp' '*.h')
else
    mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
fi
[ ${#files[@]} -eq 0 ] && exit 0
if ! clang-format --dry-run --Werror "${files[@]}"; then
    echo "format_check: run clang-format -i on the files above" >&2
    exit 1
fi
echo "format_check: ${#files[@]} files as clang-format writes them"
