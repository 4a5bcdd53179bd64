#!/usr/bin/env bash
# scripts/check-win95-module refuses what Windows 95 cannot load or an 80386
# cannot run: a DLL built with MinGW's run time (MSVCRT.DLL imports, a TLS
# directory, Pentium Pro instructions), and copies of the shipped module with
# a wide-character import or another system version patched in.
#   check_win95_refusals.sh OBJDUMP SHIPPED.DLL RUNTIME.DLL
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
objdump=$1 shipped=$2 runtime=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/check-win95.XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0

expect_refusal() {  # CASE DLL MESSAGE...
  local name=$1 dll=$2
  shift 2
  local output status
  output=$("$root/scripts/check-win95-module" --objdump "$objdump" "$dll" 2>&1)
  status=$?
  for message in "$@"; do
    if [ "$status" != 1 ] || [[ "$output" != *"$message"* ]]; then
      echo "$name: status $status, no \"$message\" in:"
      echo "$output"
      failed=1
      return
    fi
  done
}

expect_refusal runtime "$runtime" "msvcrt.dll is not a DLL Windows 95 ships" \
  "tls: the image has a TLS directory" "not an 80386 instruction"

# The shipped module with LoadLibraryA imported as LoadLibraryW, and with the
# operating system version 5.0 (the field at offset 40 of the optional header).
patch() {  # OUT PYTHON-EXPRESSION-ON-data
  python3 - "$shipped" "$work/$1" "$2" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], "rb").read())
exec(sys.argv[3])
open(sys.argv[2], "wb").write(data)
PY
}
patch wide.dll 'at = data.index(b"LoadLibraryA\0"); data[at + 11] = ord("W")'
expect_refusal wide "$work/wide.dll" "LoadLibraryW (KERNEL32.dll) is a wide-character function"
patch version.dll 'pe = struct.unpack_from("<I", data, 0x3C)[0]; struct.pack_into("<H", data, pe + 24 + 40, 5)'
expect_refusal version "$work/version.dll" "version: operating system version 5.0, not 4.0"

exit $failed
