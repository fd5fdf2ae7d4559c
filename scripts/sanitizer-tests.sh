#!/usr/bin/env bash
# The sanitizer lane: builds the Qt-free core and its tests once more with
# AddressSanitizer and UndefinedBehaviorSanitizer, in BUILD_DIR/sanitize, and
# runs them. Any finding fails the test that made it.
#
#   scripts/sanitizer-tests.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}/sanitize
cmake -S . -B "$build_dir" -DPLOTVANE_CORE_ONLY=ON -DPLOTVANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build_dir" && ctest --output-on-failure -j2
