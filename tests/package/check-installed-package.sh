#!/usr/bin/env bash
# Installs both builds into scratch prefixes, checks that each holds the DLL,
# velk-run and its hook in bin, builds a host against each with
# find_package(velk), and runs the 64-bit one under Wine. Then packs each
# release zip, unpacks it, and builds the sample inside it by the README's
# own commands, as a new user on Linux would.
# Usage: check-installed-package.sh SOURCE_DIR SCRATCH_DIR
set -euo pipefail
source_dir=$1
scratch=$2

# The README's commands for building the sample in an unpacked package.
readme_command() {
    local line
    line=$(grep -m 1 -x -- "$1" "$source_dir/README.md") ||
        { echo "The README has no line matching: $1" >&2; exit 1; }
    echo "$line"
}
sample_configure=$(readme_command 'cmake -S sample -B sample/build -DCMAKE_TOOLCHAIN_FILE=.*')
sample_build=$(readme_command 'cmake --build sample/build')

for arch in x86 x64; do
    build=$source_dir/build/$arch
    if [[ ! -f $build/velk.dll || ! -f $build/velk-run.exe ]]; then
        (cd "$source_dir" && cmake --preset "$arch" >/dev/null &&
            cmake --build --preset "$arch" --target velk velk-run >/dev/null)
    fi
    prefix=$scratch/$arch/install
    rm -rf "$scratch/$arch"
    cmake --install "$build" --prefix "$prefix" >/dev/null
    for file in velk.dll velk-run.exe velk-run-hook.dll face/back.bmp face/progress.bmp; do
        [[ -f $prefix/bin/$file ]] || { echo "$arch: the installed layout has no bin/$file" >&2; exit 1; }
    done
    cmake -S "$source_dir/tests/package/consumer" -B "$scratch/$arch/build" \
        -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-$arch.cmake" -DCMAKE_PREFIX_PATH="$prefix" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$scratch/$arch/build" >/dev/null
    echo "$arch: built a host against the installed package"

    zip=$("$source_dir/scripts/package.sh" "$arch" "$scratch/$arch/release" | tail -n 1)
    unpacked=$scratch/$arch/unpacked
    mkdir -p "$unpacked"
    (cd "$unpacked" && cmake -E tar xf "$zip")
    package=$unpacked/$(basename "$zip" .zip)
    [[ -f $package/bin/face/dark/face.ini ]] || { echo "$arch: the package has no bin/face/dark/face.ini" >&2; exit 1; }
    # A fresh shell in the package's folder, as the README has the user run them.
    (cd "$package" && env -i PATH="$PATH" HOME="$HOME" bash -euc "$sample_configure >/dev/null; $sample_build >/dev/null")
    for file in sample.exe velk.dll; do
        [[ -f $package/sample/build/$file ]] || { echo "$arch: the package's sample build made no $file" >&2; exit 1; }
    done
    objdump=x86_64-w64-mingw32-objdump
    [[ $arch == x86 ]] && objdump=i686-w64-mingw32-objdump
    imports=$("$objdump" -p "$package/sample/build/sample.exe" | sed -n 's/^\tDLL Name: //p' | sort)
    grep -qix velk.dll <<<"$imports" || { echo "$arch: the package's sample does not import velk.dll" >&2; exit 1; }
    if grep -iv -e '^velk\.dll$' -e '^kernel32\.dll$' -e '^user32\.dll$' -e '^msvcrt\.dll$' \
        -e '^api-ms-win-' <<<"$imports"; then
        echo "$arch: the package's sample imports more than velk.dll and system DLLs" >&2
        exit 1
    fi
    echo "$arch: built the sample in the unpacked $(basename "$zip") by the README's commands"
done

"$source_dir/scripts/wine-run" "$scratch/x64/build/consumer.exe"
