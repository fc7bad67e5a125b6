# Reads fsck.fat -n output and prints what it found, leaving out what every
# card shows after a power cut: the dirty flag, fsck's banner and summary,
# and on FAT32 the boot sector's difference from its backup at offset 65,
# the byte that holds the flag there.
/^fsck\.fat [0-9]/ { next }
/^Dirty bit is set\./ { next }
/^ *Automatically removing dirty bit\./ { next }
/^Leaving filesystem unchanged\./ { next }
/: [0-9]+ files, [0-9]+\/[0-9]+ clusters$/ { next }
/^There are differences between boot sector and its backup\./ { backup = 1; held = $0; next }
backup && /^This is mostly harmless\./ { next }
backup && /^  65:01\/00$/ { next }
backup && /^  Not automatically fixing this\./ { backup = 0; held = ""; next }
backup && /^  [0-9]+:/ { if (held != "") print held; print; held = ""; next }
/^ *$/ { next }
{ print }
