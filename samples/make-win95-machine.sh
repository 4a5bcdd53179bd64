#!/usr/bin/env bash
# Makes the sample machine: a fresh Windows 95 machine (C:\WINDOWS,
# C:\WINDOWS\SYSTEM, no Kyroth file yet) with the Kyroth driver disk in
# drive A, made by scripts/make-disk.
#   make-win95-machine.sh OUTDIR [make-disk options: --module FILE, --plain DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:?usage: make-win95-machine.sh OUTDIR [--module FILE] [--plain DIR]}
shift
rm -rf "$out"
mkdir -p "$out"
cp -a "$here/machine/." "$out/"
mkdir -p "$out/c/WINDOWS/SYSTEM"
"$here/../scripts/make-disk" "$out/a" "$@"
