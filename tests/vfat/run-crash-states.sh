#!/usr/bin/env bash
# Records one save on the kernel's own FAT driver and judges every state a
# crash may leave the card in:
#
#   run-crash-states.sh MACHINE_FOLDER GUEST_PROGRAM 16|32 rewrite|new-file
#
# The machine's card sits behind QEMU's blklogwrites driver, which logs
# every block write and flush in the dm-log-writes format. The guest marks
# the log before and after one save (and the sync after it) in the card's
# last sector, which lies outside the file system. On the host the states
# of the prefix, reorder and torn-write models are laid one by one on a
# copy of the card, each judged by judge-state.sh; the counts of each
# verdict are printed per model.
#
# It fails when a state loses what no crash may lose: a new file must be
# absent or complete, a file saved over must be there holding only lines
# of the old or the new generation. (A mix of the two is counted, not yet
# refused.) Exits 77 when the machine cannot run here.
set -euo pipefail
source "$(dirname "$0")/harness-lib.sh"

[ $# -eq 4 ] || { echo "usage: $0 MACHINE_FOLDER GUEST_PROGRAM 16|32 rewrite|new-file"; exit 64; }
fat=$3
mode=$4
require_machine "$1" "$2"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
image="$work/card.img"
make_card "$image" "$fat"
# One sector past the file system's end, for the marks.
truncate -s +512 "$image"
case $mode in
rewrite) put_generation "$image" 0 ::/A.CFG ;;
new-file) mmd -i "$image" ::/NEW ;;
*) fail "unknown mode $mode" ;;
esac
cp "$image" "$work/before.img"
: >"$work/writes.log"

machine_command "$image" "record-$mode" "$work/report" "$work/console" unsafe
# The card behind the write logger instead of on its own.
for i in "${!machine[@]}"; do
  case ${machine[$i]} in
  file=*) machine[$i]="driver=blklogwrites,node-name=card,log-sector-size=512,file.driver=file,file.filename=$image,log.driver=file,log.filename=$work/writes.log" ;;
  -drive) machine[$i]=-blockdev ;;
  esac
done
status=0
timeout 240 "${machine[@]}" >"$work/qemu.log" 2>&1 || status=$?
sed 's/^/  guest: /' "$work/report"
[ "$status" -eq 0 ] || fail "the machine did not power off by itself (exit $status): $(tail -n 3 "$work/qemu.log")"
grep -qx "end record-$mode passed" "$work/report" || fail "the recorded save did not pass in the machine"

echo "FAT$fat $mode:"
"$guest_program" --explore-crashes "$work/before.img" "$work/writes.log" "$work/state.img" \
  "$harness_folder/judge-state.sh $guest_program $mode" | tee "$work/verdicts"
[ "${PIPESTATUS[0]}" -eq 0 ] || fail "the explorer could not run"
case $mode in
rewrite) allowed='^(old|new|mixed)(;|$)' ;;
new-file) allowed='^(absent|complete)(;|$)' ;;
esac
lost=$(sed -nE 's/^  [0-9]+ //p' "$work/verdicts" | grep -Ev "$allowed" || true)
[ -z "$lost" ] || fail "states that lose the file: $lost"
echo "PASSED: FAT$fat $mode crash states"
