#!/bin/bash
# ostra-cfg's bash completion, run by bash itself: each case is a command
# line as typed before TAB, split into COMP_WORDS the way bash splits it for
# the COMP_WORDBREAKS of the case, and the replies the completion must give.
# Usage: completion-test.sh PATH/TO/ostra-cfg.bash-completion
export LC_ALL=C

# shellcheck source=/dev/null
source "$1" || exit 1
readonly defaultBreaks=$COMP_WORDBREAKS

# File arguments complete in a scratch folder that goes with the test.
scratch=$(mktemp -d "${TMPDIR:-/tmp}/ostra-cfg-completion.XXXXXX") || exit 1
trap 'rm -rf -- "$scratch"' EXIT
cd "$scratch" || exit 1
mkdir units
touch HALL.CFG den.cfg hall.json notes.txt

# compopt works only while bash runs a completion; here it records what it
# was asked for.
compopt()
{
    asked+=" $*"
}

# COMP_WORDS and COMP_CWORD for line as bash makes them: words end at
# whitespace, and each run of other COMP_WORDBREAKS characters is a word of
# its own ("mode=" gives "mode" "="). A line ending in a space starts an
# empty word. Quotes are not handled; no case uses them.
splitLikeBash()
{
    local line=$1 word='' kind=none c i
    COMP_WORDS=()
    for ((i = 0; i < ${#line}; i++)); do
        c=${line:i:1}
        if [[ $c == [[:space:]] ]]; then
            [[ $kind != none ]] && COMP_WORDS+=("$word")
            word='' kind=none
            continue
        fi
        local next=text
        [[ $COMP_WORDBREAKS == *"$c"* ]] && next=breaks
        if [[ $kind != none && $kind != "$next" ]]; then
            COMP_WORDS+=("$word")
            word=''
        fi
        word+=$c kind=$next
    done
    COMP_WORDS+=("$word")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
}

sorted()
{
    [[ $# -gt 0 ]] && printf '%s\n' "$@" | sort | tr '\n' ' ' | sed 's/ $//'
}

failures=0

# check BREAKS LINE REPLIES [OPTIONS]: BREAKS is "default", "+," (comma
# added) or "-=" (equals sign taken out); REPLIES are space-separated in any
# order; OPTIONS what compopt must have been asked for, when given.
check()
{
    local breaks=$1 line=$2 expected=$3 options=${4-}
    case $breaks in
        default) COMP_WORDBREAKS=$defaultBreaks ;;
        +,) COMP_WORDBREAKS="$defaultBreaks," ;;
        -=) COMP_WORDBREAKS=${defaultBreaks//=/} ;;
    esac
    COMP_LINE=$line
    COMP_POINT=${#line}
    splitLikeBash "$line"
    COMPREPLY=()
    asked=''
    _ostra_cfg ostra-cfg "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
    local got want
    got=$(sorted "${COMPREPLY[@]}")
    # shellcheck disable=SC2086 # a space-separated list
    want=$(sorted $expected)
    if [[ $got != "$want" ]] || [[ $# -ge 4 && ${asked# } != "$options" ]]; then
        printf 'FAIL [%s] %s\n  replies: %s\n  wanted:  %s\n  compopt: %s\n' \
            "$breaks" "$line" "$got" "$want" "${asked# }"
        failures=$((failures + 1))
    fi
}

wallplates()
{
    local listed=$1 letters=$2 letter number
    for letter in $letters; do
        for number in 1 2 3 4 5 6; do
            printf '%s%s%s ' "$listed" "$letter" "$number"
        done
    done
}

# Commands, options and file arguments.
check default 'ostra-cfg ' 'show export import set diff cards blank report --help --version'
check default 'ostra-cfg bl' 'blank'
check default 'ostra-cfg blank --' '--force --help'
check default 'ostra-cfg import hall.json --' '--output --truncate --force --help'
check default 'ostra-cfg set HALL.CFG --' '--truncate --force --help'
check default 'ostra-cfg set ' 'HALL.CFG den.cfg units'
check default 'ostra-cfg import ' 'hall.json units'
check default 'ostra-cfg export HALL.CFG -o ' 'HALL.CFG den.cfg hall.json notes.txt units'
check default 'ostra-cfg report ' 'HALL.CFG den.cfg units'
check default 'ostra-cfg report units --' '--output --format --page-size --force --help'
check default 'ostra-cfg report units -o ' 'HALL.CFG den.cfg hall.json notes.txt units'
check default 'ostra-cfg report units -o hall.pdf --format ' 'pdf html csv'
check default 'ostra-cfg report units -o hall.pdf --page-size l' 'letter'
check default 'ostra-cfg show --format ' ''

# Keys.
check default 'ostra-cfg set HALL.CFG zone.1.w' 'zone.1.wallplates=' '-o nospace +o filenames'
check default 'ostra-cfg set HALL.CFG mo' 'mode=' '-o nospace +o filenames'
check default 'ostra-cfg set HALL.CFG zone.1.main=on zone.2.m' 'zone.2.main='

# Values of keys with a fixed set.
check default 'ostra-cfg set HALL.CFG mode=' 'residential professional' '+o filenames'
check default 'ostra-cfg set HALL.CFG mode=p' 'professional'
check default 'ostra-cfg set HALL.CFG options.blanking=' 'on off'
check default 'ostra-cfg set HALL.CFG options.disable_front_ir=o' 'on off'
check default 'ostra-cfg set HALL.CFG options.disable_autoselect=of' 'off'
check default 'ostra-cfg set HALL.CFG zone.6.main=' 'on off'
check default 'ostra-cfg set HALL.CFG zone.7.main=' ''
check default 'ostra-cfg set HALL.CFG options.colour=' ''
check default 'ostra-cfg set HALL.CFG description=' ''
check default 'ostra-cfg set HALL.CFG mode=residential zone.1.main=' 'on off'

# Wallplates: the names, then the next one after a comma, without those
# already listed.
check default 'ostra-cfg set HALL.CFG zone.1.wallplates=' "$(wallplates '' 'A B C D E F')" '-o nospace +o filenames'
check default 'ostra-cfg set HALL.CFG zone.1.wallplates=F' "$(wallplates '' F)"
check default 'ostra-cfg set HALL.CFG zone.1.wallplates=A1,B' "$(wallplates A1, B)"
check default 'ostra-cfg set HALL.CFG zone.4.wallplates=A1,A' 'A1,A2 A1,A3 A1,A4 A1,A5 A1,A6'
check default 'ostra-cfg set HALL.CFG zone.2.wallplates=A1,A2,A3,A4,A5,A' 'A1,A2,A3,A4,A5,A6'
check default 'ostra-cfg set HALL.CFG zone.2.wallplates=B7' ''

# Other COMP_WORDBREAKS: readline replaces the text after the last break
# character, so the replies start there.
check +, 'ostra-cfg set HALL.CFG zone.1.wallplates=A1,B' 'B1 B2 B3 B4 B5 B6'
check +, 'ostra-cfg set HALL.CFG zone.1.wallplates=A1,' "$(wallplates '' 'B C D E F') A2 A3 A4 A5 A6"
check +, 'ostra-cfg set HALL.CFG mode=r' 'residential'
check -= 'ostra-cfg set HALL.CFG mode=r' 'mode=residential'
check -= 'ostra-cfg set HALL.CFG zone.2.wallplates=C6,D' "$(wallplates zone.2.wallplates=C6, D)"
check -= 'ostra-cfg set ' 'HALL.CFG den.cfg units'

if [[ $failures -gt 0 ]]; then
    echo "$failures completion case(s) failed"
    exit 1
fi
echo "all completion cases passed"
