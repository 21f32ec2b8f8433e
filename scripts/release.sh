#!/usr/bin/env bash
# Installs what building needs (scripts/setup.sh, through apt), builds both
# DLLs and packs build/release/velk-VERSION-x86.zip and velk-VERSION-x64.zip
# (what each holds: scripts/package.sh).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh"
for arch in x86 x64; do
    echo "Wrote $("$root/scripts/package.sh" "$arch" "$root/build/release")"
done
