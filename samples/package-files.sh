# Sourced by the scripts that make the package's files: make_package_files DIR
# writes stand-ins for the package's binaries (recognisable, compressible
# content) into DIR, and compress_package_files DIR compresses those the
# package stores SZDD-compressed in place (made with the mscompress tool; the
# names stay, only the bytes are SZDD).
make_package_binary() {  # DIR NAME TITLE REPEAT
  { printf 'MZ%s\r\n' "$3"; for i in $(seq 1 "$4"); do printf '%s record %04d\r\n' "$3" "$i"; done; } > "$1/$2"
}

make_package_files() {  # DIR
  make_package_binary "$1" KYRCP.EXE "Kyroth Control Panel" 400
  make_package_binary "$1" KYRCP5.EXE "Kyroth M5 Control Panel" 300
  make_package_binary "$1" kyr.386 "Kyroth virtual printer device" 200
  make_package_binary "$1" BCFONT.BCF "Barcode Display Font" 150
  local lang
  for lang in ENG DEU FRA JPN; do
    make_package_binary "$1" "${lang}PRN.LNG" "$lang printer setup texts" 120
    make_package_binary "$1" "${lang}CP.LNG" "$lang control panel texts" 90
  done
}

# The files the package keeps compressed.
PACKAGE_COMPRESSED="KYRCP.EXE kyr.386 BCFONT.BCF ENGPRN.LNG DEUCP.LNG"

compress_package_files() {  # DIR
  command -v mscompress >/dev/null || { echo "needs mscompress (scripts/install-deps)" >&2; return 2; }
  local name
  for name in $PACKAGE_COMPRESSED; do
    (cd "$1" && mscompress "$name" && mv -f "${name}_" "$name")
  done
}
