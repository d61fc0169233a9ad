#!/usr/bin/env bash
# The program under a real X server: the About box is the first thing shown, its home-page
# link hands the dictionary's address to xdg-open, OK closes it, and dragging the object
# changes the diagram. Usage: about-and-drag.sh PROGRAM (its dictionary lies beside it)
# Exits 77 (skipped) when Xvfb, xdotool or ImageMagick's import/compare are missing.
set -euo pipefail
scripts=$(dirname "$0")/../../scripts/lib
. "$scripts/xvfb.sh"
. "$scripts/dictionary.sh"

program=$1
dictionary=$program.itl
[ -f "$dictionary" ] || { echo "FAIL: no dictionary $dictionary" >&2; exit 1; }

for tool in Xvfb xdotool import compare; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed" >&2
        exit 77
    fi
done

work=$(mktemp -d)
xvfb_pid=
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Polls Command until it succeeds, for at most 10 seconds.
wait_for() {
    for _ in $(seq 100); do
        if "$@"; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# A web address is handed to xdg-open; this one writes it down instead.
mkdir -p "$work/bin" "$work/runtime"
chmod 700 "$work/runtime"
cat >"$work/bin/xdg-open" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$*" >>"$work/opened"
SCRIPT
chmod +x "$work/bin/xdg-open"

start_xvfb "$work" || fail "Xvfb did not start"
# The window remembers its place in the user's settings: a scratch folder, not the tester's.
export XDG_CONFIG_HOME="$work/config"

env -u BROWSER -u DEFAULT_BROWSER PATH="$work/bin:$PATH" LERNIX_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=xcb "$program" >"$work/program.log" 2>&1 &
program_pid=$!

visible() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
wait_for visible '^About$' || fail "the About box did not open"
about=$(xdotool search --onlyvisible --name '^About$' | head -n1)
main_title=$(dictionary_text "$dictionary" Fokalis)
main=$(xdotool search --name "^${main_title}\$" | head -n1)
[ -n "$main" ] || fail "no main window titled '$main_title'"

# Client positions: the home-page link sits at 152,40 in the panel at 8,224; OK at 424,296.
eval "$(xdotool getwindowgeometry --shell "$about")"
xdotool mousemove $((X + 8 + 152 + 10)) $((Y + 224 + 40 + 8)) click 1
wait_for test -s "$work/opened" || fail "the home-page link opened nothing"
expected=$(dictionary_text "$dictionary" HomePageURL)
opened=$(cat "$work/opened")
[ "$opened" = "$expected" ] || fail "opened '$opened', expected '$expected'"

xdotool mousemove $((X + 424 + 56)) $((Y + 296 + 16)) click 1
not_visible() { ! visible '^About$'; }
wait_for not_visible || fail "OK did not close the About box"

# The object's head is at 104,87 of the diagram, which starts at the window's corner.
eval "$(xdotool getwindowgeometry --shell "$main")"
import -window "$main" "$work/before.png"
xdotool mousemove $((X + 104)) $((Y + 87)) mousedown 1
for step in 1 2 3 4 5; do
    xdotool mousemove $((X + 104 + 10 * step)) $((Y + 87 + 10 * step))
done
xdotool mouseup 1
sleep 0.5
import -window "$main" "$work/after.png"
changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
[ "${changed%% *}" != 0 ] || fail "dragging the object changed nothing"

kill -0 "$program_pid" 2>/dev/null || fail "the program ended: $(cat "$work/program.log")"
echo "PASS: About box first, home page '$opened' handed over, object dragged ($changed pixels changed)"
