#!/usr/bin/env bash
# The fsck.fat and fsck.exfat filter of the card tests, on real images with
# real damage:
# the dirty flag alone must pass (as after every power cut), every kind of
# damage a cut save leaves must show.
set -euo pipefail
source "$(dirname "$0")/harness-lib.sh"

for tool in mkfs.fat fsck.fat mkfs.exfat fsck.exfat mcopy dd od; do
  command -v "$tool" >/dev/null || missing_tool "$tool"
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

# exFAT's running 16-bit sum over the byte values given (the entry set's
# checksum and the name's hash use the same rotation).
exfat_sum() {
  local sum=0 byte
  for byte in "$@"; do sum=$(((((sum & 1) << 15) + (sum >> 1) + byte) & 0xFFFF)); done
  echo "$sum"
}

# put_exfat_file IMAGE SLOT NAME CLUSTER: an entry set for a 2048-byte
# file NAME (at most 15 ASCII characters) in contiguous clusters from
# CLUSTER, at entry SLOT of the root folder. The allocation bitmap is left
# as it is.
put_exfat_file() {
  local image=$1 slot=$2 name=$3 cluster=$4 set=() i hash sum heap cluster_bytes root
  for ((i = 0; i < 96; i++)); do set[i]=0; done
  set[0]=0x85 set[1]=2 set[4]=0x20
  set[32]=0xC0 set[33]=3 set[35]=${#name}
  for ((i = 0; i < 4; i++)); do
    set[52 + i]=$(((cluster >> (8 * i)) & 0xFF))
  done
  set[41]=8 set[57]=8 # valid size and size: 2048
  set[64]=0xC1
  local units=()
  for ((i = 0; i < ${#name}; i++)); do
    set[66 + 2 * i]=$(printf '%d' "'${name:i:1}")
    units+=("${set[66 + 2 * i]}" 0)
  done
  hash=$(exfat_sum "${units[@]}")
  set[36]=$((hash & 0xFF)) set[37]=$((hash >> 8))
  sum=$(exfat_sum "${set[@]:0:2}" "${set[@]:4}")
  set[2]=$((sum & 0xFF)) set[3]=$((sum >> 8))
  heap=$(read_number "$image" 88 4)
  cluster_bytes=$((512 << $(read_number "$image" 109 1)))
  root=$(read_number "$image" 96 4)
  poke "$image" $((heap * 512 + (root - 2) * cluster_bytes + slot * 32)) "$(printf '\\x%02x' "${set[@]}")"
}

# Marks CLUSTER taken in the allocation bitmap (the root's second entry).
take_exfat_cluster() {
  local image=$1 cluster=$2 heap cluster_bytes root bitmap at
  heap=$(read_number "$image" 88 4)
  cluster_bytes=$((512 << $(read_number "$image" 109 1)))
  root=$(read_number "$image" 96 4)
  bitmap=$(read_number "$image" $((heap * 512 + (root - 2) * cluster_bytes + 32 + 20)) 4)
  at=$((heap * 512 + (bitmap - 2) * cluster_bytes + (cluster - 2) / 8))
  poke "$image" "$at" "$(printf '\\x%02x' $(($(read_number "$image" "$at" 1) | 1 << ((cluster - 2) % 8))))"
}

# name | FAT bits (0: exFAT) | damage | a kind of finding expected (none when empty) | harmful findings expected (yes/no)
cases=(
  "clean card|16|true||no"
  "clean FAT32 card|32|true||no"
  "dirty flag of FAT16|16|poke IMG 37 '\\x01'||no"
  "dirty flag of FAT32 (boot sector differs from its backup there)|32|poke IMG 65 '\\x01'||no"
  "file pointing at a free cluster, FAT16|16|free_first_cluster IMG|chain into a free cluster|yes"
  "file pointing at a free cluster, FAT32|32|free_first_cluster IMG|chain into a free cluster|yes"
  "dirty flag and a free cluster|16|poke IMG 37 '\\x01'; free_first_cluster IMG|chain into a free cluster|yes"
  "FAT32 boot sector differs from its backup elsewhere|32|flip IMG 67|other: There are differences between boot sector and its backup.|yes"
  "lost cluster, FAT16|16|take_lost_cluster IMG 0 1|lost clusters|no"
  "two files sharing a cluster, FAT16|16|cross_link IMG|clusters shared by two files|yes"
  "lost cluster in the first FAT only, FAT32|32|take_lost_cluster IMG 0|FAT copies differ|no"
  "exFAT card with a file|0|true||no"
  "dirty flag of exFAT|0|poke IMG 106 '\\x02'||no"
  "file pointing at a free cluster, exFAT|0|put_exfat_file IMG 6 B.CFG 30|chain into a free cluster|yes"
  "two files sharing a cluster, exFAT|0|put_exfat_file IMG 6 B.CFG 20|clusters shared by two files|yes"
)

failures=0
for row in "${cases[@]}"; do
  IFS='|' read -r name fat damage expected harmful_expected <<<"$row"
  image="$work/card.img"
  if [ "$fat" -eq 0 ]; then
    rm -f "$image"
    truncate -s 64M "$image"
    mkfs.exfat -L OSTRACARD "$image" >/dev/null 2>&1 || fail "mkfs.exfat failed"
    put_exfat_file "$image" 3 A.CFG 20
    take_exfat_cluster "$image" 20
  else
    make_card "$image" "$fat"
    mcopy -i "$image" "$work/record" ::/A.CFG
  fi
  eval "${damage//IMG/\"\$image\"}"
  kinds=$(card_findings "$image" | while IFS= read -r line; do finding_kind "$line"; done | sort -u | paste -sd ',' -)
  harmful=no
  [ -z "$(harmful_findings "$image")" ] || harmful=yes
  if { [ -z "$expected" ] && [ -z "$kinds" ]; } || { [ -n "$expected" ] && [[ ",$kinds," == *",$expected,"* ]]; } &&
    [ "$harmful" = "$harmful_expected" ]; then
    echo "ok: $name"
  else
    echo "FAIL: $name: findings expected: \"$expected\" (found \"$kinds\"), harmful: $harmful_expected; fsck said:"
    card_findings "$image" | sed 's/^/    /'
    failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ] || fail "$failures of ${#cases[@]} cases"
echo "PASSED: fsck filter, ${#cases[@]} cases"
