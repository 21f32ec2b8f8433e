#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds the x86 and x64 DLLs,
# runs every x64 test program under Wine in Xvfb, the geometry test also at
# 144 dpi, then the x86 step: both export tables checked and the host test
# run on the 32-bit DLL under the 32-bit loader (seconds where the kernel
# runs 32-bit code, about five minutes through qemu's emulation).
# --long runs the message storms with 100,000 messages per kind instead of
# 4,000 and the GDI balance test with 100,000 repaints instead of 10,000
# (about thirteen minutes more). Other arguments are passed to both ctest
# runs (for example -R core_ to pick tests; the x86 step is then over at once
# unless the pattern picks host_test).
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

status=0
ctest --preset x64 "$@" || status=1
velk_x86_tests "$@" || status=1
exit $status
