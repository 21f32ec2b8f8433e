#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds the x86 and x64 DLLs,
# checks both export tables and runs every test program under Wine in Xvfb.
# --long runs the message storms with 100,000 messages per kind instead of
# 4,000 and the GDI balance test with 100,000 repaints instead of 10,000
# (about thirteen minutes more). Other arguments are passed to the x64 ctest
# (for example -R core_ to pick tests).
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${1:-}" == "--long" ]]; then
    export VELK_STORM_COUNT=100000
    export VELK_REPAINT_COUNT=100000
    shift
fi

scripts/setup.sh

cmake --preset x86 >/dev/null
cmake --build --preset x86
cmake --preset x64 >/dev/null
cmake --build --preset x64

source scripts/wine-session.sh
velk_wine_start
trap velk_wine_stop EXIT
# The geometry test also runs at 144 dpi, in a copy of the prefix.
velk_make_dpi_prefix 144

ctest --preset x86
ctest --preset x64 "$@"
