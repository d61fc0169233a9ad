#!/usr/bin/env bash
# What a screen reader says: the program with Orca on the AT-SPI bus under Xvfb, Orca with
# its speech output off and a debug log, whose "SPEECH OUTPUT" lines are what it would say
# (a synthesiser would only be started, and may hang where there is no sound).
# Checks, in English and in German, that Tab in the About box reaches a link spoken as
# one, that choosing the object in the diagram is spoken, and that a move is spoken at
# once with its new numbers and the situation. The expected texts come from the
# dictionaries. Usage: orca-speaks.sh PROGRAM DICTIONARY...
# Exits 77 (skipped) when Orca or what it needs is missing.
set -euo pipefail
scripts=$(dirname "$0")/../../scripts/lib
. "$scripts/xvfb.sh"
. "$scripts/dictionary.sh"

program=$1
shift

for tool in Xvfb xdotool dbus-launch openbox orca; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (Debian: orca python3-pyatspi at-spi2-core openbox dbus-x11 xvfb xdotool)" >&2
        exit 77
    fi
done

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    [ -n "${DBUS_SESSION_BUS_PID:-}" ] && kill "$DBUS_SESSION_BUS_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/orca.log" ] && grep -a "SPEECH OUTPUT" "$work/orca.log" | sed 's/^/  said: /' >&2
    exit 1
}

# Polls Command until it succeeds, for at most Seconds.
wait_for() {
    local seconds=$1
    shift
    for _ in $(seq $((seconds * 10))); do
        if "$@"; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# The text of Key in Dictionary with <%1%>, <%2%> filled in from the further arguments.
entry() {
    local dictionary=$1 key=$2 text
    shift 2
    text=$(dictionary_text "$dictionary" "$key")
    local n=1
    for value in "$@"; do
        text=${text//<%$n%>/$value}
        n=$((n + 1))
    done
    printf '%s' "$text"
}

# What Orca has said so far, one utterance a line. (No grep -q after a pipe: with
# pipefail its early exit fails the pipe.)
spoken() { { grep -a "SPEECH OUTPUT: '" "$work/orca.log" 2>/dev/null || true; } | sed "s/.*SPEECH OUTPUT: '\(.*\)'.*/\1/"; }
said_since() { spoken | tail -n +$(($1 + 1)) | grep -F -- "$2" >/dev/null; }

# Presses Key and waits until Orca has said Text.
expect_after() {
    local key=$1 text=$2 what=$3 before
    before=$(spoken | wc -l)
    xdotool key --clearmodifiers "$key"
    wait_for 20 said_since "$before" "$text" || fail "$what: Orca did not say '$text'"
    echo "  $what: '$(spoken | tail -n +$((before + 1)) | grep -F -- "$text" | head -n1 | cut -c1-160)'"
}

mkdir -p "$work/home" "$work/runtime" "$work/lernix"
chmod 700 "$work/runtime" "$work/lernix"
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime LERNIX_RUNTIME_DIR=$work/lernix
export XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share

start_xvfb "$work" || fail "Xvfb did not start"
pids+=("$xvfb_pid")
eval "$(dbus-launch --sh-syntax)"
openbox >/dev/null 2>&1 &
pids+=($!)

# Orca writes its log through a buffer; this makes it write each line at once, so that
# the test reads what Orca has said so far.
mkdir -p "$work/python"
cat >"$work/python/sitecustomize.py" <<'PYTHON'
import builtins, os
_open = builtins.open
_log = os.environ.get("ORCA_LINE_BUFFERED_LOG")
def _line_buffered(file, mode="r", buffering=-1, *args, **kwargs):
    if file == _log and "w" in mode:
        buffering = 1
    return _open(file, mode, buffering, *args, **kwargs)
builtins.open = _line_buffered
PYTHON
PYTHONPATH="$work/python" ORCA_LINE_BUFFERED_LOG="$work/orca.log" \
    orca --disable speech --disable braille --user-prefs "$work/orca-prefs" --debug-file="$work/orca.log" \
    >"$work/orca.out" 2>&1 &
pids+=($!)
listening() { grep -a "ORCA: Starting registry" "$work/orca.log" >/dev/null 2>&1; }
wait_for 60 listening || fail "Orca did not start: $(cat "$work/orca.out")"

for dictionary in "$@"; do
    echo "$(basename "$dictionary"):"
    # The program reads the dictionary that lies beside it under its own name.
    cp "$program" "$work/fokalis"
    cp "$dictionary" "$work/fokalis.itl"
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$work/fokalis" >"$work/program.log" 2>&1 &
    program_pid=$!
    pids+=($program_pid)

    ok=$(entry "$dictionary" OK)
    said_ok() { spoken | tail -n +$((before + 1)) | grep -F -- "$ok" >/dev/null; }
    before=$(spoken | wc -l)
    wait_for 30 said_ok || fail "the About box was not spoken"
    expect_after Tab "$(entry "$dictionary" "Qt application toolkit")" "Tab to the first link"
    if ! spoken | tail -n 3 | grep -E " (link|Link|Verweis)" >/dev/null; then
        fail "the link was not spoken as a link"
    fi
    expect_after Escape "$(entry "$dictionary" "Lens Diagram")" "Escape closes the box; the diagram has the focus"
    expect_after o "$(entry "$dictionary" "Part Object") $(entry "$dictionary" "Object Distance Value" 200 150)" \
        "O chooses the object"
    expect_after Right "$(entry "$dictionary" "Object Distance Value" 199 150) $(entry "$dictionary" "Object Beyond 2F" 199)" \
        "Right moves it"
    expect_after Up "$(entry "$dictionary" "Part Object Height") $(entry "$dictionary" "Object Height Value" 199 151)" \
        "Up chooses its height"
    expect_after Up "$(entry "$dictionary" "Object Height Value" 199 152)" "Up again moves it"
    expect_after f "$(entry "$dictionary" "Part Focus") $(entry "$dictionary" "Focus Value" 80)" "F chooses the focal point"
    expect_after Left "$(entry "$dictionary" "Focus Value" 81)" "Left moves it"

    kill -0 "$program_pid" 2>/dev/null || fail "the program ended: $(cat "$work/program.log")"
    kill "$program_pid"
    wait "$program_pid" 2>/dev/null || true
done
echo "PASS: Orca spoke the link, the choices and the moves"
