#!/usr/bin/env bash
# Starts the built program, or says how to when there is no display.
set -euo pipefail
build_dir=${1:-build}
program="$build_dir/app/fokalis"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found; run it under Xvfb: sudo apt-get install -y xvfb && xvfb-run -s '-screen 0 1280x1024x24' $program" >&2
    exit 1
fi
exec "$program"
