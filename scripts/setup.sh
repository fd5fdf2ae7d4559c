#!/usr/bin/env bash
# Installs what Plotvane needs to build, run and test on Debian 12, where it is
# missing: the compiler and Qt 6, CUPS, LibreOffice Draw, the tools the tests
# use (among them a real IPP Everywhere printer, which needs avahi-daemon),
# the accessibility bus and its Python client, and MinGW-w64 with Wine for the
# Windows tests.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev fonts-liberation
    libcups2-dev cups cups-client cups-bsd libqpdf-dev
    libreoffice-draw-nogui
    poppler-utils xvfb xauth x11-utils xdotool libx11-dev libxcb1-dev imagemagick zip unzip
    dpkg-dev file lintian desktop-file-utils appstream
    cups-ipp-utils avahi-daemon dbus at-spi2-core python3-pyatspi
    g++-mingw-w64-x86-64-posix wine wine64
)

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
