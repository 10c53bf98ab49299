#!/usr/bin/env bash
# Sets up, builds and runs the main job: the analysis report of a bundled sample pedigree, printed
# to report.pdf and written as text. With arguments it runs zan with them instead, for example
# ./run.sh report FILE.csv --pdf OUT.pdf --paper letter
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZAN_BUILD_TESTS=OFF
cmake --build "$build" --target zan

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
if [ $# -gt 0 ]; then
    exec "$build/app/zan" "$@"
fi
exec "$build/app/zan" report examples/line_bred.csv --pdf report.pdf --text
