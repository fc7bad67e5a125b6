#!/bin/bash
# ostra-cfg loads Qt for its report alone: the program needs no Qt library
# at start, and other commands run without the dynamic loader opening one.
# The report, which does load it, shows that the check sees a load.
# Usage: no-toolkit-test.sh PATH/TO/ostra-cfg
program=$(realpath -- "$1") || exit 1
scratch=$(mktemp -d "${TMPDIR:-/tmp}/ostra-cfg-no-toolkit.XXXXXX") || exit 1
trap 'rm -rf -- "$scratch"' EXIT
cd "$scratch" || exit 1
failures=0

readelf -d "$program" | grep 'NEEDED.*libQt' && { echo "FAIL: ostra-cfg needs Qt at start (above)"; failures=1; }
"$program" blank HALL.CFG || exit 1

# check none|LIBRARY ARGUMENTS...: ostra-cfg ARGUMENTS succeeds, and loads
# no Qt library (none) or loads LIBRARY.
check()
{
    local expected=$1 status loaded
    shift
    LD_DEBUG=files LD_DEBUG_OUTPUT="$scratch/loader" "$program" "$@" >/dev/null 2>&1
    status=$?
    loaded=$(grep -ho 'file=[^ ]*libQt6[^ ]*' loader.* | sort -u | tr '\n' ' ')
    rm -f loader.*
    if [[ $status -ne 0 || ($expected == none && -n $loaded) || ($expected != none && $loaded != *"$expected"*) ]]; then
        echo "FAIL: ostra-cfg $*: status $status, Qt loaded: ${loaded:-none}, expected: $expected"
        failures=$((failures + 1))
    fi
}

check none show HALL.CFG
check none export HALL.CFG
check none set HALL.CFG description=Den
check none cards
check none --help
check libQt6Gui report HALL.CFG -o hall.csv

[[ $failures -eq 0 ]] && echo "only report loads Qt"
