#!/usr/bin/env bash
# Records one save on the kernel's own FAT driver and judges every state a
# crash may leave the card in:
#
#   run-crash-states.sh MACHINE_FOLDER GUEST_PROGRAM CARD rewrite|rewrite-full-root|rewrite-straddle|new-file
#
# CARD: fat16 (512-byte clusters), fat32-4k or fat32-32k (4 KiB or 32 KiB
# clusters, as cards of a few GB come), or exfat (128 KiB clusters, as
# cards above 32 GB come). rewrite-full-root saves over a file whose
# directory entry ends a sector of a root folder filled to its last few
# entries (on exFAT, whose root grows, its first sector), so that the
# temporary file's entries fall in another sector. rewrite-straddle (exFAT
# only, run by hand) lays the entries out so that the temporary's entry set
# begins in the last slot of a sector and ends in the next: exFAT does not
# make a set that spans two sectors durable at once, and some of its states
# fail (see README.md).
#
# The machine's card sits behind QEMU's blklogwrites driver, which logs
# every block write and flush in the dm-log-writes format. The guest marks
# the log before and after one save (and the sync after it) in the card's
# last sector, which lies outside the file system. On the host the states
# of the prefix, reorder and torn-write models are laid one by one on a
# copy of the card, each judged by judge-state.sh; the counts of each
# verdict are printed per model.
#
# Then the next save from every state (OSTRA_VFAT_NEXT_SAVES=0 leaves it
# out): the states are attached to the machine as disks, 20 a boot; on
# each the kernel must read the file as the old or the new generation (a
# new file may be absent), and the machine (its clock three minutes on)
# then saves generation 2 over the same file; the save must succeed and
# leave that generation and no temporary file, and the kernel must keep
# the card writable.
#
# It fails when a state loses what no crash may lose: a new file must be
# absent or complete, a file saved over must hold the old or the new
# generation, never a mix; when fsck.fat finds more in a state than lost
# clusters, FAT copies apart or a stale free count, or fsck.exfat finds
# anything; and when a next save fails. Exits 77 when the machine cannot
# run here.
set -euo pipefail
source "$(dirname "$0")/harness-lib.sh"

