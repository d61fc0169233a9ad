#!/usr/bin/env bash
# A program's usage text and its manual page name the same options, so that neither can
# gain or lose one alone. From the usage text: its "Usage:" line and the first column of
# its indented items; from the page: the tags of its OPTIONS and REQUESTS sections.
# Usage: usage-matches-manual.sh PROGRAM MANUAL_PAGE
set -euo pipefail
program=$1
page=$2

# Options (-x, --name, /name=) of standard input, one a line, sorted.
options() {
    grep -oE '(^|[^[:alnum:]-])(--?[[:alpha:]][[:alnum:]-]*|/[[:alpha:]]+=)' \
        | sed -E 's/^[^/-]//' | LC_ALL=C sort -u || true
}

usage=$(QT_QPA_PLATFORM=offscreen "$program" --help)
from_usage=$(printf '%s\n' "$usage" \
    | sed -nE -e '/^[Uu]sage:/p' -e 's/^  ([^ ].*)$/\1/p' | sed -E 's/  +.*//' | options)
from_page=$(awk '/^\.SH/ { section = $0; tagged = 0; next }
                 tagged && section ~ /^\.SH (OPTIONS|REQUESTS)$/ { print }
                 { tagged = ($0 == ".TP") }' "$page" \
    | sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\(..//g' | options)

[ -n "$from_usage" ] || { echo "FAIL: no options found in the usage text of $program" >&2; exit 1; }
only_usage=$(LC_ALL=C comm -23 <(printf '%s\n' "$from_usage") <(printf '%s\n' "$from_page"))
only_page=$(LC_ALL=C comm -13 <(printf '%s\n' "$from_usage") <(printf '%s\n' "$from_page"))
status=0
if [ -n "$only_usage" ]; then
    echo "FAIL: in the usage text of $program but not in $page:" $only_usage >&2
    status=1
fi
if [ -n "$only_page" ]; then
    echo "FAIL: in $page but not in the usage text of $program:" $only_page >&2
    status=1
fi
[ $status -ne 0 ] || echo "PASS: $(basename "$program") and $(basename "$page") name the same options:" $from_usage
exit $status
