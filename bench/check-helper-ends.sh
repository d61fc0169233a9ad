#!/bin/sh
# check-helper-ends.sh BENCHMARK: a benchmark that starts a helper process leaves
# nothing behind on any path: --help, a bad option, SIGTERM and SIGINT while it
# runs. Each run has a private TMPDIR, which must be empty afterwards, and a process
# group of its own, which must be empty once the benchmark has ended; its standard
# output must close, so that "BENCHMARK --help | head" ends.
set -u
Program=$1
Work=$(mktemp -d)
Failed=0
trap 'rm -rf "$Work"' EXIT

Fail()
{
    echo "FAIL: $*"
    Failed=1
}

# WaitFor SECONDS COMMAND...: true once COMMAND succeeds, false after SECONDS.
WaitFor()
{
    Tries=$(($1 * 10))
    shift
    while ! "$@"; do
        Tries=$((Tries - 1))
        [ "$Tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

GroupEmpty() { ! kill -0 "-$Group" 2>/dev/null; }
HelperRuns() { ls "$Temp"/lernix-*/w*.lock >/dev/null 2>&1; }

# Run NAME SIGNAL ARGUMENTS...: runs the benchmark, sends SIGNAL (or none: -)
# once its helper runs, and checks what is left.
Run()
{
    Name=$1
    Signal=$2
    shift 2
    Temp=$(mktemp -d "$Work/tmp.XXXXXX")
    rm -f "$Work/out"
    mkfifo "$Work/out"
    TMPDIR=$Temp setsid "$Program" "$@" >"$Work/out" 2>/dev/null &
    Group=$!
    timeout 60 cat "$Work/out" >/dev/null &
    Reader=$!
    if [ "$Signal" != - ]; then
        if WaitFor 30 HelperRuns; then
            kill "-$Signal" "-$Group"
        else
            Fail "$Name: the helper never started"
        fi
    fi
    wait "$Reader" || Fail "$Name: standard output stayed open"
    wait "$Group"
    WaitFor 20 GroupEmpty || {
        Fail "$Name: a process of the run outlived it"
        kill -KILL "-$Group" 2>/dev/null
    }
    [ -z "$(ls -A "$Temp")" ] || Fail "$Name: left $(ls -A "$Temp") behind"
}

Run help - --help
Run bad-option - --no-such-option
Run sigterm TERM --benchmark_filter=WindowLayer --benchmark_min_time=100
Run sigint INT --benchmark_filter=WindowLayer --benchmark_min_time=100
exit $Failed
