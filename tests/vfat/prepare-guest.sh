#!/usr/bin/env bash
# Prepares the emulated machine that runs the card tests on the kernel's own
# FAT driver: Debian's cloud kernel (fetched with apt-get, unpacked, never
# installed) and an initramfs holding busybox, the FAT, exFAT, codepage and virtio
# modules, a small /init and the static test program.
#
#   prepare-guest.sh CACHE_FOLDER GUEST_PROGRAM
#
# CACHE_FOLDER/kernel keeps the kernel and the modules it needs, so apt is
# asked once per build folder; CACHE_FOLDER/initramfs.cpio is rebuilt when
# the test program or /init changed. Prints nothing on success; exits 77
# with the reason on stdout when this machine cannot do it.
set -euo pipefail

cache=$1
guest_program=$2
here=$(cd "$(dirname "$0")" && pwd)

source "$here/harness-lib.sh"

# Kernel modules the guest loads; the modules they depend on are added in
# front of them.
wanted_modules=(virtio_pci virtio_blk fat vfat exfat nls_cp437 nls_iso8859-1 nls_utf8 nls_ascii)
kernel_meta_package=linux-image-cloud-amd64

[ -x "$guest_program" ] || skip "the static guest program was not built ($guest_program)"
busybox_path=$(command -v busybox) || missing_tool "busybox (busybox-static)"

mkdir -p "$cache"
exec 9>"$cache/lock"
flock 9

# The metapackage only depends on the versioned package holding the files.
kernel_package() {
  apt-cache depends "$kernel_meta_package" 2>/dev/null | awk '/Depends: linux-image-/ {print $2; exit}'
}

fetch_kernel_package() {
  local target=$1 package
  package=$(kernel_package)
  if [ -z "$package" ] && [ "$(id -u)" -eq 0 ]; then
    apt-get update -qq >"$cache/apt.log" 2>&1 || true
    package=$(kernel_package)
  fi
  [ -n "$package" ] || skip "apt does not know $kernel_meta_package (no package lists or no network)"
  rm -rf "$cache/download"
  mkdir -p "$cache/download"
  (cd "$cache/download" && apt-get download -qq "$package") >>"$cache/apt.log" 2>&1 ||
    skip "apt-get download $package failed: $(tail -n 1 "$cache/apt.log")"
  dpkg-deb -x "$cache"/download/*.deb "$target"
  rm -rf "$cache/download"
}

# Prints the module files to load, in order: each module after the modules
# its "depends=" entry names. Modules built into the kernel are left out.
module_load_order() {
  local modules_root=$1 file base
  declare -A files=() seen=()
  local order=()
  while read -r file; do
    base=${file##*/}
    base=${base%.ko}
    files[${base//-/_}]=$file
  done < <(find "$modules_root/kernel" -name '*.ko')
  visit() {
    local name=${1//-/_} dep
    [ -z "${seen[$name]:-}" ] || return 0
    seen[$name]=1
    if [ -z "${files[$name]:-}" ]; then
      tr '-' '_' <"$modules_root/modules.builtin" | grep -q "/$name.ko\$" && return 0
      echo "kernel module $1 is missing from $kernel_meta_package" >&2
      return 1
    fi
    for dep in $(grep -a -o 'depends=[A-Za-z0-9_,-]*' "${files[$name]}" | sed -n 1p | cut -d= -f2 | tr ',' ' '); do
      visit "$dep"
    done
    order+=("${files[$name]}")
  }
  for module in "${wanted_modules[@]}"; do
    visit "$module"
  done
  printf '%s\n' "${order[@]}"
}

# Keeps the kernel image and the needed modules, drops the rest (~100 MB).
cache_kernel() {
  local unpacked="$cache/kernel-root" kept="$cache/kernel.new" file
  rm -rf "$unpacked" "$kept"
  fetch_kernel_package "$unpacked"
  mkdir -p "$kept/modules"
  cp "$(ls "$unpacked"/boot/vmlinuz-* | sed -n 1p)" "$kept/vmlinuz"
  module_load_order "$(ls -d "$unpacked"/lib/modules/*/ | sed -n 1p)" >"$kept/module-files" ||
    skip "the kernel package lacks a module the guest needs"
  while read -r file; do
    cp "$file" "$kept/modules/"
    basename "$file" >>"$kept/load-order"
  done <"$kept/module-files"
  rm "$kept/module-files"
  echo "${wanted_modules[*]}" >"$kept/wanted-modules"
  rm -rf "$unpacked"
  rm -rf "$cache/kernel"
  mv "$kept" "$cache/kernel"
}

build_initramfs() {
  local root="$cache/initramfs-root" applet
  rm -rf "$root"
  mkdir -p "$root"/{bin,dev,proc,sys,card,tmp}
  cp "$busybox_path" "$root/bin/busybox"
  for applet in sh mount insmod sleep poweroff cat; do
    ln -s busybox "$root/bin/$applet"
  done
  cp -r "$cache/kernel/modules" "$cache/kernel/load-order" "$root/"
  cp "$here/guest-init.sh" "$root/init"
  cp "$guest_program" "$root/ostra-vfat-guest"
  chmod 755 "$root/init" "$root/ostra-vfat-guest"
  (cd "$root" && find . | LC_ALL=C sort | busybox cpio -o -H newc 2>/dev/null) >"$cache/initramfs.cpio.new"
  mv "$cache/initramfs.cpio.new" "$cache/initramfs.cpio"
  rm -rf "$root"
}

# A kernel kept for another list of modules is fetched again.
if [ ! -f "$cache/kernel/vmlinuz" ] || [ "$(cat "$cache/kernel/wanted-modules" 2>/dev/null)" != "${wanted_modules[*]}" ]; then
  cache_kernel
fi
if [ ! -f "$cache/initramfs.cpio" ] || [ "$guest_program" -nt "$cache/initramfs.cpio" ] ||
   [ "$here/guest-init.sh" -nt "$cache/initramfs.cpio" ] ||
   [ "$cache/kernel/load-order" -nt "$cache/initramfs.cpio" ]; then
  build_initramfs
fi
