#!/usr/bin/env bash
# Sets up, builds and runs every test, lane by lane, and stops at the first lane
# that fails:
#   unit       the Qt-free tests without outside programs (CTest label unit)
#   the rest   the widgets, system and package tests (every other label)
#   sanitizer  the Qt-free tests once more under the sanitizers
#   windows    the Windows tests, cross-built and run under Wine
# The quick check while developing is the first lane alone:
#   (cd build && ctest -L unit)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${PLOTVANE_BUILD_DIR:-build}
scripts/setup.sh test
scripts/build.sh

lane() {
    local name=$1
    shift
    echo "== lane: $name"
    if ! "$@"; then
        echo "== lane failed: $name (the lanes after it did not run)"
        exit 1
    fi
}

lane unit bash -c 'cd "$1" && ctest --output-on-failure -j2 -L unit' - "$build_dir"
lane "widgets, system, package" bash -c 'cd "$1" && ctest --output-on-failure -j2 -LE unit' - "$build_dir"
lane sanitizer scripts/sanitizer-tests.sh "$build_dir"
if [ -x scripts/windows-tests.sh ]; then
    lane windows scripts/windows-tests.sh "$build_dir"
fi
echo "== every lane passed"
