# Shared by the card-test scripts (sourced): the tools they need, the card
# image, the emulated machine and the reading of what it reported.
#
# The machine: Debian's cloud kernel under QEMU's TCG emulator (no KVM
# needed), one CPU, 256 MiB, the card on a virtio disk. The first serial
# port is the kernel's console (kept in a log), the second carries the
# test program's report lines.

harness_folder=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export MTOOLS_SKIP_CHECK=1
export LC_ALL=C

skip() {
  echo "SKIPPED: $*"
  exit 77
}

fail() {
  echo "FAILED: $*"
  exit 1
}

# A tool that scripts/install-deps installs is not there: elsewhere the test
# skips, but on CI, which runs with every such tool, the list is wrong and
# the test fails rather than pass without testing.
missing_tool() {
  [ "${CI:-}" != true ] || fail "$1 is not installed, though CI runs with every tool scripts/install-deps installs"
  skip "$1 is not installed (scripts/install-deps)"
}

# Sizes in KiB: FAT32 needs 65525 clusters at least, which mkfs.fat's
# 512-byte clusters reach in 64 MiB.
declare -A card_kib=([16]=32768 [32]=65536)

# Makes sure the tools are there and the machine is prepared; skips with the
# reason otherwise. Sets machine_folder and guest_program.
require_machine() {
  machine_folder=$1
  guest_program=$2
  [ -z "${OSTRA_VFAT_UNAVAILABLE:-}" ] || skip "$OSTRA_VFAT_UNAVAILABLE"
  local tool
  for tool in qemu-system-x86_64 mkfs.fat fsck.fat mcopy mdir mattrib mmd flock timeout; do
    command -v "$tool" >/dev/null || missing_tool "$tool"
  done
  qemu-system-x86_64 -accel help 2>/dev/null | grep -qx tcg || missing_tool "qemu-system-x86_64 with the TCG emulator"
  local prepared status=0
  prepared=$("$harness_folder/prepare-guest.sh" "$machine_folder" "$guest_program" 2>&1) || status=$?
  [ "$status" -ne 77 ] || { echo "$prepared"; exit 77; }
  [ "$status" -eq 0 ] || fail "preparing the machine: $prepared"
}

# make_card IMAGE FAT
make_card() {
  rm -f "$1"
  mkfs.fat -C -F "$2" -n OSTRACARD "$1" "${card_kib[$2]}" >/dev/null 2>&1 || fail "mkfs.fat -F $2 failed"
}

# put_generation IMAGE GENERATION ::PATH — a file holding that generation.
put_generation() {
  local record
  record=$(mktemp)
  "$guest_program" --write-generation "$2" "$record"
  mcopy -o -i "$1" "$record" "$3" || fail "mcopy to $3 failed"
  rm -f "$record"
}

# The emulator's command line for one boot, in the array `machine`:
# machine_command IMAGE SCENARIO REPORT CONSOLE DISK_CACHE [KERNEL_ARGS...]
machine_command() {
  local image=$1 scenario=$2 report=$3 console=$4 disk_cache=$5
  shift 5
  # qemu64 with RDRAND: the guest's random numbers (temporary file names)
  # need no wait for entropy, and the kernel boots faster than on "max".
  machine=(qemu-system-x86_64 -accel tcg,thread=multi -cpu qemu64,+rdrand -smp 1 -m 256
    -display none -monitor none -nodefaults -no-reboot
    -kernel "$machine_folder/kernel/vmlinuz" -initrd "$machine_folder/initramfs.cpio"
    -append "console=ttyS0 quiet panic=-1 ostra.scenario=$scenario $*"
    -serial "file:$console" -serial "file:$report"
    -drive "file=$image,format=raw,if=none,id=card,cache=$disk_cache"
    -device virtio-blk-pci,drive=card)
}

# What fsck.fat -n finds on IMAGE, except the dirty flag a mounted card
# carries (and, on FAT32, the copy of that flag that makes the boot
# sector differ from its backup at offset 65). Empty when nothing.
fsck_findings() {
  checker_output fsck.fat 1 "$1" | awk -f "$harness_folder/fsck-findings.awk"
}

