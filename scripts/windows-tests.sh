#!/usr/bin/env bash
# The Windows lane. Cross-builds the whole program with MinGW-w64 against a
# Windows Qt (made once by scripts/windows-qt.sh and cached outside the
# checkout), runs the tests of the Qt-free core and the Windows implementations
# under Wine, in a Wine prefix of its own inside the build folder, packs the
# folder a user runs into plotvane-<version>-win64.zip and the installer
# plotvane-<version>-win64.msi (scripts/windows-msi.sh), starts that ZIP's
# program and its console program under Wine and Xvfb
# (tests/win/program_under_wine.sh), and installs,
# upgrades and removes the installer's (tests/win/installer_under_wine.sh).
#
#   scripts/windows-tests.sh [BUILD_DIR]
#
# Builds in BUILD_DIR/win when a build folder is given, otherwise in build-win
# beside the sources; the ZIP and the installer land in its package/ folder and is unpacked as
# Plotvane/ beside it. Installs what is missing first. Prints each part's
# "N passed, N failed" line and the seconds each step took; the exit status is
# non-zero when a test failed or something could not be built or run.
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -ge 1 ] && [ -n "$1" ]; then
    mkdir -p "$1"
    build_dir=$(cd "$1" && pwd)/win
else
    build_dir=$source_dir/build-win
fi

"$source_dir/scripts/setup.sh" windows

lane_started=$(date +%s)
step_started=$lane_started
took() {
    local now
    now=$(date +%s)
    echo "windows lane: $1 took $((now - step_started)) s"
    step_started=$now
}

qt_prefix=$("$source_dir/scripts/windows-qt.sh" | tail -n 1)
took "the Windows Qt"

jobs=$(nproc 2>/dev/null || echo 2)
mkdir -p "$build_dir"
cmake -S "$source_dir" -B "$build_dir" \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_PREFIX_PATH="$qt_prefix" -DCMAKE_FIND_ROOT_PATH="$qt_prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DPLOTVANE_CORE_ONLY=OFF -DCMAKE_BUILD_TYPE=Release >"$build_dir/configure.log" 2>&1 ||
    { cat "$build_dir/configure.log"; exit 1; }
cmake --build "$build_dir" -j "$jobs" 2>&1 | tee "$build_dir/build.log"
if grep -q 'warning:' "$build_dir/build.log"; then
    echo "FAIL: the Windows build gave warnings"
    exit 1
fi
took "building plotvane.exe and the tests"

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
status=0
wine "$build_dir/bin/plotvane_wintests.exe" 2>&1 | tr -d '\r' || status=1
# Let the prefix's server and its services end before the build folder is used again.
wineserver -w || true
took "the core tests under Wine"

rm -rf "$build_dir/package" "$build_dir/Plotvane"
(cd "$build_dir" && cpack -G ZIP -B "$build_dir/package" >"$build_dir/cpack.log" 2>&1) ||
    { cat "$build_dir/cpack.log"; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
zip=$build_dir/package/plotvane-$version-win64.zip
unzip -q "$zip" -d "$build_dir"
echo "windows lane: $zip ($(du -k "$zip" | cut -f1) KB), unpacked in $build_dir/Plotvane"
took "packing the ZIP"

# The installer holds the unpacked ZIP's files, whatever the ZIP holds.
msi=$build_dir/package/plotvane-$version-win64.msi
"$source_dir/scripts/windows-msi.sh" "$build_dir/Plotvane" "$version" "$msi"
echo "windows lane: $msi ($(du -k "$msi" | cut -f1) KB)"
took "building the installer"

env -u WINEPREFIX "$source_dir/tests/win/program_under_wine.sh" "$zip" "$build_dir/bin/fake_diagram_server.exe" ||
    status=1
took "the program under Wine"

env -u WINEPREFIX "$source_dir/tests/win/installer_under_wine.sh" "$msi" "$build_dir/Plotvane" \
    "$build_dir/bin/fake_diagram_server.exe" || status=1
took "the installer under Wine"
echo "windows lane: $(($(date +%s) - lane_started)) s in all"
exit $status
