#!/usr/bin/env bash
# Makes the machine of the benchmarks and of the Wine screenshots: a machine
# with Wine's directories on which the printer driver package has been
# unpacked into C:\KYRDRV, KYROTH.INI placed in the system directory. Some
# sources are stored SZDD-compressed (made with the mscompress tool), the
# others plain.
#   make-sample-machine.sh OUTDIR [PLAINDIR]
# PLAINDIR, when given, receives the sources as they are before compression,
# which is what an installation must expand them back to.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:?usage: make-sample-machine.sh OUTDIR [PLAINDIR]}
plain=${2:-}
. "$here/package-files.sh"
command -v mscompress >/dev/null || { echo "make-sample-machine: needs mscompress" >&2; exit 2; }
rm -rf "$out"
mkdir -p "$out"
cp -a "$here/unpacked-machine/." "$out/"
mkdir -p "$out/c/windows/system32"
cp "$here/disk/KYROTH.INI" "$out/c/windows/system32/KYROTH.INI"

drv="$out/c/kyrdrv"
mkdir -p "$drv"
make_package_files "$drv"
if [ -n "$plain" ]; then
  mkdir -p "$plain"
  cp -a "$drv/." "$plain/"
fi
compress_package_files "$drv"
