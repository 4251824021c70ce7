#!/usr/bin/env bash
# Every output of trivant-cli on every recording in tests/data, reduced to one signature
# each: bytes for files and text, pixels for pictures and for PDFs rendered to images.
# Usage: cli_golden.sh CLI DATA_DIR MANIFEST [--write]
# Without --write the signatures must equal MANIFEST; a difference names the output and
# leaves the outputs in $GOLDEN_KEEP (when set) for a look.
set -euo pipefail
cli=$(realpath "$1") data=$(realpath "$2") manifest=$(realpath -m "$3") mode=${4:-check}
for tool in pdftoppm identify sha256sum; do
    command -v "$tool" >/dev/null || { echo "cli_golden: $tool is missing" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export QT_QPA_PLATFORM=offscreen
# Pictures and PDFs follow the interface language: Russian unless said otherwise below.
export TRIVANT_LANG=ru
# A private runtime folder, so that Qt has nothing to say about a missing one.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

bytes() { sha256sum < "$1" | cut -d' ' -f1; }
# The second line of a text recording is the date it was written: today.
text() { sed 2d "$1" | sha256sum | cut -d' ' -f1; }
# analyze --json: every field byte for byte, the spectrum to 7 significant digits. Its last
# digits follow the order of the transform's sums, which may differ from machine to machine;
# its accuracy (1e-9 of the direct sum) is the analysis tests' to check.
json() {
    awk '{
        i = index($0, "\"spectrum\":[")
        if (i == 0) { print; next }
        rest = substr($0, i + 12)
        j = index(rest, "]")
        n = split(substr(rest, 1, j - 1), v, ",")
        out = substr($0, 1, i + 11)
        for (k = 1; k <= n; k++) out = out (k > 1 ? "," : "") sprintf("%.7g", v[k])
        print out substr(rest, j)
    }' "$1" | sha256sum | cut -d' ' -f1
}
pixels() { identify -format '%#\n' "$1" | sha256sum | cut -d' ' -f1; }
pdf() {
    pdftoppm -r 60 -png "$1" "$1.page"
    for p in "$1".page*.png; do pixels "$p"; done | sha256sum | cut -d' ' -f1
}
# One page of a PDF alone, hashed as pdf() hashes a PDF of that one page.
pdfpage() {
    pdftoppm -f "$2" -l "$2" -r 60 -png "$1" "$1.only$2"
    for p in "$1".only"$2"*.png; do pixels "$p"; done | sha256sum | cut -d' ' -f1
}
pdf1() { pdfpage "$1" 1; }
pdf2() { pdfpage "$1" 2; }

out=signatures.txt
: > "$out"
sig() { printf '%s %s\n' "$1" "$2" >> "$out"; }

recs=()
for ms in "$data"/rr/*.txt; do
    # A list longer than a .rr file holds (the whole day) has tests of its own.
    [ "$(wc -l < "$ms")" -le 31999 ] || continue
    name=$(basename "$ms" .txt)
    "$cli" import-ms "$ms" "$name.rr" > /dev/null
    recs+=("$name.rr")
done
cp "$data/files/rest.txt" rest.txt
"$cli" convert rest.txt rest.rr > /dev/null
recs+=(rest.rr)

# run KIND NAME OUTPUT COMMAND...: the signature of OUTPUT, or the exit status when the
# command refused (a refusal must stay a refusal).
run() {
    local kind=$1 name=$2 file=$3
    shift 3
    local status=0
    "$@" > "$file.stdout" 2>&1 || status=$?
    if [ $status -ne 0 ]; then
        sig "exit-$status-$(bytes "$file.stdout")" "$name"
    else
        [ -e "$file" ] || file=$file.stdout
        sig "$("$kind" "$file")" "$name"
    fi
}

# report SUFFIX START PDF: the first page under the signature it had when the report was
# one page, the standard measures' page under its own (a refusal under both).
report() {
    run pdf1 "$n report$1" "$3" "$cli" report "$rr" --start "$2" "$3"
    if [ -e "$3" ]; then
        sig "$(pdf2 "$3")" "$n report$1-standard"
    else
        sig "$(tail -n 1 "$out" | cut -d' ' -f1)" "$n report$1-standard"
    fi
}

for rr in "${recs[@]}"; do
    n=${rr%.rr}
    sig "$(bytes "$rr")" "$n import"
    run text "$n convert-txt" "$n-c.txt" "$cli" convert "$rr" "$n-c.txt"
    run bytes "$n convert-rr" "$n-c.rr" "$cli" convert "$n-c.txt" "$n-c.rr"
    run bytes "$n summary" "$n-s" "$cli" summary "$rr"
    run bytes "$n summary-50-comp" "$n-s50" "$cli" summary "$rr" --sample 50 --ib-compensation
    for start in 0 600; do
        run json "$n analyze-json-$start" "$n-a$start" "$cli" analyze --json --start $start "$rr"
        run bytes "$n analyze-csv-$start" "$n-c$start" "$cli" analyze --csv --start $start "$rr"
    done
    run pixels "$n render" "$n.png" "$cli" render "$rr" "$n.png"
    run pixels "$n render-point" "$n-p.png" \
        "$cli" render "$rr" "$n-p.png" --point 2 --zoom 2 --xpos 1 --size 800x600
    run pixels "$n render-point-300" "$n-p3.png" "$cli" render "$rr" "$n-p3.png" --point 300
    run pdf "$n print" "$n.pdf" "$cli" print "$rr" "$n.pdf"
    run pdf "$n print-landscape" "$n-l.pdf" "$cli" print "$rr" "$n-l.pdf" --landscape
    report "" 0 "$n-r.pdf"
    report -600 600 "$n-r6.pdf"
done

# The same in English, for one recording: the window's picture and the report with both pages,
# the second corrected.
export TRIVANT_LANG=en
rr=${recs[1]}
n=${rr%.rr}
run pixels "$n render-en" "$n-en.png" "$cli" render "$rr" "$n-en.png" --point 300
run pdf "$n report-en-medium" "$n-en.pdf" "$cli" report "$rr" --start 600 "$n-en.pdf" --artifacts medium
export TRIVANT_LANG=ru

# All recordings in one batch on two threads must write what one thread writes: the
# same lines and messages in the same order (so no signature of its own).
for start in 0 600; do
    for format in --json --csv; do
        for jobs in 1 2; do
            "$cli" analyze --jobs $jobs $format --start $start "${recs[@]}" \
                > "batch-$jobs.out" 2> "batch-$jobs.err" || echo "exit $?" >> "batch-$jobs.err"
        done
        if ! cmp -s batch-1.out batch-2.out || ! cmp -s batch-1.err batch-2.err; then
            echo "cli_golden: analyze $format --start $start differs on 2 jobs" >&2
            exit 1
        fi
    done
done

if [ "$mode" = --write ]; then
    cp "$out" "$manifest"
    echo "cli_golden: wrote $(wc -l < "$out") signatures to $manifest"
    exit 0
fi
if ! diff "$manifest" "$out"; then
    [ -n "${GOLDEN_KEEP:-}" ] && mkdir -p "$GOLDEN_KEEP" && cp -r "$work"/. "$GOLDEN_KEEP"
    echo "cli_golden: outputs differ from $manifest" >&2
    exit 1
fi
echo "cli_golden: $(wc -l < "$out") outputs as before"
