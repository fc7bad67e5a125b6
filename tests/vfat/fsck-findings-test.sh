#!/usr/bin/env bash
# The fsck.fat filter of the card tests, on real images with real damage:
# the dirty flag alone must pass (as after every power cut), every kind of
# damage a cut save leaves must show.
set -euo pipefail
source "$(dirname "$0")/harness-lib.sh"

for tool in mkfs.fat fsck.fat mcopy dd od; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps)"
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '%2048s' '' >"$work/record"

# The little-endian number of WIDTH bytes at OFFSET of the image.
read_number() {
  od -A n -t "u$3" -j "$2" -N "$3" "$1" | tr -d ' '
}

poke() { # poke IMAGE OFFSET BYTES(printf escapes)
  printf "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

flip() { # flip IMAGE OFFSET: inverts every bit of one byte, so it always changes
  poke "$1" "$2" "$(printf '\\x%02x' $((255 - $(read_number "$1" "$2" 1))))"
}

# Marks the first data cluster (cluster 2, the first file's) free in both
# FATs, as when a directory entry was written but its chain was not.
free_first_cluster() {
  local reserved fat_sectors entry_bytes=2
  reserved=$(read_number "$1" 14 2)
  fat_sectors=$(read_number "$1" 22 2)
  if [ "$fat_sectors" -eq 0 ]; then
    fat_sectors=$(read_number "$1" 36 4)
    entry_bytes=4
  fi
  local fat
  for fat in 0 1; do
    poke "$1" $(((reserved + fat * fat_sectors) * 512 + 2 * entry_bytes)) "$(printf '\\x00%.0s' $(seq "$entry_bytes"))"
  done
}

# Marks cluster 40 as a chain's end in the FATs given (0, 1 or both), as
# when a temporary file's clusters were taken but no entry names them yet.
take_lost_cluster() {
  local image=$1 reserved fat_sectors entry_bytes=2 end='\xf8\xff' fat
  shift
  reserved=$(read_number "$image" 14 2)
  fat_sectors=$(read_number "$image" 22 2)
  if [ "$fat_sectors" -eq 0 ]; then
    fat_sectors=$(read_number "$image" 36 4)
    entry_bytes=4 end='\xf8\xff\xff\x0f'
  fi
  for fat in "$@"; do
    poke "$image" $(((reserved + fat * fat_sectors) * 512 + 40 * entry_bytes)) "$end"
  done
}

# Points B.CFG's entry at A.CFG's first cluster, as when a crash left two
# entries naming the same clusters.
cross_link() {
  local a b
  mcopy -i "$1" "$work/record" ::/B.CFG
  a=$(grep -obUa 'A       CFG' "$1" | head -n 1 | cut -d: -f1)
  b=$(grep -obUa 'B       CFG' "$1" | head -n 1 | cut -d: -f1)
  dd if="$1" of="$1" bs=1 skip=$((a + 26)) seek=$((b + 26)) count=2 conv=notrunc status=none
}

# name | FAT bits | damage | findings expected | harmful findings expected (yes/no)
cases=(
  "clean card|16|true|no|no"
  "clean FAT32 card|32|true|no|no"
  "dirty flag of FAT16|16|poke IMG 37 '\\x01'|no|no"
  "dirty flag of FAT32 (boot sector differs from its backup there)|32|poke IMG 65 '\\x01'|no|no"
  "file pointing at a free cluster, FAT16|16|free_first_cluster IMG|yes|yes"
  "file pointing at a free cluster, FAT32|32|free_first_cluster IMG|yes|yes"
  "dirty flag and a free cluster|16|poke IMG 37 '\\x01'; free_first_cluster IMG|yes|yes"
  "FAT32 boot sector differs from its backup elsewhere|32|flip IMG 67|yes|yes"
  "lost cluster, FAT16|16|take_lost_cluster IMG 0 1|yes|no"
  "two files sharing a cluster, FAT16|16|cross_link IMG|yes|yes"
  "lost cluster in the first FAT only, FAT32|32|take_lost_cluster IMG 0|yes|no"
)

failures=0
for row in "${cases[@]}"; do
  IFS='|' read -r name fat damage expected harmful_expected <<<"$row"
  image="$work/card.img"
  make_card "$image" "$fat"
  mcopy -i "$image" "$work/record" ::/A.CFG
  eval "${damage//IMG/\"\$image\"}"
  findings=$(fsck_findings "$image")
  found=no harmful=no
  [ -z "$findings" ] || found=yes
  [ -z "$(harmful_findings "$image")" ] || harmful=yes
  if [ "$found" = "$expected" ] && [ "$harmful" = "$harmful_expected" ]; then
    echo "ok: $name"
  else
    echo "FAIL: $name: findings expected: $expected, harmful: $harmful_expected; fsck.fat -n said:"
    fsck.fat -n "$image" 2>&1 | sed 's/^/    /' || true
    failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ] || fail "$failures of ${#cases[@]} cases"
echo "PASSED: fsck.fat filter, ${#cases[@]} cases"
