#!/bin/bash
# ostra-cfg loads Qt for its report alone: the program names no Qt library
# among those it needs, and every other command runs without the dynamic
# loader opening one. The report, which does load it, shows that the check
# sees a load when there is one.
# Usage: no-toolkit-test.sh PATH/TO/ostra-cfg
program=$(realpath -- "$1") || exit 1
scratch=$(mktemp -d "${TMPDIR:-/tmp}/ostra-cfg-no-toolkit.XXXXXX") || exit 1
trap 'rm -rf -- "$scratch"' EXIT
failures=0

fail()
{
    echo "FAIL: $*"
    failures=$((failures + 1))
}

needed=$(readelf -d "$program") || exit 1
if grep 'NEEDED.*libQt' <<<"$needed"; then
    fail "$program needs Qt libraries at start (above)"
fi

# Runs ostra-cfg with ARGUMENTS in the scratch folder; prints the Qt
# libraries the dynamic loader opened for it, after its exit status.
qtLoadedBy()
{
    (cd "$scratch" && LD_DEBUG=files LD_DEBUG_OUTPUT="$scratch/loader" "$program" "$@" >/dev/null 2>&1)
    echo "status $?"
    grep -ho 'file=[^ ]*libQt6[^ ]*' "$scratch"/loader.* | sort -u
    rm -f "$scratch"/loader.*
}

printf '{"format": "ostra-cfg/1", "description": "Hall"}' >"$scratch/hall.json"
"$program" blank "$scratch/HALL.CFG" || exit 1

# check EXPECTED ARGUMENTS...: EXPECTED is "none" or a Qt library that must load.
check()
{
    local expected=$1
    shift
    local loaded
    loaded=$(qtLoadedBy "$@")
    local status=${loaded%%$'\n'*}
    local libraries=${loaded#"$status"}
    if [[ $status != "status 0" ]]; then
        fail "ostra-cfg $*: $status"
    elif [[ $expected == none && -n $libraries ]]; then
        fail "ostra-cfg $* loaded:$libraries"
    elif [[ $expected != none && $libraries != *"$expected"* ]]; then
        fail "ostra-cfg $* did not load $expected (the check sees no load)"
    fi
}

check none show HALL.CFG
check none export HALL.CFG
check none diff HALL.CFG HALL.CFG
check none set HALL.CFG description=Den
check none blank NEW.CFG
check none import hall.json -o IMPORTED.CFG
check none cards
check none --help
check libQt6Gui report HALL.CFG -o hall.csv

if [[ $failures -gt 0 ]]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "only report loads Qt"
