#!/usr/bin/env bash
# Makes the Windows Qt that plotvane.exe is built against: Debian's own qt6-base
# source, of the same version as the host Qt whose tools the cross build uses,
# cross-built with MinGW-w64 into a cache outside the checkout.
#
#   scripts/windows-qt.sh
#
# Prints its progress on stderr and the Qt prefix on the last line of stdout.
# The prefix is ${XDG_CACHE_HOME:-~/.cache}/plotvane/qt-<version>-mingw64. It is
# reused while its key matches: the host Qt's Debian version plus the lines of
# this script between the "what decides the build" marker lines. Everything else
# (this header, the cache and locking logic) may change without paying for a new
# build. A first build takes about 20 minutes of two cores and needs about
# 1.2 GB of scratch space, which is removed once the Qt is installed; the build
# log stays in the prefix as build.log.
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
script=$source_dir/scripts/windows-qt.sh
say() { echo "windows-qt: $*" >&2; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=""
command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || missing="$missing g++-mingw-w64-x86-64-posix"
command -v ninja >/dev/null 2>&1 || missing="$missing ninja-build"
command -v cmake >/dev/null 2>&1 || missing="$missing cmake"
command -v patch >/dev/null 2>&1 || missing="$missing patch"
command -v flock >/dev/null 2>&1 || missing="$missing util-linux"
[ -x /usr/lib/qt6/libexec/moc ] || missing="$missing qt6-base-dev-tools"
[ -f /usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo/Qt6HostInfoConfig.cmake ] || missing="$missing qt6-base-dev"
if [ -n "$missing" ]; then
    say "installing:$missing"
    as_root apt-get update -q >&2
    # shellcheck disable=SC2086
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing >&2
fi

# ---- what decides the build ----
# The cache key covers everything from the line above to the matching end line:
# changing the fetch, patches, toolchain or configure options here makes the
# next run build Qt again.
build_qt() {
    local work=$1 into=$2 version=$3
    cd "$work"

    # 1. Debian's source of the host's version. A private list adds the deb-src
    #    entries and private state folders keep the system's apt set-up untouched;
    #    apt still checks the archive's signatures and the files' checksums.
    mkdir -p apt/sources apt/lists/partial apt/cache/archives/partial src
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >apt/sources/deb-src.sources
    local apt_opts=(-o Dir::Etc::sourcelist=/dev/null -o "Dir::Etc::sourceparts=$work/apt/sources"
        -o "Dir::State::Lists=$work/apt/lists" -o "Dir::Cache=$work/apt/cache" -q)
    [ "$(id -u)" -eq 0 ] && apt_opts+=(-o APT::Sandbox::User=root)
    say "fetching the qt6-base $version source"
    apt-get "${apt_opts[@]}" update >&2
    (cd src && apt-get "${apt_opts[@]}" source --download-only "qt6-base=$version" >&2)

    # 2. The upstream tarball plus Debian's backported security fixes; Debian's
    #    own packaging patches are about Linux builds and are left out.
    say "unpacking"
    mkdir qtbase
    tar -xf src/qt6-base_*.orig.tar.xz -C qtbase --strip-components=1
    tar -xf src/qt6-base_*.debian.tar.xz -C qtbase
    local fix
    for fix in $(grep -E '^cve-' qtbase/debian/patches/series); do
        say "applying $fix"
        patch -d qtbase -p1 --forward --quiet <"qtbase/debian/patches/$fix" >&2
    done

    # 3. A toolchain description of its own, so that changes to the program's
    #    build settings never invalidate this cache.
    cat >toolchain.cmake <<'EOF'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
list(APPEND CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF

    # 4. The smallest qtbase the program needs: Core, Gui, Widgets, Network (the
    #    single-instance hand-over), the Windows platform and style plugins and
    #    the ICO image plugin. The wintab sources are not in Debian's tarball,
    #    hence no tablet events; Direct2D stays, the platform plugin needs it.
    say "configuring"
    mkdir build
    cd build
    ../qtbase/configure -prefix "$into" -release -shared -xplatform win32-g++ -qt-host-path /usr \
        -nomake tests -nomake examples -no-opengl -no-dbus -no-icu -no-feature-sql \
        -no-feature-printsupport -no-feature-concurrent -no-feature-xml -no-feature-testlib \
        -no-feature-vulkan -no-feature-tabletevent \
        -qt-zlib -qt-libpng -no-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre \
        -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >"$work/configure.log" 2>&1 ||
        { tail -40 "$work/configure.log" >&2; return 1; }

    # 5. Build, showing every hundredth step, and install.
    say "building (full log: $work/build.log)"
    cmake --build . --parallel "$(nproc)" 2>&1 | tee "$work/build.log" |
        awk '/^\[[0-9]+\/[0-9]+\]/ { split(substr($1, 2), n, "/"); if (n[1] % 100 == 0 || n[1] == n[2]) { print "windows-qt: step " n[1] " of " n[2]; fflush() } }' >&2 ||
        { tail -40 "$work/build.log" >&2; return 1; }
    cmake --install . >"$work/install.log" 2>&1 || { tail -40 "$work/install.log" >&2; return 1; }
    cp "$work/configure.log" "$work/build.log" "$into/"
}
# ---- end of what decides the build ----

# The host tools (moc, uic, rcc) must be of the very version being cross-built.
debian_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
qt_version=${debian_version%%+*}
qt_version=${qt_version%%-*}

cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/plotvane
prefix=$cache_root/qt-$qt_version-mingw64
key=$( { echo "$debian_version"; sed -n '/^# ---- what decides the build ----$/,/^# ---- end of what decides the build ----$/p' "$script"; } |
    sha256sum | cut -c1-16)
mkdir -p "$cache_root"

# One build at a time: a second caller waits for the first and then reuses its Qt.
exec 9>"$cache_root/qt-$qt_version-mingw64.lock"
flock 9

if [ -f "$prefix/.key" ] && [ "$(cat "$prefix/.key")" = "$key" ]; then
    say "reusing Qt $qt_version for MinGW-w64 in $prefix"
    echo "$prefix"
    exit 0
fi

scratch=$cache_root/qt-build-$key
say "building Qt $debian_version for MinGW-w64 (key $key) in $scratch"
say "a first build takes about 20 minutes of two cores"
rm -rf "$scratch" "$prefix.new"
mkdir -p "$scratch"
started=$(date +%s)
build_qt "$scratch" "$prefix.new" "$debian_version"
echo "$key" >"$prefix.new/.key"
rm -rf "$prefix"
mv "$prefix.new" "$prefix"
rm -rf "$scratch"
say "Qt built and installed in $(( $(date +%s) - started )) s: $prefix"
echo "$prefix"
