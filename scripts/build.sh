#!/usr/bin/env bash
# Configures and builds Plotvane into ./build (or $PLOTVANE_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${PLOTVANE_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=${PLOTVANE_BUILD_TYPE:-RelWithDebInfo} >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
