#!/usr/bin/env bash
# Runs every fuzz target of a FOKALIS_FUZZ build for a few seconds, starting from a
# copy of its checked-in corpus. Any crash, leak or over-allocation fails the run.
set -euo pipefail
build_dir=${1:?usage: fuzz-smoke.sh BUILD_DIR [SECONDS]}
seconds=${2:-20}
root="$(cd "$(dirname "$0")/.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

shopt -s nullglob
targets=()
for f in "$build_dir"/fuzz/fuzz_*; do
    [ -f "$f" ] && [ -x "$f" ] && targets+=("$f")
done
if [ ${#targets[@]} -eq 0 ]; then
    echo "no fuzz targets in $build_dir/fuzz" >&2
    exit 1
fi
for target in "${targets[@]}"; do
    name=$(basename "$target")
    name=${name#fuzz_}
    mkdir -p "$work/$name"
    cp -r "$root/fuzz/corpus/$name/." "$work/$name/"
    echo "fuzzing $name for ${seconds}s"
    "$target" -max_total_time="$seconds" -malloc_limit_mb=64 -rss_limit_mb=2048 \
        -artifact_prefix="$work/" "$work/$name" 2>"$work/$name.log" || {
        tail -n 40 "$work/$name.log" >&2
        exit 1
    }
done
