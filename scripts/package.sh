#!/usr/bin/env bash
# Packs one architecture's release zip from its preset build:
# OUTPUT_DIR/velk-VERSION-ARCH.zip, holding the installed layout (bin with
# velk-run and its hook beside the DLL, the built-in face's bitmaps in
# bin/face, the dark face in bin/face/dark and bin/faces/dark,
# include, lib with both import libraries and the CMake package), the MinGW
# toolchain of that architecture as cmake/mingw.cmake, the gallery with its
# face bitmaps, the sample host (source and program), the README and docs.
# Builds what the package needs; installs nothing (scripts/release.sh runs
# the set-up first).
# Usage: package.sh x86|x64 OUTPUT_DIR
set -euo pipefail
arch=$1
output=$2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

build=$root/build/$arch
[[ -f $build/CMakeCache.txt ]] || cmake --preset "$arch" >/dev/null
cmake --build --preset "$arch" --target velk velk-run gallery sample >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=velk-$version-$arch
mkdir -p "$output"
output=$(cd "$output" && pwd)
stage=$output/$name
rm -rf "$stage" "$output/$name.zip"

cmake --install "$build" --prefix "$stage" >/dev/null

# The sample builds from the unpacked folder with this file on Linux; in the
# package nothing runs test programs, so it carries no emulator.
mkdir -p "$stage/cmake"
cp "cmake/mingw-$arch.cmake" "$stage/cmake/mingw.cmake"

mkdir -p "$stage/gallery"
cp "$build/gallery.exe" "$build/velk.dll" "$stage/gallery/"
[[ -d "$build/gallery-run/face" ]] && cp -r "$build/gallery-run/face" "$stage/gallery/"

mkdir -p "$stage/sample/bin"
cp examples/sample/CMakeLists.txt examples/sample/*.cpp examples/sample/*.rc examples/sample/*.h "$stage/sample/"
cp "$build/sample.exe" "$build/velk.dll" "$stage/sample/bin/"

cp README.md "$stage/"
cp -r docs "$stage/"

(cd "$output" && cmake -E tar cf "$name.zip" --format=zip "$name")
echo "$output/$name.zip"