[ $# -eq 4 ] || { echo "usage: $0 MACHINE_FOLDER GUEST_PROGRAM fat16|fat32-4k|fat32-32k|exfat rewrite|rewrite-full-root|rewrite-straddle|new-file"; exit 64; }
card=$3
mode=$4
# card: FAT bits (0 for exFAT), size in KiB (at least 65525 clusters for
# FAT32), sectors a cluster
declare -A cards=([fat16]="16 32768 1" [fat32-4k]="32 270000 8" [fat32-32k]="32 2150000 64" [exfat]="0 524288 256")
[ -n "${cards[$card]:-}" ] || { echo "unknown card $card"; exit 64; }
read -r fat kib cluster_sectors <<<"${cards[$card]}"
[ "$fat" -ne 0 ] || command -v mkfs.exfat >/dev/null || missing_tool mkfs.exfat
require_machine "$1" "$2"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
image="$work/card.img"
rm -f "$image"
if [ "$fat" -eq 0 ]; then
  truncate -s "${kib}K" "$image"
  mkfs.exfat -c $((cluster_sectors * 512)) -L OSTRACARD "$image" >/dev/null 2>&1 || fail "mkfs.exfat failed"
else
  mkfs.fat -C -F "$fat" -s "$cluster_sectors" -n OSTRACARD "$image" "$kib" >/dev/null 2>&1 || fail "mkfs.fat failed"
fi
# One sector past the file system's end, for the marks.
truncate -s +512 "$image"

# fill_root FIRST COUNT: empty files F<FIRST>.DAT on, one entry each.
fill_root() {
  local folder="$work/fillers" n
  rm -rf "$folder"
  mkdir "$folder"
  for ((n = $1; n < $1 + $2; n++)); do : >"$folder/$(printf 'F%04d.DAT' "$n")"; done
  [ "$2" -eq 0 ] || mcopy -i "$image" "$folder"/* ::/ || fail "filling the root folder"
}

# The machine lays out an exFAT card itself, before the save's mark.
prepare_in_machine=()
case $fat:$mode in
0:rewrite | 0:rewrite-full-root | 0:rewrite-straddle | 0:new-file) prepare_in_machine=("ostra.prepare=$mode") ;;
*:rewrite) put_generation "$image" 0 ::/A.CFG ;;
*:rewrite-full-root)
  # 16 entries a sector: the volume label and 14 fillers before A.CFG, so
  # that its entry is the sector's last; then fillers up to 4 free entries
  # (the temporary's long name takes 3) in the root, or in its first
  # cluster on FAT32.
  root_entries=$((fat == 16 ? 512 : cluster_sectors * 16))
  fill_root 1 14
  put_generation "$image" 0 ::/A.CFG
  fill_root 15 $((root_entries - 16 - 4)) ;;
*:new-file) mmd -i "$image" ::/NEW ;;
*) fail "unknown mode $mode" ;;
esac
judged_mode=${mode%%-*}
[ "$judged_mode" != new ] || judged_mode=new-file
cp --sparse=always "$image" "$work/states.img"
cp --sparse=always "$image" "$work/before.img"
: >"$work/writes.log"

machine_command "$image" "record-$judged_mode" "$work/report" "$work/console" unsafe "${prepare_in_machine[@]}"
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
grep -qx "end record-$judged_mode passed" "$work/report" || fail "the recorded save did not pass in the machine"

echo "$card $mode:"
"$guest_program" --explore-crashes "$work/states.img" "$work/writes.log" \
  "$harness_folder/judge-state.sh $guest_program $judged_mode" | tee "$work/verdicts"
[ "${PIPESTATUS[0]}" -eq 0 ] || fail "the explorer could not run"
case $judged_mode in
rewrite) allowed='^[a-z]+: (old|new)(;|$)' ;;
new-file) allowed='^[a-z]+: (absent|complete)(;|$)' ;;
esac
# exFAT renames a file by rewriting the temporary's entry set where it lies
# and deleting the old file's set. When the two sets lie in neighbouring
# sectors, the kernel writes both in one request, and a torn request can
# keep the deletion and lose the rename: the file is absent, and the
# temporary holds the whole new file. One rename makes both changes, so no
# order of flushes avoids it; the unit then finds no file rather than a
# wrong one. That state alone is let through, and the next save must
# still succeed from it.
may_be_absent=()
if [ "$card:$mode" = exfat:rewrite-full-root ]; then
  allowed+='|^torn: absent; 1 leftover$'
  may_be_absent=(ostra.may-be-absent=1)
fi
# Each verdict line with its model in front: "torn: old; 1 leftover".
awk '/^[a-z]+: [0-9]+ states$/ {model = $1} /^  [0-9]+ / {sub(/^  [0-9]+ /, ""); print model " " $0}' \
  "$work/verdicts" >"$work/model-verdicts"
lost=$(grep -Ev "$allowed" "$work/model-verdicts" || true)
[ -z "$lost" ] || fail "states that lose the file: $lost"
harmful=$(grep -E "fsck: .*($harmful_kinds)" "$work/model-verdicts" || true)
[ -z "$harmful" ] || fail "states that fsck finds damaged: $harmful"

if [ "${OSTRA_VFAT_NEXT_SAVES:-1}" = 0 ]; then
  echo "PASSED: $card $mode crash states (next saves left out: OSTRA_VFAT_NEXT_SAVES=0)"
  exit 0
fi

# The next save from every state, 20 states a boot.
states_per_boot=20
mkdir "$work/next"
state_images=()
for model in prefix reorder torn; do
  count=$("$guest_program" --count-states "$work/writes.log" "$model")
  for ((i = 0; i < count; i++)); do
    state="$work/next/$model-$i.img"
    cp --sparse=always "$work/before.img" "$state"
    "$guest_program" --lay-state "$state" "$work/writes.log" "$model" "$i" >/dev/null || fail "laying $model state $i"
    state_images+=("$state")
  done
done
case $judged_mode in
rewrite) next_file=/A.CFG folder=/ ;;
new-file) next_file=/NEW/$("$guest_program" --new-file-name 1) folder=/NEW ;;
esac
next_failures=0
for ((first = 0; first < ${#state_images[@]}; first += states_per_boot)); do
  batch=("${state_images[@]:first:states_per_boot}")
  cp --sparse=always "$work/before.img" "$work/boot.img"
  machine_command "$work/boot.img" "next-save-$judged_mode" "$work/next-report" "$work/next-console" unsafe \
    "${may_be_absent[@]}"
  for ((d = 0; d < ${#batch[@]}; d++)); do
    machine+=(-drive "file=${batch[$d]},format=raw,if=none,id=state$d,cache=unsafe" -device "virtio-blk-pci,drive=state$d")
  done
  status=0
  timeout 240 "${machine[@]}" >"$work/next-qemu.log" 2>&1 || status=$?
  if [ "$status" -ne 0 ] || ! grep -qx "end next-save-$judged_mode passed" "$work/next-report"; then
    echo "  next saves on states $first and on failed (exit $status):"
    grep -v '^ok ' "$work/next-report" | sort | uniq -c | sed 's/^/    guest: /'
    next_failures=$((next_failures + 1))
    continue
  fi
  for state in "${batch[@]}"; do
    found=$(card_copy "$state" "$next_file" "$work/next-copy" && "$guest_program" --inspect "$work/next-copy" || echo missing)
    leftovers=$(card_leftovers "$state" "$folder")
    if [ "$found" != "generation 2" ] || [ "$leftovers" -ne 0 ]; then
      echo "  after the next save $(basename "$state"): $found, $leftovers leftover"
      next_failures=$((next_failures + 1))
    fi
  done
done
echo "next save: ${#state_images[@]} states, $next_failures failures"
[ "$next_failures" -eq 0 ] || fail "next saves failed from crash states"
echo "PASSED: $card $mode crash states"
