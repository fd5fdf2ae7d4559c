#!/usr/bin/env bash
# Sets up, builds and runs every test: the native tests through CTest, the
# Qt-free tests once more under the sanitizers, then the Windows tests,
# cross-built and run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
status=0
(cd "${PLOTVANE_BUILD_DIR:-build}" && ctest --output-on-failure -j2) || status=$?
scripts/sanitizer-tests.sh "${PLOTVANE_BUILD_DIR:-build}" || status=$?
if [ -x scripts/windows-tests.sh ]; then
    scripts/windows-tests.sh "${PLOTVANE_BUILD_DIR:-build}" || status=$?
fi
exit $status
