#!/usr/bin/env bash
# Builds and tests the core alone (the "core" preset) and fails if any of its compile or
# link commands names Qt: the core must build where Qt is not installed.
# Usage: scripts/check-core.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-core}

cmake --preset core -B "$build"
cmake --build "$build" -j "$(nproc)"
# Every compile and link command of the build, and no moc output beside any target.
commands=("$build/compile_commands.json" $(find "$build" -name link.txt))
if grep -lE '[Qq]t6' "${commands[@]}" >&2; then
    echo "the core build above names Qt" >&2
    exit 1
fi
if find "$build" -name '*_autogen' | grep . >&2; then
    echo "moc ran in the core build" >&2
    exit 1
fi
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
