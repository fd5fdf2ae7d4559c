#!/usr/bin/env bash
# Builds the Windows installer from the folder of the Windows ZIP, with wixl
# (msitools): every file of the folder goes into the installer, so that a file
# the ZIP gains is installed too without an edit here. The product, the
# shortcut, the uninstall entry and "Open with" are resources/package/plotvane.wxs.
#
#   scripts/windows-msi.sh FOLDER VERSION MSI
#
# FOLDER is the unpacked ZIP's Plotvane folder, VERSION the project's version
# (the one in CMakeLists.txt), MSI the file to write. Fails when wixl warns:
# the installer is built without warnings, as the program is.
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: windows-msi.sh FOLDER VERSION MSI" >&2; exit 2; }
source_dir=$(cd "$(dirname "$0")/.." && pwd)
folder=$(cd "$1" && pwd)
version=$2
msi=$(realpath -m "$3")

work=$(mktemp -d "${TMPDIR:-/tmp}/plotvane-msi-XXXXXX")
trap 'rm -rf "$work"' EXIT

# wixl finds the files it reads relative to the folder it runs in.
ln -s "$folder" "$work/Plotvane"
# The folder's files, those of one folder next to each other: wixl-heat starts a
# new directory entry whenever the folder changes from one line to the next.
(cd "$work" && find -L Plotvane -type f -printf '%h\t%p\n' | LC_ALL=C sort | cut -f2) |
    wixl-heat --prefix Plotvane/ --directory-ref INSTALLDIR --component-group ProgramFiles --var var.SourceDir \
        --win64 >"$work/files.wxs"
cp "$source_dir/resources/images/plotvane.ico" "$work/plotvane.ico"
mkdir -p "$(dirname "$msi")"
(cd "$work" && wixl --arch x64 -D Version="$version" -D SourceDir=Plotvane -D Win64=yes -D Icon=plotvane.ico \
    -o "$msi" "$source_dir/resources/package/plotvane.wxs" files.wxs) 2>"$work/wixl.log" ||
    { cat "$work/wixl.log" >&2; exit 1; }
if [ -s "$work/wixl.log" ]; then
    cat "$work/wixl.log" >&2
    echo "windows-msi: wixl warned" >&2
    rm -f "$msi"
    exit 1
fi
