#!/usr/bin/env bash
# Sets up, builds every test under AddressSanitizer and UndefinedBehaviorSanitizer, and runs them.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

sources=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
if [ -n "$sources" ]; then
    echo "checking formatting"
    clang-format --dry-run -Werror $sources
fi

build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZAN_SANITIZE=ON
cmake --build "$build"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure
