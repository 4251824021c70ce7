#!/usr/bin/env bash
# The tools' bash completion as installed: the candidates offered for a command line being
# typed, in a folder with a file of each kind.
# Usage: completion_test.sh COMPLETION_DIR
set -euo pipefail
export LC_ALL=C
dir=$(realpath "$1")
source "$dir/trivant-cli"
source "$dir/trivant-sim"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
touch a.rr b.TXT c.png d.pdf e.csv f.rr.part g.hea
mkdir sub

# candidates TOOL WORD...: what TOOL's completion offers for the last word, sorted, on a line.
candidates() {
    local fn=_${1//-/_}
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMPREPLY=()
    "$fn"
    printf '%s\n' "${COMPREPLY[@]}" | sort | xargs
}

# Each row: the candidates expected | the words typed, the last one being completed ('' for
# an empty word). bash splits "--name=value" into "--name", "=" and "value".
failed=0
while IFS='|' read -r want words; do
    eval "args=($words)"
    got=$(candidates "${args[@]}")
    if [ "$got" != "$(echo $want)" ]; then
        echo "completion_test: ${words} offers '$got', expected '$(echo $want)'" >&2
        failed=1
    fi
done <<'ROWS'
analyze artifacts beats ble-scan coherence convert correct import-ms label print record recover render report resonance stages summary trend | trivant-cli ''
record recover render report resonance                | trivant-cli re
report                                                | trivant-cli --sample 30 rep
--annotations --channel --help --ib-compensation --sample --version -h | trivant-cli -
--standard --start                                    | trivant-cli analyze a.rr --st
--landscape                                           | trivant-cli print --l
--step                                                | trivant-cli trend a.rr --st
--rates                                               | trivant-cli resonance a.rr --ra
--point                                               | trivant-cli render a.rr c.png --p
a.rr b.TXT e.csv g.hea sub                            | trivant-cli summary ''
a.rr b.TXT e.csv g.hea sub                            | trivant-cli --sample=30 summary ''
c.png sub                                             | trivant-cli render a.rr ''
e.csv sub                                             | trivant-cli label a.rr --at 600 ''
d.pdf sub                                             | trivant-cli report a.rr --start 600 ''
d.pdf sub                                             | trivant-cli report --start = 600 a.rr ''
a.rr b.TXT c.png d.pdf e.csv f.rr.part g.hea sub      | trivant-cli import-ms ''
a.rr b.TXT sub                                        | trivant-cli import-ms e.csv ''
                                                      | trivant-cli summary a.rr ''
a.rr b.TXT e.csv g.hea sub                            | trivant-cli analyze a.rr b.TXT ''
low                                                   | trivant-cli analyze --artifacts l
e.csv sub                                             | trivant-cli correct a.rr ''
verylow verystrong                                    | trivant-cli analyze --artifacts = very
1 1/128 1/16 1/2 1/32 1/4 1/64 1/8 2 4 whole          | trivant-cli render --zoom = ''
1 1/128 1/16 1/2 1/32 1/4 1/64 1/8 2 4 whole          | trivant-cli render --zoom =
1/128 1/16                                            | trivant-cli print --zoom 1/1
                                                      | trivant-cli summary --sample ''
--recording                                           | trivant-sim --rec
a.rr b.TXT e.csv g.hea sub      | trivant-sim --recording ''
a.rr b.TXT c.png d.pdf e.csv f.rr.part g.hea sub            | trivant-sim --speed 2 --ms ''
1 2                                                   | trivant-sim --device ''
--seed --silence --speed --split --status             | trivant-sim --loop --s
f.rr.part sub                                         | trivant-cli recover ''
a.rr b.TXT e.csv sub                                  | trivant-cli recover f.rr.part ''
--beats --ble --ble-replay                            | trivant-cli record --b
--list                                                | trivant-cli recover --l
ROWS
[ $failed -eq 0 ] && echo "completion_test: every row offers what it should"
exit $failed
