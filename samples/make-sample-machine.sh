#!/usr/bin/env bash
# Makes the sample machine: a Windows 95 machine on which the printer
# driver package has been unpacked into C:\KYRDRV. Some sources are stored
# SZDD-compressed (made with the mscompress tool), the others plain.
#   make-sample-machine.sh OUTDIR [PLAINDIR]
# PLAINDIR, when given, receives the sources as they are before compression,
# which is what an installation must expand them back to.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:?usage: make-sample-machine.sh OUTDIR [PLAINDIR]}
plain=${2:-}
command -v mscompress >/dev/null || { echo "make-sample-machine: needs mscompress" >&2; exit 2; }
rm -rf "$out"
mkdir -p "$out"
cp -a "$here/machine/." "$out/"

drv="$out/c/kyrdrv"
mkdir -p "$drv"
# Stand-ins for the package's binaries: recognisable, compressible content.
make_binary() {  # NAME TITLE REPEAT
  { printf 'MZ%s\r\n' "$2"; for i in $(seq 1 "$3"); do printf '%s record %04d\r\n' "$2" "$i"; done; } > "$drv/$1"
}
make_binary KYRCP.EXE "Kyroth Control Panel" 400
make_binary KYRCP5.EXE "Kyroth M5 Control Panel" 300
make_binary kyr.386 "Kyroth virtual printer device" 200
make_binary BCFONT.BCF "Barcode Display Font" 150
for lang in ENG DEU FRA JPN; do
  make_binary "${lang}PRN.LNG" "$lang printer setup texts" 120
  make_binary "${lang}CP.LNG" "$lang control panel texts" 90
done

if [ -n "$plain" ]; then
  mkdir -p "$plain"
  cp -a "$drv/." "$plain/"
fi

# Compressed in place: the package keeps the names, only the bytes are SZDD.
for name in KYRCP.EXE kyr.386 BCFONT.BCF ENGPRN.LNG DEUCP.LNG; do
  (cd "$drv" && mscompress "$name" && mv -f "${name}_" "$name")
done
