#!/usr/bin/env bash
# Checks a face: shows the gallery and a host laid out like a real program
# (tools/face-check: a main window with a menu bar, toolbar, status bar, list
# view and tree view; a dialog with tabs; a property sheet; a message box) in
# the face of FOLDER, under Wine, and fails when
# - a text the library draws there has a contrast below 4.5:1 with the
#   background it is drawn on, as drawn, or
# - the face's dialogs are dark and a window shows more of the system's own
#   light colours inside its skinned parts than the limit (LIGHT_LIMIT, in
#   tenths of a per cent of those parts; icons and pictures left out).
# Writes OUTPUT_DIR/face-check.png, the screen with what failed marked (texts
# framed in red, light pixels in magenta), and, run on its own rather than
# under the test command, OUTPUT_DIR/gallery.png.
# Usage: face-check.sh [--build DIR] FOLDER [OUTPUT_DIR]   (default: build/face-check)
# --build takes the programs from that build folder instead of building x64.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

build=
if [[ "${1:-}" == "--build" ]]; then
    build=${2:?"--build needs a folder"}
    shift 2
fi
folder=${1:?"usage: face-check.sh [--build DIR] FOLDER [OUTPUT_DIR]"}
output=${2:-$root/build/face-check}
[[ -f "$folder/face.ini" ]] || { echo "face-check.sh: $folder has no face.ini" >&2; exit 2; }
mkdir -p "$output"
output=$(cd "$output" && pwd)
folder=$(cd "$folder" && pwd)

# The limit, in tenths of a per cent of a window's skinned pixels (texts,
# icons and pictures left out): see docs/faces.md for what was measured.
light_limit=${LIGHT_LIMIT:-0.5}

# The built-in look keeps some pairs below 4.5:1 on purpose, as the
# product's look: its tabs' text (TabText #00FF00 on TabFill #FF0000), and
# the system's greys of disabled captions (ButtonGreyText #A5A294 on a
# disabled push button, ChoiceGreyText, the system's grey text, on the
# controls' white), which mark controls that take no input. (The caption
# buttons' glyphs, also kept, are lines, not text, and are not measured.) It
# also keeps the system's white lists and light push buttons: its light
# pixels are not counted. A face.ini that sets no key is the built-in look.
allow=()
if ! grep -q '^[[:space:]]*[A-Za-z][A-Za-z]*[[:space:]]*=' "$folder/face.ini"; then
    allow=(--allow '#00FF00/#FF0000' --allow '#A5A294/#F5F4EA' --allow '#A6A6A6/#FFFFFF')
    light_limit=-1
fi

if [[ -z "$build" ]]; then
    "$root/scripts/setup.sh"
    cmake --preset x64 >/dev/null
    cmake --build --preset x64 --target face-check gallery velk >/dev/null
    build=$root/build/x64
fi
build=$(cd "$build" && pwd)

# Under ctest or scripts/test.sh the session is there, on a screen too small
# for the gallery: only the host is checked. Alone, it starts a session on a
# screen that holds the gallery as well.
gallery=1
if [[ -n "${VELK_WINE_SESSION:-}" || (-n "${DISPLAY:-}" && -n "${WINEPREFIX:-}") ]]; then
    run() { "$root/scripts/wine-run" "$@"; }
    gallery=0
else
    # shellcheck source=wine-session.sh
    source "$root/scripts/wine-session.sh"
    VELK_SCREEN=1280x1440
    velk_wine_start
    trap velk_wine_stop EXIT
    run() { "$VELK_WINE" "$@"; }
fi

# Wine's Z: drive is the Unix root.
windows() { echo "Z:$(echo "$1" | tr / '\\')"; }

status=0
(cd "$output" && run "$build/face-check.exe" "$(windows "$folder")" "$(windows "$output/face-check.png")" \
    --light-limit "$light_limit" "${allow[@]}") || status=$?
echo "face-check.sh: $output/face-check.png marks what failed"
if (( gallery )); then
    (cd "$build/gallery-run" && run "$build/gallery.exe" --face "$(windows "$folder")" \
        --screenshot "$(windows "$output/gallery.png")" >/dev/null) || echo "face-check.sh: the gallery did not run" >&2
    echo "face-check.sh: $output/gallery.png shows the gallery in the face"
fi
exit "$status"
