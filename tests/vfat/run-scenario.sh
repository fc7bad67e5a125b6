#!/usr/bin/env bash
# Runs one card-test scenario on the kernel's own vfat driver:
#
#   run-scenario.sh MACHINE_FOLDER GUEST_PROGRAM 16|32 SCENARIO
#
# Makes a FAT16 or FAT32 card image, puts what the scenario needs on it
# with mtools, boots the test machine on it, and passes when the machine
# reported every check passed and the image, read with mtools and
# fsck.fat, shows what the scenario promises. OSTRA_VFAT_KILLS sets the
# rounds of each kill loop (default 100). Exits 77 when the machine
# cannot run here.
set -euo pipefail
source "$(dirname "$0")/harness-lib.sh"

[ $# -eq 4 ] || { echo "usage: $0 MACHINE_FOLDER GUEST_PROGRAM 16|32 SCENARIO"; exit 64; }
fat=$3
scenario=$4
kills=${OSTRA_VFAT_KILLS:-100}
require_machine "$1" "$2"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
image="$work/card.img"
make_card "$image" "$fat"

names_before="$work/names-before"
listing_files=(PLAIN.CFG HIDDEN.CFG SYSTEM.CFG RDONLY.CFG "Long Config Name.cfg" lower.cfg BYIOCTL.CFG NOTES.TXT)
name_files=(CFG1.CFG "Long Config Name.cfg" mixed.Cfg lower.cfg "UNIT 7.CFG" VERYLONGNAME.CFG a.b.cfg)

# What each scenario finds on the card when the machine starts.
prepare_card() {
  local name
  case $scenario in
  read-only-folder)
    mmd -i "$image" ::/RO
    put_generation "$image" 0 ::/RO/A.CFG ;;
  full-root-folder)
    put_generation "$image" 0 ::/A.CFG ;;
  hidden-system-listing)
    mmd -i "$image" ::/LIST
    for name in "${listing_files[@]}"; do put_generation "$image" 0 "::/LIST/$name"; done
    mattrib -i "$image" +h ::/LIST/HIDDEN.CFG
    mattrib -i "$image" +s ::/LIST/SYSTEM.CFG
    mattrib -i "$image" +r ::/LIST/RDONLY.CFG ;;
  names-survive-saves)
    mmd -i "$image" ::/NAMES
    for name in "${name_files[@]}"; do put_generation "$image" 0 "::/NAMES/$name"; done
    card_names "$image" /NAMES >"$names_before" ;;
  esac
}

# file_generation ::PATH — what the file on the card holds.
file_generation() {
  local copy="$work/copy"
  rm -f "$copy"
  mcopy -n -i "$image" "$1" "$copy" 2>/dev/null || { echo "missing"; return; }
  "$guest_program" --inspect "$copy" || true
}

# card_attributes FOLDER — "name: letters" per file, as mattrib shows them.
card_attributes() {
  mattrib -i "$image" "::$1/*" | sed -nE "s|^([^:]*)::$1/(.*)\$|\2:\1|p" |
    awk -F: '$1 != "." && $1 != ".." { gsub(/ /, "", $2); print $1 ": " $2 }' | sort
}

problems=()
expect() { # expect DESCRIPTION ACTUAL EXPECTED
  [ "$2" = "$3" ] || problems+=("$1: expected \"$3\", found \"$2\"")
}

# What the image must show once the machine is off.
check_card() {
  local name
  case $scenario in
  normal-save)
    expect "SAVES after three saves" "$(card_names "$image" /SAVES)" "NEW      CFG|"
    expect "SAVES/NEW.CFG" "$(file_generation ::/SAVES/NEW.CFG)" "generation 3" ;;
  read-only-folder)
    expect "RO after the saves" "$(card_names "$image" /RO)" "A        CFG|"
    file_generation ::/RO/A.CFG | grep -q '^generation ' || problems+=("RO/A.CFG: $(file_generation ::/RO/A.CFG)") ;;
  full-root-folder)
    expect "leftovers in the root" "$(card_names "$image" / | grep -ci 'ostra' || true)" "0"
    file_generation ::/A.CFG | grep -q '^generation ' || problems+=("A.CFG: $(file_generation ::/A.CFG)") ;;
  kill-loop)
    expect "KILLS after the next save" "$(card_names "$image" /KILLS)" "A        CFG|"
    file_generation ::/KILLS/A.CFG | grep -q '^generation ' || problems+=("KILLS/A.CFG: $(file_generation ::/KILLS/A.CFG)") ;;
  hidden-system-listing)
    expect "attributes in LIST" "$(card_attributes /LIST)" \
      "$(printf '%s\n' "BYIOCTL.CFG: AH" "HIDDEN.CFG: AH" "Long Config Name.cfg: A" "NOTES.TXT: A" \
        "PLAIN.CFG: A" "RDONLY.CFG: AR" "SYSTEM.CFG: AS" "lower.cfg: A" | sort)" ;;
  names-survive-saves)
    expect "short and long names in NAMES" "$(card_names "$image" /NAMES)" "$(cat "$names_before")"
    for name in "${name_files[@]}"; do
      expect "NAMES/$name" "$(file_generation "::/NAMES/$name")" "generation 3"
    done ;;
  esac
  local findings
  findings=$(fsck_findings "$image")
  [ -z "$findings" ] || problems+=("fsck.fat -n: $findings")
}

prepare_card
machine_command "$image" "$scenario" "$work/report" "$work/console" unsafe "ostra.kills=$kills"
started=${EPOCHREALTIME/./}
status=0
timeout 240 "${machine[@]}" >"$work/qemu.log" 2>&1 || status=$?
elapsed_ms=$(((${EPOCHREALTIME/./} - started) / 1000))

echo "vfat FAT$fat $scenario: the machine ran $((elapsed_ms / 1000)).$((elapsed_ms % 1000 / 100)) s (exit $status)"
sed 's/^/  guest: /' "$work/report"
[ "$status" -eq 0 ] || problems+=("the machine did not power off by itself (exit $status): $(tail -n 3 "$work/qemu.log" "$work/console")")
grep -qx "end $scenario passed" "$work/report" || problems+=("the test program did not report \"end $scenario passed\"")
[ "$status" -ne 0 ] || check_card

if [ ${#problems[@]} -ne 0 ]; then
  [ -s "$work/console" ] && { echo "  console (last lines):"; tail -n 15 "$work/console" | sed 's/^/    /'; }
  printf '  PROBLEM: %s\n' "${problems[@]}"
  fail "vfat FAT$fat $scenario"
fi
echo "PASSED: vfat FAT$fat $scenario"
