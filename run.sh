#!/usr/bin/env bash
# Sets up, builds and runs the main job.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZAN_BUILD_TESTS=OFF
cmake --build "$build"

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
exec "$build/bench/engine_bench" "$@"
