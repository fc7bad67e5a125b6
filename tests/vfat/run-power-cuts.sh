#!/usr/bin/env bash
# Cuts the power of the test machine while it saves, again and again:
#
#   run-power-cuts.sh MACHINE_FOLDER GUEST_PROGRAM 16|32 rewrite|new-files [CUTS]
#
# Each cut boots the machine on a fresh FAT16 or FAT32 card, lets it save in
# a loop (each save the next generation, acknowledged on the report port
# once complete), kills the emulator (SIGKILL) at a random moment after the
# first acknowledgement, with the card attached in write-through mode, and
# then reads the image with mtools:
#   rewrite    the card holds A.CFG (generation 0) and each save rewrites
#              it: A.CFG must hold, complete, the last acknowledged
#              generation or the next one;
#   new-files  each save creates NEW/G<generation>.CFG: every acknowledged
#              save's file must be there, complete, and the next one
#              missing or complete.
# Either way fsck.fat -n may find nothing but the dirty flag and what no
# reader minds (lost clusters, FAT copies apart, a stale free count: a
# save's temporary file takes clusters before any entry names them).
# Temporary files may be left; the next save removes them (the crash-state
# tests check that from every state).
#
# CUTS defaults to OSTRA_VFAT_CUTS, else 10 (rewrite) or 2 (new-files).
# OSTRA_VFAT_CUT_WINDOW_MS (default 1500) bounds the random wait after the
# first acknowledgement.
# OSTRA_VFAT_KEEP_FAILED names a folder to keep the images of failed cuts.
# Exits 77 when the machine cannot run here.
set -euo pipefail
source "$(dirname "$0")/harness-lib.sh"

[ $# -ge 4 ] && [ $# -le 5 ] || { echo "usage: $0 MACHINE_FOLDER GUEST_PROGRAM 16|32 rewrite|new-files [CUTS]"; exit 64; }
fat=$3
mode=$4
declare -A default_cuts=([rewrite]=10 [new-files]=2)
cuts=${5:-${OSTRA_VFAT_CUTS:-${default_cuts[$mode]:-10}}}
window_ms=${OSTRA_VFAT_CUT_WINDOW_MS:-1500}
keep_failed=${OSTRA_VFAT_KEEP_FAILED:-}
require_machine "$1" "$2"

work=$(mktemp -d)
machine_pid=""
cleanup() {
  [ -z "$machine_pid" ] || kill -KILL "$machine_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
image="$work/card.img"
report="$work/report"

# The acknowledged generations, complete lines only: the kill may cut the
# last line short.
last_acknowledged() {
  local lines
  lines=$(cat "$report")
  [ -z "$(tail -c 1 "$report")" ] || lines=$(sed '$d' <<<"$lines")
  { grep -a '^ack [0-9][0-9]*$' <<<"$lines" || true; } | tail -n 1 | cut -d' ' -f2
}

# Boots the machine and kills it a random while after its first
# acknowledged save. Sets cut_after_ms; fails when no save is acknowledged.
boot_and_cut() {
  machine_command "$image" "$scenario" "$report" "$work/console" writethrough
  : >"$report"
  "${machine[@]}" >"$work/qemu.log" 2>&1 &
  machine_pid=$!
  local waited=0
  until grep -aq '^ack ' "$report"; do
    if ! kill -0 "$machine_pid" 2>/dev/null || [ "$waited" -ge 2400 ]; then
      kill -KILL "$machine_pid" 2>/dev/null || true
      wait "$machine_pid" 2>/dev/null || true
      machine_pid=""
      sed 's/^/  guest: /' "$report"
      tail -n 15 "$work/console" "$work/qemu.log" 2>/dev/null | sed 's/^/  /'
      fail "FAT$fat ($mode): the machine acknowledged no save"
    fi
    sleep 0.05
    waited=$((waited + 1))
  done
  cut_after_ms=$((SRANDOM % (window_ms + 1)))
  sleep "$((cut_after_ms / 1000)).$(printf '%03d' $((cut_after_ms % 1000)))"
  kill -KILL "$machine_pid"
  wait "$machine_pid" 2>/dev/null || true
  machine_pid=""
}

case $mode in
rewrite) scenario=power-cuts saved_folder=/ ;;
new-files) scenario=power-cuts-new-files saved_folder=/NEW ;;
*) echo "unknown mode $mode"; exit 64 ;;
esac

