#!/bin/bash
# Installed, ostra-cfg finds its report module where the package puts it,
# not beside the program: installs the build into a scratch folder and
# writes a report with the installed program.
# Usage: installed-report-test.sh BUILD_DIR
build=$1
stage=$(mktemp -d "${TMPDIR:-/tmp}/ostra-cfg-installed.XXXXXX") || exit 1
trap 'rm -rf -- "$stage"' EXIT

DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null || exit 1
program="$stage/usr/bin/ostra-cfg"
"$program" blank "$stage/HALL.CFG" || exit 1
if ! "$program" report "$stage/HALL.CFG" -o "$stage/hall.pdf" || [[ $(head -c 5 "$stage/hall.pdf") != %PDF- ]]; then
    echo "FAIL: the installed ostra-cfg writes no report"
    exit 1
fi
echo "the installed ostra-cfg draws reports with its installed module"
