#!/usr/bin/env bash
# Checks the Debian package that cpack made, unpacked into a throwaway root with
# dpkg -x; nothing on the machine changes.
#   package_checks.sh layout|metadata|lintian BUILD_DIR VERSION
#     layout    the files in their places, the link, the icons, the control
#               fields, and an install of the build folder under DESTDIR
#     metadata  desktop-file-validate and appstreamcli validate the desktop entry
#               and the metainfo; shared-mime-info knows the entry's types
#     lintian   lintian finds no error and no warning
set -euo pipefail
what=$1
# shellcheck source-path=SCRIPTDIR source=common.sh
source "$(dirname "$0")/common.sh" "$2" "$3"
root=$work/root
dpkg -x "$deb" "$root"
program_dir=$root/usr/lib/plotvane

is_relative_link() { [ -L "$1" ] && [[ "$(readlink "$1")" != /* ]]; }

# png_has_size FILE SIZE: FILE is a PNG picture of SIZE x SIZE pixels.
png_has_size() {
    local header
    header=$(od -An -tu1 -N24 "$1" 2>/dev/null | tr -s ' \n' ' ') || return 1
    local bytes
    read -r -a bytes <<<"$header"
    [ ${#bytes[@]} -eq 24 ] && [ "${bytes[1]} ${bytes[2]} ${bytes[3]}" = "80 78 71" ] || return 1
    local width=$(((bytes[16] << 24) | (bytes[17] << 16) | (bytes[18] << 8) | bytes[19]))
    local height=$(((bytes[20] << 24) | (bytes[21] << 16) | (bytes[22] << 8) | bytes[23]))
    [ "$width" = "$2" ] && [ "$height" = "$2" ]
}

# depends_on ENTRY: one entry of the package's Depends is ENTRY, or starts with
# ENTRY and a version in brackets.
depends_on() {
    dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//' | grep -qE "^$1( \(.*\))?$"
}

layout() {
    rig_check "the program is in lib/plotvane" test -x "$program_dir/plotvane" -a ! -L "$program_dir/plotvane"
    local relative sample
    for relative in HAND-M.CUR drag.ico x/o.cjs; do
        rig_check "$relative stands beside the program" test -f "$program_dir/$relative"
    done
    for sample in "$source"/resources/samples/*; do
        rig_check "the sample ${sample##*/} is in Samples" test -f "$program_dir/Samples/${sample##*/}"
    done
    rig_check "bin/plotvane is a relative link" is_relative_link "$root/usr/bin/plotvane"
    rig_check "bin/plotvane leads to the program" test "$(readlink -f "$root/usr/bin/plotvane")" = "$program_dir/plotvane"
    rig_check "bin holds nothing but plotvane" test "$(ls -A "$root/usr/bin")" = plotvane

    local desktop_files=("$root"/usr/share/applications/*.desktop)
    rig_check "one desktop entry" test ${#desktop_files[@]} -eq 1 -a -f "${desktop_files[0]}"
    local desktop=${desktop_files[0]}
    local id
    id=$(basename "$desktop" .desktop)
    local metainfo=$root/usr/share/metainfo/$id.metainfo.xml
    rig_check "the metainfo is named by the desktop entry's id" test -f "$metainfo"
    rig_check "the metainfo launches the desktop entry" \
        grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo"
    rig_check "the desktop entry starts bin/plotvane with the files" test "$(sed -n 's/^Exec=//p' "$desktop")" = "plotvane %F"
    local icon size
    icon=$(sed -n 's/^Icon=//p' "$desktop")
    for size in 16 22 24 32 48 64 128 256; do
        rig_check "the icon $icon at ${size}x${size}" \
            png_has_size "$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png" "$size"
    done
    rig_check "the icon $icon as a scalable picture" grep -q "<svg" "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg"

    rig_check "the manual page" gzip -t "$root/usr/share/man/man1/plotvane.1.gz"
    rig_check "the copyright file" test -s "$root/usr/share/doc/plotvane/copyright"
    rig_check "the changelog's latest entry is $version" \
        test "$(zcat "$root/usr/share/doc/plotvane/changelog.gz" | head -n 1 | cut -d ' ' -f 1-2)" = "plotvane ($version)"
    rig_check "the metainfo's latest release is $version" \
        test "$(grep -o -m 1 '<release version="[^"]*"' "$metainfo")" = "<release version=\"$version\""

    rig_check "the package's version is $version" test "$(dpkg-deb -f "$deb" Version)" = "$version"
    rig_check "depends on LibreOffice Draw" depends_on "libreoffice-draw-nogui \| libreoffice-draw"
    rig_check "depends on the CUPS client" depends_on "cups-client"
    rig_check "computed dependencies name the Qt widgets" depends_on "libqt6widgets6"
    rig_check "computed dependencies name the Qt network library" depends_on "libqt6network6"

    # An install into a prefix the user does not own, staged under DESTDIR.
    local staged=$work/destdir/opt/plotvane
    DESTDIR=$work/destdir cmake --install "$build" --prefix /opt/plotvane >"$work/install.log" 2>&1 ||
        cat "$work/install.log"
    rig_check "under DESTDIR, bin/plotvane leads to the program" \
        test "$(readlink -f "$staged/bin/plotvane")" = "$staged/lib/plotvane/plotvane"
    rig_check "under DESTDIR, the samples stand beside the program" test -d "$staged/lib/plotvane/Samples"
}

metadata() {
    local desktop
    for desktop in "$root"/usr/share/applications/*.desktop; do
        rig_check "desktop-file-validate ${desktop##*/}" validate_desktop_entry "$desktop"
    done
    local type
    for type in $(sed -n 's/^MimeType=//p' "$root"/usr/share/applications/*.desktop | tr ';' ' '); do
        rig_check "shared-mime-info knows $type" grep -qxF "$type" /usr/share/mime/types
    done
    local metainfo
    for metainfo in "$root"/usr/share/metainfo/*.metainfo.xml; do
        rig_check "appstreamcli validate --no-net ${metainfo##*/}" appstreamcli validate --no-net "$metainfo"
    done
}

# Hints pass; warnings and errors fail, as does a validator that cannot run.
validate_desktop_entry() {
    local output status=0
    output=$(desktop-file-validate "$1" 2>&1) || status=$?
    [ -z "$output" ] || echo "$output"
    [ $status -eq 0 ] && ! grep -qE ': (error|warning):' <<<"$output"
}

lintian_check() {
    local report=$work/lintian.txt status=0
    lintian --fail-on none --display-info --pedantic "$deb" >"$report" 2>&1 || status=$?
    cat "$report"
    rig_check "lintian ran" test $status -eq 0
    rig_check "lintian finds no error" no_line_matches '^E: ' "$report"
    rig_check "lintian gives no warning" no_line_matches '^W: ' "$report"
}

no_line_matches() { ! grep -qE "$1" "$2"; }

case "$what" in
layout) layout ;;
metadata) metadata ;;
lintian) lintian_check ;;
*) echo "unknown check $what"; exit 2 ;;
esac
rig_finish
