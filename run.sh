#!/usr/bin/env bash
# Sets up, builds and runs the main job on a bundled sample pedigree: on a desktop (DISPLAY or
# WAYLAND_DISPLAY set) the pedigree window with the sample opened; without a display the analysis
# report, printed to report.pdf and written as text. With arguments it runs zan with them instead,
# for example ./run.sh report FILE.csv --pdf OUT.pdf --paper letter
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZAN_BUILD_TESTS=OFF
cmake --build "$build" --target zan

sample=examples/line_bred.csv
display=${DISPLAY:-${WAYLAND_DISPLAY:-}}
if [ -z "$display" ]; then
    # Qt needs a platform even for commands that open no window.
    export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
fi
if [ $# -gt 0 ]; then
    exec "$build/app/zan" "$@"
fi
if [ -n "$display" ]; then
    exec "$build/app/zan" "$sample"
fi
exec "$build/app/zan" report "$sample" --pdf report.pdf --text
