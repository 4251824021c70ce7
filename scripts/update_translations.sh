#!/usr/bin/env bash
# Brings translations/trivant_en.ts up to date with the texts of src/ (new texts come in
# unfinished, texts gone are dropped). With --check it changes nothing and fails when the
# .ts is not up to date or a text has no English translation: CI's test.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
ts="$root/translations/trivant_en.ts"
lupdate=${LUPDATE:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}
options=(-extensions cpp,h -no-obsolete -locations none -source-language ru -target-language en)

if [ "${1:-}" != --check ]; then
    "$lupdate" "$root/src" "${options[@]}" -ts "$ts"
    exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$ts" "$work/trivant_en.ts"
"$lupdate" "$root/src" "${options[@]}" -ts "$work/trivant_en.ts" >"$work/log" 2>&1 ||
    { cat "$work/log"; exit 1; }
status=0
if grep -q 'type="unfinished"' "$work/trivant_en.ts"; then
    echo "Texts without an English translation:"
    grep -B1 'type="unfinished"' "$work/trivant_en.ts" | grep '<source>' || true
    status=1
fi
if ! cmp -s "$ts" "$work/trivant_en.ts"; then
    echo "translations/trivant_en.ts is not up to date with src/; run scripts/update_translations.sh"
    diff "$ts" "$work/trivant_en.ts" || true
    status=1
fi
exit $status
