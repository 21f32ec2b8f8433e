#!/usr/bin/env bash
# Builds the x64 gallery and library, runs the gallery under Wine on a
# virtual display and saves its screenshot.
# Usage: gallery.sh [--dpi DPI] [--face FOLDER] [--print] [--system-dialogs | --velk-run] [FILE.png]
#   (default: build/gallery.png, 96 dpi)
# --face shows the gallery in the face of that folder (faces/dark, for one).
# --print has every window print itself (WM_PRINT, as AnimateWindow and
# capture tools ask it) instead of reading the screen.
# --system-dialogs saves the system's own dialogs (open, colour, font, message
# box) unskinned beside skinned instead of the gallery; --velk-run saves
# Notepad, with its Find dialog open, and Wine's configuration, both started
# through velk-run.
# At another DPI the gallery runs in a copy of the Wine prefix set to that DPI,
# on a screen grown by as much.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

dpi=96
if [[ "${1:-}" == "--dpi" ]]; then
    dpi=${2:?"--dpi needs a value, for example --dpi 144"}
    shift 2
fi
if ! [[ "$dpi" =~ ^[0-9]+$ ]] || (( dpi < 96 || dpi > 480 )); then
    echo "gallery.sh: the DPI must be a whole number from 96 to 480" >&2
    exit 2
fi
face=()
if [[ "${1:-}" == "--face" ]]; then
    folder=${2:?"--face needs a folder, for example --face faces/dark"}
    [[ -f "$folder/face.ini" ]] || { echo "gallery.sh: $folder has no face.ini" >&2; exit 2; }
    # Wine's Z: drive is the Unix root.
    face=(--face "Z:$(cd "$folder" && pwd | tr / '\\')")
    shift 2
fi
printing=()
if [[ "${1:-}" == "--print" ]]; then
    printing=(--print)
    shift
fi
picture=--screenshot
if [[ "${1:-}" == "--system-dialogs" || "${1:-}" == "--velk-run" ]]; then
    picture=$1
    shift
fi
output=${1:-build/gallery.png}
mkdir -p "$(dirname "$output")"
abs_path=$(cd "$(dirname "$output")" && pwd)/$(basename "$output")

"$root/scripts/setup.sh"
cmake --preset x64
cmake --build --preset x64 --target gallery velk velk-run

# shellcheck source=wine-session.sh
source "$root/scripts/wine-session.sh"
if (( dpi != 96 )); then
    velk_make_dpi_prefix "$dpi"
    WINEPREFIX=$(velk_dpi_prefix "$dpi")
    export WINEPREFIX
fi
# The gallery's layout (gallery.cpp) at the DPI.
VELK_SCREEN="$((1280 * dpi / 96))x$((1440 * dpi / 96))"
velk_wine_start
trap velk_wine_stop EXIT

# The gallery loads velk.dll from its own folder and finds its face bitmaps
# in the working folder the build made for it.
(cd "$root/build/x64/gallery-run" && "$VELK_WINE" ../gallery.exe "${face[@]}" "${printing[@]}" "$picture" "$abs_path")

if command -v convert >/dev/null 2>&1; then
    recompressed=$(mktemp --suffix=.png)
    convert "$abs_path" -strip "$recompressed"
    mv "$recompressed" "$abs_path"
fi
echo "Screenshot written to $abs_path"
