#!/usr/bin/env bash
# Builds the x64 library and benchmark, runs the benchmark under Wine on a
# virtual display and prints its tables. Arguments go to the benchmark
# (--quick: fewer repetitions).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

"$root/scripts/setup.sh"
cmake --preset x64 >/dev/null
cmake --build --preset x64 --target bench velk >/dev/null

source "$root/scripts/wine-session.sh"
velk_wine_start
trap velk_wine_stop EXIT

output=$(mktemp)
(cd "$root/build/x64" && "$VELK_WINE" ./bench.exe "$@" >"$output" 2>&1)
cat "$output"
rm -f "$output"
