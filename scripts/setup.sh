#!/usr/bin/env bash
# Installs on Debian 12 what Plotvane needs for what it is for, where it is
# missing:
#   build    the compiler and Qt 6, CUPS and LibreOffice Draw: what building and
#            running the program takes (scripts/run.sh)
#   test     that, and the tools the native tests use (among them a real IPP
#            Everywhere printer, which needs avahi-daemon, the accessibility bus
#            and its Python client, and the package checks) (scripts/test.sh)
#   windows  MinGW-w64, Wine and the installer tools of the Windows lane
#            (scripts/windows-tests.sh)
#
#   scripts/setup.sh build|test|windows...
set -euo pipefail

build=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libx11-dev libxcb1-dev fonts-liberation
    libcups2-dev cups cups-client cups-bsd libqpdf-dev
    libreoffice-draw-nogui
)
test=(
    poppler-utils xvfb xauth x11-utils xdotool imagemagick zip unzip
    dpkg-dev file lintian desktop-file-utils appstream
    cups-ipp-utils avahi-daemon dbus at-spi2-core python3-pyatspi
)
windows=(
    cmake make g++-mingw-w64-x86-64-posix wine wine64
    xvfb xdotool xclip x11-utils unzip wixl msitools icoutils
)

[ $# -gt 0 ] || { echo "usage: $0 build|test|windows..." >&2; exit 2; }
packages=()
for purpose in "$@"; do
    case "$purpose" in
    build) packages+=("${build[@]}") ;;
    test) packages+=("${build[@]}" "${test[@]}") ;;
    windows) packages+=("${windows[@]}") ;;
    *) echo "usage: $0 build|test|windows..." >&2; exit 2 ;;
    esac
done

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
