#!/bin/sh
# links-no-widgets.sh PROGRAM: fails when the program, which links the core
# alone, needs the widgets or the print system (or ldd cannot tell).
libs=$(ldd "$1") || { echo "ldd failed on $1"; exit 1; }
echo "$libs" | grep -q 'libQt6Gui' || { echo "no libQt6Gui in the closure of $1: not the program meant"; exit 1; }
if echo "$libs" | grep -E 'libQt6(Widgets|PrintSupport)'; then
  echo "$1 needs the libraries above"
  exit 1
fi
exit 0
