#!/usr/bin/env bash
# check-package on disks broken on purpose: each must fail and name what is
# wrong; the disk as made must pass, matrix and all.
#   check_package_broken.sh NATIVE_BUILD
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:?usage: check_package_broken.sh NATIVE_BUILD}
work=$(mktemp -d "${TMPDIR:-/tmp}/check-package-broken.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$root/scripts/make-disk" "$work/good" --module "$build/libkyrsetup.so" >/dev/null || exit 1
export KYR_NATIVE_BUILD=$build
failed=0

if ! "$root/scripts/check-package" "$work/good" >"$work/report" 2>&1 ||
   ! grep -q "ready to ship" "$work/report"; then
  echo "the disk as made does not pass:"; cat "$work/report"; failed=1
fi

# name | how the disk is broken (run in the disk's folder) | a line the report must hold
cases=(
  "missing file|rm FRACP.LNG|KYROTH.INF line 68: FRACP.LNG is not on the disk"
  "model only in the INF|sed -i 's/^\"Kyroth FS-3000\" *= FS3000/&\n\"Kyroth FS-5000\" = FS3000/' KYROTH.INF|the model \"Kyroth FS-5000\" is not in KYROTH.INI's [Control Files]"
  "truncated compressed file|head -c 300 KYRCP.EXE >cut && mv cut KYRCP.EXE|KYRCP.EXE is compressed for 13624 bytes, but expands to"
  "model name too long|sed -i 's/\"Kyroth FS-1000\"/\"Kyroth FS-1000 Professional Duplex\"/' KYROTH.INI|KYROTH.INI line 8: the model name \"Kyroth FS-1000 Professional Duplex\" has 34 characters"
  "program name too long|sed -i 's/FS1000, KYRCP.EXE/FS1000, KYROTHCONTROL.EXE/' KYROTH.INI|the control-panel program of \"Kyroth FS-1000\" is missing or longer than 15"
  "not an 8.3 name|sed -i 's/JPNCP.LNG/JAPANESE.LNGX/' KYROTH.INI|JAPANESE.LNGX is named, but is not an 8.3 name"
  "INF without VendorSetup|sed -i '0,/^VendorSetup=.*/s//VendorSetup=KYRSETUP.DLL,Install/' KYROTH.INF|line 26: the install section of \"Kyroth FS-600\" must name VendorSetup=KYRSETUP.DLL,kyrInstall"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r name breaking expected <<<"$entry"
  rm -rf "$work/disk"; cp -a "$work/good" "$work/disk"
  (cd "$work/disk" && eval "$breaking") || { echo "$name: cannot break the disk"; failed=1; continue; }
  "$root/scripts/check-package" "$work/disk" >"$work/report" 2>&1
  status=$?
  if [ "$status" != 1 ] || ! grep -qF -- "$expected" "$work/report"; then
    echo "$name: status $status (expected 1), report lacks: $expected"; cat "$work/report"; failed=1
  fi
done
[ "$failed" = 0 ] && echo "check-package: the made disk passes, the ${#cases[@]} broken ones fail as expected"
exit "$failed"
