#!/bin/sh
# /init of the card-test machine: loads the modules, starts the test program
# (which mounts the card, runs the scenario named on the kernel command line,
# reports on the second serial port and powers the machine off) and powers
# off itself should the program end any other way.
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
for module in $(cat /load-order); do
  insmod "/modules/$module"
done
/ostra-vfat-guest
echo "ostra-vfat-guest ended with status $?"
poweroff -f
