#!/usr/bin/env bash
# Builds the x64 library and benchmark, runs the benchmark under Wine on a
# virtual display and prints its tables. Arguments go to the benchmark
# (--quick: fewer repetitions; --face FOLDER: every repaint in that face, and
# the time of a switch to it).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

"$root/scripts/setup.sh"
cmake --preset x64 >/dev/null
cmake --build --preset x64 --target bench velk >/dev/null

source "$root/scripts/wine-session.sh"
velk_wine_start
trap velk_wine_stop EXIT

# A face folder as Wine sees it: the Z: drive is the Unix root.
arguments=()
while (( $# > 0 )); do
    if [[ "$1" == "--face" && $# -gt 1 ]]; then
        arguments+=(--face "Z:$(cd "$2" && pwd | tr / '\\')")
        shift 2
    else
        arguments+=("$1")
        shift
    fi
done
output=$(mktemp)
(cd "$root/build/x64" && "$VELK_WINE" ./bench.exe "${arguments[@]}" >"$output" 2>&1)
cat "$output"
rm -f "$output"
