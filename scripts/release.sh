#!/usr/bin/env bash
# Builds both DLLs and packs build/release/velk-VERSION-x86.zip and
# velk-VERSION-x64.zip: the installed layout (bin with velk-run and its hook
# beside the DLL, the dark face in bin/faces/dark, include, lib with both
# import libraries and the CMake package), the gallery with its face bitmaps,
# the sample host (source and program) and the README.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh"

release=$root/build/release
mkdir -p "$release"
for arch in x86 x64; do
    cmake --preset "$arch" >/dev/null
    cmake --build --preset "$arch" --target velk velk-run gallery sample >/dev/null
    build=$root/build/$arch
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
    name=velk-$version-$arch
    stage=$release/$name
    rm -rf "$stage" "$release/$name.zip"

    cmake --install "$build" --prefix "$stage" >/dev/null

    mkdir -p "$stage/gallery"
    cp "$build/gallery.exe" "$build/velk.dll" "$stage/gallery/"
    [[ -d "$build/gallery-run/face" ]] && cp -r "$build/gallery-run/face" "$stage/gallery/"

    mkdir -p "$stage/sample/bin"
    cp examples/sample/CMakeLists.txt examples/sample/*.cpp examples/sample/*.rc examples/sample/*.h "$stage/sample/"
    cp "$build/sample.exe" "$build/velk.dll" "$stage/sample/bin/"

    cp README.md "$stage/"
    [[ -d docs ]] && cp -r docs "$stage/"

    (cd "$release" && cmake -E tar cf "$name.zip" --format=zip "$name")
    echo "Wrote $release/$name.zip"
done
