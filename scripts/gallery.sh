#!/usr/bin/env bash
# Builds the x64 gallery and library, runs the gallery under Wine on a
# virtual display and saves its screenshot.
# Usage: gallery.sh [FILE.png]   (default: build/gallery.png)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

output=${1:-build/gallery.png}
mkdir -p "$(dirname "$output")"
abs_path=$(cd "$(dirname "$output")" && pwd)/$(basename "$output")

"$root/scripts/setup.sh"
cmake --preset x64
cmake --build --preset x64 --target gallery velk

# shellcheck source=wine-session.sh
source "$root/scripts/wine-session.sh"
velk_wine_start
trap velk_wine_stop EXIT

# The gallery loads velk.dll from its own folder.
(cd "$root/build/x64" && "$VELK_WINE" ./gallery.exe --screenshot "$abs_path")

if command -v convert >/dev/null 2>&1; then
    recompressed=$(mktemp --suffix=.png)
    convert "$abs_path" -strip "$recompressed"
    mv "$recompressed" "$abs_path"
fi
echo "Gallery screenshot written to $abs_path"
