#!/usr/bin/env bash
# The Windows installer as an office deploys it, in one fresh Wine prefix on
# Xvfb whose printers are the queues of a private CUPS scheduler, each step
# checked by what is on disk and in the registry:
#   per-user   an install for the user alone, asked in either way, is refused
#              and leaves nothing behind
#   install    msiexec /i /qn ends with 0; the folder holds the ZIP's files; the
#              Start menu has the shortcut; one uninstall entry with the version,
#              the publisher and the icon; the program carries the same icon;
#              "Open with" offers Plotvane for each drawing extension while
#              Visio's class stays the default
#   start      the installed program says the diagram application is missing
#   print      with the fake automation server, it prints a sample
#   upgrade    the next version (the same folder, built again with the version
#              after) installed over it: one entry, one folder, the settings kept
#   uninstall  the entry's uninstall: files, shortcut, entry and classes gone,
#              Visio's class and the settings kept
#   installer_under_wine.sh MSI FOLDER FAKE_SERVER
# FOLDER is the unpacked ZIP's Plotvane folder that MSI was built from.
set -euo pipefail
msi=$(realpath "$1")
folder=$(realpath "$2")
fake_server=$(realpath "$3")
# shellcheck source-path=SCRIPTDIR source=../support/script-rig.sh
source "$(dirname "$0")/../support/script-rig.sh"
# shellcheck source-path=SCRIPTDIR source=wine-rig.sh
source "$(dirname "$0")/wine-rig.sh"
version=$(msiinfo export "$msi" Property | tr -d '\r' | awk -F '\t' '$1 == "ProductVersion" {print $2}')
next=${version%.*}.$((${version##*.} + 1))
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
extensions=(.vsd .vsdx .vsdm .vdx)

# msiexec ARG...: the installer's own exit status; its log goes to $work/msiexec.log.
msiexec() { wine msiexec "$@" /qn /l*v "$(winepath -w "$work/msiexec.log")"; }

# The uninstall entries named Plotvane, one line each: key, version, publisher.
entries() {
    wine reg query "$uninstall_key" /s 2>/dev/null | tr -d '\r' | awk -F '    ' '
        /^HKEY_/ { key = $0; next }
        $2 == "DisplayName" && $4 == "Plotvane" { named[key] = 1 }
        $2 == "DisplayVersion" { shown[key] = $4 }
        $2 == "Publisher" { publisher[key] = $4 }
        END { for (k in named) print k "\t" shown[k] "\t" publisher[k] }'
}
# The default value of KEY, or "none" when the key has none or is missing.
default_of() {
    wine reg query "$1" /ve 2>/dev/null | tr -d '\r' |
        awk -F '    ' '$2 == "(Default)" && $4 != "(value not set)" {print $4; found = 1} END {if (!found) print "none"}'
}
# Whether KEY has a value NAME.
has_value() { wine reg query "$1" /v "$2" >/dev/null 2>&1; }
lacks_value() { ! has_value "$@"; }
lacks_key() { ! wine reg query "$1" >/dev/null 2>&1; }

drive=""
installed() { find "$drive/Program Files" -mindepth 1 -maxdepth 1 -iname '*plotvane*' | grep -c . || true; }
shortcuts() { find "$drive" -path '*/Start Menu/Programs/*' -iname 'plotvane*.lnk'; }
files_match() { diff -r "$folder" "$drive/Program Files/Plotvane"; }

rig_needs msiinfo wrestool
wine_rig_start installer Plotter_A
new_prefix "$work/prefix"
drive=$WINEPREFIX/drive_c
# The drawings' default program is Visio's, as on an office's machine.
wine reg add 'HKCR\.vsd' /ve /d Visio.Drawing.11 /f >/dev/null
# The settings that a user made before, kept through it all.
wine reg add "$settings_key" /v Combo2 /d 0 /f >/dev/null

round=per-user
for refused in "ALLUSERS=2 MSIINSTALLPERUSER=1" "ALLUSERS="; do
    status=0
    # shellcheck disable=SC2086
    msiexec /i "$(winepath -w "$msi")" $refused || status=$?
    # 1603, the installer's failure, reaches a Unix shell as 1603 % 256.
    check "$refused is refused with 1603 (got $status)" test "$status" = $((1603 % 256))
    check "$refused installed nothing" test "$(installed)$(shortcuts)" = 0
done

round=install
check "msiexec /i ends with 0" msiexec /i "$(winepath -w "$msi")"
check "the program folder holds the ZIP's files" files_match
shortcut=$(shortcuts)
check "the Start menu has one shortcut (got: $shortcut)" test "$(grep -c . <<<"$shortcut")" = 1
check "the shortcut starts the installed program" grep -aqF 'C:\Program Files\Plotvane\plotvane.exe' "$shortcut"
entry=$(entries)
check "one uninstall entry, $version by Tarnwell (got: $entry)" \
    test "$(cut -f2- <<<"$entry")" = "$(printf '%s\tTarnwell' "$version")"
icon=$(wine reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null | tr -d '\r' |
    awk -F '    ' '$2 == "ProductIcon" {print $4}')
ico=$source/resources/images/plotvane.ico
check "the entry's icon is the program's" cmp "$ico" "$(winepath -u "$icon")"
# wrestool writes the icon file a group icon makes, followed by zeros.
check "the program's first icon resource is that icon" \
    cmp -n "$(stat -c %s "$ico")" "$ico" <(wrestool -x -t 14 "$drive/Program Files/Plotvane/plotvane.exe")
check "the class opens a drawing in the installed program" \
    test "$(default_of 'HKCR\Plotvane.Drawing\shell\open\command')" = '"C:\Program Files\Plotvane\plotvane.exe" "%1"'
for extension in "${extensions[@]}"; do
    check "Open with offers it for $extension" has_value "HKCR\\$extension\\OpenWithProgids" Plotvane.Drawing
done
check "the .vsd files still open in Visio" test "$(default_of 'HKCR\.vsd')" = Visio.Drawing.11
check "the .vsdx files get no default program" test "$(default_of 'HKCR\.vsdx')" = none

round=start
check_not_installed "$drive/Program Files/Plotvane/plotvane.exe"

round=print
sample='C:\Program Files\Plotvane\Samples\Site Plan.vdx'
start_server "$fake_server"
start_program "$drive/Program Files/Plotvane/plotvane.exe" "$sample"
window=$(find_window Plotvane 120) || fail "no window titled Plotvane"
sleep 2
rig_press "$window" "Start Printing"
text=$(box_text 120 Return) || fail "no box at the end of the run"
check "the run ends with \"Done.\" (got: $text)" grep -qx "Done." <<<"$text"
check "the server was asked to open and print the sample" grep -qxF "Documents.call(Open; \"$sample\")" "$work/record"
check "and to print it onto the first printer" grep -qxF 'Application.put(ActivePrinter; PROPERTYPUT="Plotter_A")' \
    "$work/record"
end_program
touch "$work/stop-server"

round=upgrade
"$source/scripts/windows-msi.sh" "$folder" "$next" "$work/plotvane-$next-win64.msi"
check "msiexec /i of $next ends with 0" msiexec /i "$(winepath -w "$work/plotvane-$next-win64.msi")"
entry=$(entries)
check "one uninstall entry, $next (got: $entry)" test "$(cut -f2 <<<"$entry")" = "$next"
check "one program folder" test "$(installed)" = 1
check "it holds the ZIP's files" files_match
check "one shortcut" test "$(shortcuts | grep -c .)" = 1
check "the settings are kept" test "$(stored Combo2)" = 0

round=uninstall
product=${entry%%$'\t'*}
product=${product##*\\}
check "the entry's uninstall ends with 0" msiexec /x "$product"
check "no program folder is left" test "$(installed)" = 0
check "no shortcut is left" test -z "$(shortcuts)"
check "no uninstall entry is left" test -z "$(entries)"
check "the class is gone" lacks_key 'HKCR\Plotvane.Drawing'
check "Open with no longer offers it" lacks_value 'HKCR\.vsd\OpenWithProgids' Plotvane.Drawing
check "the .vsd files still open in Visio" test "$(default_of 'HKCR\.vsd')" = Visio.Drawing.11
check "the settings are kept" test "$(stored Combo2)" = 0

rig_finish
