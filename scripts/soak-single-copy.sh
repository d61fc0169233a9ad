#!/usr/bin/env bash
# Starts twenty copies of the program at once, fifty times over, and checks each time that
# exactly one copy keeps running while the nineteen others end with status 0. The copies
# share one private runtime folder, and each round's survivor is killed (SIGKILL), so
# every round also starts over the files that a killed first copy leaves behind.
#
#   scripts/soak-single-copy.sh [PROGRAM [ROUNDS [COPIES]]]
#
# PROGRAM defaults to build/app/fokalis. Ends with status 0 when every round held.
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/app/fokalis}")
rounds=${2:-50}
copies=${3:-20}
# Bounds for a busy machine: for the others to end, and for the survivor to stay.
settle_seconds=60
stay_seconds=1

work=$(mktemp -d)
survivors=()
cleanup() {
    for pid in "${survivors[@]}"; do
        kill -KILL "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -m 700 "$work/runtime"
export LERNIX_RUNTIME_DIR=$work/runtime
export LERNIX_REGISTRY_DIR=$work/registry
export QT_QPA_PLATFORM=offscreen

# The pids of the given ones that are still running.
alive() {
    local pid
    for pid in "$@"; do
        if kill -0 "$pid" 2>/dev/null; then
            echo "$pid"
        fi
    done
}

failed=0
for ((round = 1; round <= rounds; round++)); do
    pids=()
    for ((copy = 0; copy < copies; copy++)); do
        "$program" >/dev/null 2>"$work/stderr.$copy" &
        pids+=($!)
    done
    survivors=("${pids[@]}")
    deadline=$((SECONDS + settle_seconds))
    mapfile -t running < <(alive "${pids[@]}")
    while ((${#running[@]} > 1 && SECONDS < deadline)); do
        sleep 0.1
        mapfile -t running < <(alive "${pids[@]}")
    done
    sleep "$stay_seconds"
    mapfile -t running < <(alive "${pids[@]}")
    problems=()
    if ((${#running[@]} != 1)); then
        problems+=("${#running[@]} copies running")
    fi
    for pid in "${pids[@]}"; do
        if [[ " ${running[*]} " != *" $pid "* ]]; then
            status=0
            wait "$pid" || status=$?
            if ((status != 0)); then
                problems+=("a copy ended with status $status")
            fi
        fi
    done
    for pid in "${running[@]}"; do
        kill -KILL "$pid"
        wait "$pid" 2>/dev/null || true
    done
    survivors=()
    if ((${#problems[@]} > 0)); then
        failed=$((failed + 1))
        echo "round $round: ${problems[*]}"
        cat "$work"/stderr.* | sort | uniq -c | head -5
    fi
done
echo "$((rounds - failed)) of $rounds rounds left exactly one of $copies copies running"
((failed == 0))