# checker_output TOOL WORST_FINE_STATUS IMAGE: what TOOL -n prints on
# IMAGE, or, when its exit status says it could not check, one line that
# says so (a finding of kind "other").
checker_output() {
  local output status=0
  output=$("$1" -n "$3" 2>&1) || status=$?
  if [ "$status" -gt "$2" ]; then
    echo "$1 could not check the image (exit $status): ${output//$'\n'/ }"
  else
    echo "$output"
  fi
}

# The kind of one fsck.fat or fsck.exfat finding line: which lines belong
# to which is the tools' own wording, matched here; anything not named counts as "other". Prints
# nothing for lines that only continue a finding.
finding_kind() {
  case $1 in
  *"Contains a free cluster"* | *"is marked as free"*) echo "chain into a free cluster" ;;
  *"share clusters"* | *"already allocated for the other file"*) echo "clusters shared by two files" ;;
  *"clusters are allocated"*) echo "size against chain" ;;
  *"Truncating second"*) ;;
  *"cluster chain length"* | *"Truncating file"*) echo "size against chain" ;;
  *"FATs differ"* | *"Using first FAT"*) echo "FAT copies differ" ;;
  *"Reclaimed"*) echo "lost clusters" ;;
  *"Free cluster summary wrong"*) echo "free count" ;;
  *"Auto-correcting"* | /*) ;;
  *) echo "other: $1" ;;
  esac
}

# What fsck.exfat -n finds on IMAGE, one line a finding (its summary
# lines left out). Empty when nothing.
exfat_fsck_findings() {
  checker_output fsck.exfat 7 "$1" | grep -vE '^exfatprogs version|: (clean|corrupted)\. directories|: files corrupted|^$' || true
}

# What fsck finds on the card IMAGE, FAT or exFAT.
card_findings() {
  if [ "$(card_kind "$1")" = exfat ]; then exfat_fsck_findings "$1"; else fsck_findings "$1"; fi
}

# The kinds of finding that damage what a reader or the next save sees, as
# a pattern over finding_kind's names.
harmful_kinds='chain into a free cluster|clusters shared|size against chain|other:'

# The kinds of fsck.fat finding on image that no reader minds: clusters
# allocated but in no file, the two tables apart (readers take the
# first), a stale free-cluster count. A save that allocates clusters
# cannot avoid them at every moment. Prints the other findings.
harmful_findings() {
  card_findings "$1" | while IFS= read -r line; do
    case $(finding_kind "$line") in
    "" | "lost clusters" | "FAT copies differ" | "free count") ;;
    *) echo "$line" ;;
    esac
  done
}

# fat or exfat: what the boot sector of IMAGE names.
card_kind() {
  if [ "$(dd if="$1" bs=1 skip=3 count=8 status=none)" = "EXFAT   " ]; then echo exfat; else echo fat; fi
}

# card_copy IMAGE /PATH COPY: the file copied off the card; fails when the
# card holds no such file. exFAT cards are read with the harness's own
# reader (mtools knows FAT only).
card_copy() {
  if [ "$(card_kind "$1")" = exfat ]; then
    "$guest_program" --exfat-copy "$1" "$2" "$3" 2>/dev/null
  else
    mcopy -n -o -i "$1" "::$2" "$3" 2>/dev/null
  fi
}

# card_leftovers IMAGE /FOLDER: how many temporary files of saves the
# folder holds.
card_leftovers() {
  if [ "$(card_kind "$1")" = exfat ]; then
    "$guest_program" --exfat-list "$1" "$2" 2>/dev/null
  else
    mdir -a -b -i "$1" "::$2" 2>/dev/null
  fi | grep -ci '\.ostra-' || true
}

# mdir's short and long names in ::FOLDER, one "SHORT    EXT|long name"
# line per file, folders and "." left out.
card_names() {
  mdir -a -i "$1" "::$2" 2>&1 |
    sed -nE 's/^(.{8}) (.{3}) +[0-9]+ [0-9]{4}-[0-9]{2}-[0-9]{2} +[0-9]{1,2}:[0-9]{2} ?(.*)$/\1 \2|\3/p' | sort
}
