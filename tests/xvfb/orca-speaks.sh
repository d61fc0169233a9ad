#!/usr/bin/env bash
# What a screen reader says: the program with Orca on the AT-SPI bus under Xvfb, Orca with
# no synthesiser and a debug log, whose "SPEECH OUTPUT" lines are what it would say.
# Checks, in English and in German, that Tab in the About box reaches a link spoken as
# one, that choosing the object in the diagram is spoken, and that a move is spoken at
# once with its new numbers and the situation. The expected texts come from the
# dictionaries. Usage: orca-speaks.sh PROGRAM DICTIONARY...
# Exits 77 (skipped) when Orca or what it needs is missing.
set -euo pipefail

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
    text=$(grep -a -F "[$key]=" "$dictionary" | head -n1 | tr -d '\r')
    text=${text#*]=}
    text=${text%|\$\$}
    local n=1
    for value in "$@"; do
        text=${text//<%$n%>/$value}
        n=$((n + 1))
    done
    printf '%s' "$text"
}

spoken() { grep -a "SPEECH OUTPUT: '" "$work/orca.log" | sed "s/.*SPEECH OUTPUT: '\(.*\)'.*/\1/" || true; }
said_since() { spoken | tail -n +$(($1 + 1)) | grep -q -F -- "$2"; }

# Presses Key and waits until Orca has said Text.
expect_after() {
    local key=$1 text=$2 what=$3 before
    before=$(spoken | wc -l)
    xdotool key --clearmodifiers "$key"
    wait_for 20 said_since "$before" "$text" || fail "$what: Orca did not say '$text'"
    echo "  $what: '$(spoken | tail -n +$((before + 1)) | grep -F -- "$text" | head -n1)'"
}

mkdir -p "$work/home" "$work/runtime" "$work/lernix"
chmod 700 "$work/runtime" "$work/lernix"
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime LERNIX_RUNTIME_DIR=$work/lernix
export XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
eval "$(dbus-launch --sh-syntax)"
openbox >/dev/null 2>&1 &
pids+=($!)

orca --user-prefs "$work/orca-prefs" --debug-file="$work/orca.log" >"$work/orca.out" 2>&1 &
pids+=($!)
ready() { spoken | grep -q .; }
wait_for 60 ready || fail "Orca did not start: $(cat "$work/orca.out")"

for dictionary in "$@"; do
    echo "$(basename "$dictionary"):"
    # The program reads the dictionary that lies beside it under its own name.
    cp "$program" "$work/fokalis"
    cp "$dictionary" "$work/fokalis.itl"
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$work/fokalis" >"$work/program.log" 2>&1 &
    program_pid=$!
    pids+=($program_pid)

    ok=$(entry "$dictionary" OK)
    said_ok() { spoken | grep -q -F "$ok"; }
    wait_for 30 said_ok || fail "the About box was not spoken"
    expect_after Tab "$(entry "$dictionary" "Qt application toolkit")" "Tab to the first link"
    if ! spoken | tail -n 3 | grep -q -E " (link|Link|Verweis)"; then
        fail "the link was not spoken as a link"
    fi
    xdotool key Escape
    expect_after o "$(entry "$dictionary" "Part Object")" "O chooses the object"
    expect_after Right "$(entry "$dictionary" "Object Distance Value" 199 150) $(entry "$dictionary" "Object Beyond 2F" 199)" "Right moves it"
    expect_after Up "$(entry "$dictionary" "Part Object Height")" "Up chooses its height"
    expect_after Up "$(entry "$dictionary" "Object Height Value" 199 152)" "Up again moves it"
    expect_after f "$(entry "$dictionary" "Part Focus")" "F chooses the focal point"
    expect_after Left "$(entry "$dictionary" "Focus Value" 81)" "Left moves it"

    kill -0 "$program_pid" 2>/dev/null || fail "the program ended: $(cat "$work/program.log")"
    kill "$program_pid"
    wait "$program_pid" 2>/dev/null || true
done
echo "PASS: Orca spoke the link, the choices and the moves"
