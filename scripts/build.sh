#!/usr/bin/env bash
# Configures and builds Plotvane into ./build (or $PLOTVANE_BUILD_DIR). A build
# folder that is already configured keeps its build type.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${PLOTVANE_BUILD_DIR:-build}
if [ -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S . -B "$build_dir" >/dev/null
else
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE="${PLOTVANE_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
fi
cmake --build "$build_dir" -j"$(nproc)"
