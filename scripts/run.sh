#!/usr/bin/env bash
# Sets up, builds and starts Plotvane.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
scripts/build.sh
[ -x scripts/ensure-printer.sh ] && scripts/ensure-printer.sh
exec "${PLOTVANE_BUILD_DIR:-build}/bin/plotvane" "$@"
