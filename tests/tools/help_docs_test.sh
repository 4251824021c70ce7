#!/usr/bin/env bash
# Every option that --help lists, of the tools and of each trivant-cli command, is offered by
# the bash completion and named in the manual page; trivant-cli's also in the README.
# Usage: help_docs_test.sh CLI SIM COMPLETION_DIR MAN_DIR README
set -euo pipefail
export LC_ALL=C
cli=$1 sim=$2 dir=$(realpath "$3") man=$4 readme=$5
source "$dir/trivant-cli"
source "$dir/trivant-sim"
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
failed=0

# The options of a help text: its rows "  -h, --help ..." and "  --sample N ...".
options() { grep -oE '^  (-[a-zA-Z], )?--[a-z-]+' | grep -oE -- '-{1,2}[a-z-]+'; }
# What the completion offers after TOOL WORD... for a word "-".
offered() {
    local fn=_${1//-/_}
    COMP_WORDS=("$@" -)
    COMP_CWORD=$#
    COMPREPLY=()
    "$fn"
    printf '%s\n' "${COMPREPLY[@]}"
}
# The manual page's text with roff's "\-" as "-".
page() { sed 's/\\-/-/g' "$man/$1.1.in"; }

# check TOOL HELP_COMMAND...: each option of the help against the completion and the docs.
check() {
    local tool=$1
    shift
    # Whole texts in variables: grep -q ending a pipe early would fail it under pipefail.
    local help words text
    help=$("$@" --help)
    words=$(offered "$tool" "${@:2}")
    text=$(page "$tool")
    for opt in $(options <<< "$help"); do
        grep -qxe "$opt" <<< "$words" ||
            { echo "help_docs_test: $* --help lists $opt, the completion lacks it" >&2; failed=1; }
        grep -qe "$opt\b" <<< "$text" ||
            { echo "help_docs_test: $* --help lists $opt, $tool.1 lacks it" >&2; failed=1; }
        if [ "$tool" = trivant-cli ] && [[ $opt != @(-h|--help|--version) ]]; then
            grep -qe "$opt\b" "$readme" ||
                { echo "help_docs_test: $* --help lists $opt, the README lacks it" >&2; failed=1; }
        fi
    done
}

# The commands: the rows under "Commands:" in the tool's help.
commands=$("$cli" --help | sed -n '/^Commands:/,/^$/p' | grep -oE '^  [a-z-]+' | xargs)
[ -n "$commands" ] || { echo "help_docs_test: no commands in trivant-cli --help" >&2; exit 1; }
check trivant-cli "$cli"
for c in $commands; do
    check trivant-cli "$cli" "$c"
    grep -qe "^\.BI* \"$c\b" <<< "$(page trivant-cli)" ||
        { echo "help_docs_test: trivant-cli.1 lacks the command $c" >&2; failed=1; }
done
check trivant-sim "$sim"
[ $failed -eq 0 ] && echo "help_docs_test: the completion, manual pages and README have every option"
exit $failed
