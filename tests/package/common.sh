# shellcheck shell=bash
# Shared by the package tests: the package that cpack made in BUILD_DIR/package-test
# for VERSION, and the script rig with its work folder (rig_start) and its
# counted checks (rig_check, rig_finish).
#   source common.sh BUILD_DIR VERSION
# These are for the scripts that source this file.
# shellcheck disable=SC2034
build=$(cd "$1" && pwd)
version=$2
# shellcheck source-path=SCRIPTDIR source=../support/script-rig.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/script-rig.sh"
deb=$build/package-test/plotvane_${version}_$(dpkg --print-architecture).deb
rig_start package

if [ ! -f "$deb" ]; then
    echo "FAIL: no package $deb (cpack makes it in the test package_build)"
    exit 1
fi
