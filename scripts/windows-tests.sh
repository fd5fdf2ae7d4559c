#!/bin/sh
# Cross-builds the Qt-free core, its Windows implementations and all their tests
# with MinGW-w64 and runs the resulting test program under Wine, in a Wine prefix
# of its own inside the build folder.
#
#   scripts/windows-tests.sh [BUILD_DIR]
#
# Builds in BUILD_DIR/win when a build folder is given, otherwise in build-win
# beside the sources. Installs MinGW-w64 and Wine when they are missing. Prints
# the test program's "N passed, N failed" line; the exit status is non-zero when
# a test failed or the program could not be built or run.
set -eu

source_dir=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -ge 1 ] && [ -n "$1" ]; then
    mkdir -p "$1"
    build_dir=$(cd "$1" && pwd)/win
else
    build_dir=$source_dir/build-win
fi

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=""
command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || missing="$missing g++-mingw-w64-x86-64-posix"
command -v wine >/dev/null 2>&1 || missing="$missing wine wine64"
command -v cmake >/dev/null 2>&1 || missing="$missing cmake"
command -v make >/dev/null 2>&1 || missing="$missing make"
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    as_root apt-get update -q
    # shellcheck disable=SC2086
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
fi

jobs=$(nproc 2>/dev/null || echo 2)
mkdir -p "$build_dir"
cmake -S "$source_dir" -B "$build_dir" \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-x86_64.cmake" \
    -DPLOTVANE_CORE_ONLY=ON -DCMAKE_BUILD_TYPE=Debug >"$build_dir/configure.log" 2>&1 ||
    { cat "$build_dir/configure.log"; exit 1; }
cmake --build "$build_dir" -j "$jobs"

# A private prefix: the tests register a fake automation server in its registry
# and add printers to its spooler, never touching the user's own Wine setup.
export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=-all
# No .NET or HTML engine is needed; skip their installers when the prefix is made.
export WINEDLLOVERRIDES="mscoree=;mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    wineboot --init >"$build_dir/wineboot.log" 2>&1 || { cat "$build_dir/wineboot.log"; exit 1; }
    # wineboot returns while the prefix's services still start; the tests need
    # them (the running object table lives in one), so wait until all is settled.
    wineserver -w
fi

# The program writes Windows line ends; the report is passed on with Unix ones.
status_file="$build_dir/tests.status"
echo 1 >"$status_file"
{
    status=0
    wine "$build_dir/bin/plotvane_wintests.exe" 2>&1 || status=$?
    echo $status >"$status_file"
} | tr -d '\r'
status=$(cat "$status_file")
# Let the prefix's server and its services end before the build folder is used again.
wineserver -w || true
exit $status