prepare_card() {
  if [ "$mode" = rewrite ]; then
    put_generation "$image" 0 ::/A.CFG
  else
    mmd -i "$image" ::/NEW
  fi
}

# Sets verdict and verdict_status (0 current, 1 stale, 2 damaged).
judge_card() {
  local acknowledged=$1 copy="$work/copy"
  rm -rf "$copy"
  mkdir -p "$copy"
  verdict_status=0
  if [ "$mode" = rewrite ]; then
    if mcopy -n -i "$image" ::/A.CFG "$copy/A.CFG" 2>"$work/mcopy.log"; then
      verdict=$("$guest_program" --judge-cut "$acknowledged" "$copy/A.CFG") || verdict_status=$?
    else
      verdict_status=2
      verdict="damaged: mcopy cannot read A.CFG: $(tr '\n' ' ' <"$work/mcopy.log")"
    fi
    return
  fi
  # A file mcopy cannot read is missing from the copy, and judged so.
  mcopy -n -i "$image" '::/NEW/G*.CFG' "$copy/" 2>"$work/mcopy.log" || true
  verdict=$("$guest_program" --judge-new-files "$acknowledged" "$copy") || verdict_status=$?
  if [ "$verdict_status" -ne 0 ] && [ -s "$work/mcopy.log" ]; then
    verdict+=" (mcopy: $(tr '\n' ' ' <"$work/mcopy.log"))"
  fi
}

current=0 stale=0 damaged=0 fsck_cuts=0 harmful_cuts=0 leftover_cuts=0
for ((cut = 1; cut <= cuts; cut++)); do
  make_card "$image" "$fat"
  prepare_card
  boot_and_cut
  acknowledged=$(last_acknowledged)
  judge_card "${acknowledged:-0}"
  case $verdict_status in
  0) current=$((current + 1)) ;;
  1) stale=$((stale + 1)) ;;
  *) damaged=$((damaged + 1)) ;;
  esac
  findings=$(fsck_findings "$image")
  [ -z "$findings" ] || fsck_cuts=$((fsck_cuts + 1))
  harmful=$(harmful_findings "$image")
  [ -z "$harmful" ] || harmful_cuts=$((harmful_cuts + 1))
  leftovers=$(card_names "$image" "$saved_folder" | grep -ci 'ostra' || true)
  [ "$leftovers" -eq 0 ] || leftover_cuts=$((leftover_cuts + 1))

  echo "cut $cut/$cuts, $cut_after_ms ms after the first acknowledgement, last acknowledged save ${acknowledged:-none}: $verdict; leftovers $leftovers"
  grep -a '^FAIL' "$report" | sed 's/^/  guest: /' || true
  [ -z "$findings" ] || sed 's/^/  fsck.fat: /' <<<"$findings"
  if [ -n "$keep_failed" ] && { [ "$verdict_status" -ne 0 ] || [ -n "$harmful" ]; }; then
    mkdir -p "$keep_failed"
    cp "$image" "$keep_failed/fat$fat-$mode-cut$cut.img"
  fi
done

echo "FAT$fat power cuts ($mode): $cuts cuts, $current complete and current, $stale complete but stale," \
  "$damaged damaged or unreadable; fsck.fat findings beyond the dirty flag in $fsck_cuts cuts," \
  "harmful in $harmful_cuts; temporary files left in $leftover_cuts cuts"
[ "$current" -eq "$cuts" ] && [ "$harmful_cuts" -eq 0 ] || fail "FAT$fat power cuts ($mode)"
echo "PASSED: FAT$fat power cuts ($mode)"
