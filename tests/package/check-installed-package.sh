#!/usr/bin/env bash
# Installs both builds into scratch prefixes, checks that each holds the DLL,
# velk-run and its hook in bin, builds a host against each with
# find_package(velk), and runs the 64-bit one under Wine.
# Usage: check-installed-package.sh SOURCE_DIR SCRATCH_DIR
set -euo pipefail
source_dir=$1
scratch=$2

for arch in x86 x64; do
    build=$source_dir/build/$arch
    if [[ ! -f $build/velk.dll || ! -f $build/velk-run.exe ]]; then
        (cd "$source_dir" && cmake --preset "$arch" >/dev/null &&
            cmake --build --preset "$arch" --target velk velk-run >/dev/null)
    fi
    prefix=$scratch/$arch/install
    rm -rf "$scratch/$arch"
    cmake --install "$build" --prefix "$prefix" >/dev/null
    for file in velk.dll velk-run.exe velk-run-hook.dll; do
        [[ -f $prefix/bin/$file ]] || { echo "$arch: the installed layout has no bin/$file" >&2; exit 1; }
    done
    cmake -S "$source_dir/tests/package/consumer" -B "$scratch/$arch/build" \
        -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-$arch.cmake" -DCMAKE_PREFIX_PATH="$prefix" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$scratch/$arch/build" >/dev/null
    echo "$arch: built a host against the installed package"
done

"$source_dir/scripts/wine-run" "$scratch/x64/build/consumer.exe"
