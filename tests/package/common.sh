# shellcheck shell=bash
# Shared by the package tests: the package that cpack made in BUILD_DIR/package-test
# for VERSION, a throwaway work folder, and a way to count checks.
#   source common.sh BUILD_DIR VERSION
# These are for the scripts that source this file.
# shellcheck disable=SC2034
build=$(cd "$1" && pwd)
version=$2
source=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
deb=$build/package-test/plotvane_${version}_$(dpkg --print-architecture).deb
work=$(mktemp -d /tmp/plotvane-package-XXXXXX)
passed=0
failed=0

# check DESCRIPTION COMMAND...: runs the command and counts it as passed or failed.
check() {
    local description=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $description"
    fi
}

# Prints the closing line; the exit status says whether every check passed.
finish() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}

if [ ! -f "$deb" ]; then
    echo "FAIL: no package $deb (cpack makes it in the test package_build)"
    rm -rf "$work"
    exit 1
fi
