#!/usr/bin/env bash
# One verdict line on a card image that a crash in the middle of a recorded
# save left: what the file holds, temporary files left behind, and what
# fsck.fat -n or fsck.exfat -n finds beyond the dirty flag.
#
#   judge-state.sh GUEST_PROGRAM rewrite|new-file IMAGE
set -uo pipefail
source "$(dirname "$0")/harness-lib.sh"
guest_program=$1
mode=$2
image=$3
copy=$(mktemp)
trap 'rm -f "$copy"' EXIT

case $mode in
rewrite) file=/A.CFG folder=/ ;;
new-file) file=/NEW/$("$guest_program" --new-file-name 1) folder=/NEW ;;
*) echo "unknown mode $mode"; exit 64 ;;
esac

if ! card_copy "$image" "$file" "$copy"; then
  verdict="absent"
elif [ "$mode" = rewrite ]; then
  verdict=$("$guest_program" --judge-content 0 1 "$copy")
else
  verdict=$("$guest_program" --judge-content 1 1 "$copy")
  [ "$verdict" = neither ] || verdict=complete
fi
leftovers=$(card_leftovers "$image" "$folder")
[ "$leftovers" -eq 0 ] || verdict+="; $leftovers leftover"
findings=$(card_findings "$image" | while IFS= read -r line; do finding_kind "$line"; done | sort -u | paste -sd ',' -)
[ -z "$findings" ] || verdict+="; fsck: $findings"
echo "$verdict"
