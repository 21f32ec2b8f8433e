#!/usr/bin/env bash
# Installs what building, testing and the gallery need on Debian 12, and lets
# the 32-bit DLL run: wine32 from the i386 architecture, run by the kernel
# itself where it has IA-32 emulation, else through qemu's user-mode emulator
# registered for 32-bit programs. Quick when everything is there. Where
# neither works the test command skips the x86 run and says why.
set -euo pipefail

packages=(
    cmake make
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    wine64 fonts-wine
    wine32:i386 qemu-user-static
    xvfb xauth
    googletest
    imagemagick
    llvm
    python3
)

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
if [[ ${#missing[@]} -gt 0 ]]; then
    echo "Installing: ${missing[*]}"
    dpkg --print-foreign-architectures | grep -qx i386 || "${sudo[@]}" dpkg --add-architecture i386
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# qemu-i386 for i386 ELF files: the ELF header's magic, class, data and
# version, and machine EM_386, under a mask that lets the OS ABI and type
# vary. F opens the emulator once, here, so that it also serves programs in
# other mount namespaces. The kernel forgets the entry at a reboot.
binfmt=/proc/sys/fs/binfmt_misc
i386_rule=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F'
runs_32_bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
set_entry() { echo "$1" | "${sudo[@]}" tee "$binfmt/qemu-i386" >/dev/null 2>&1 || true; }

if [[ -e $binfmt/qemu-i386 ]]; then
    # An emulator entry takes 32-bit programs away from a kernel that could
    # run them itself, at a hundredth of the speed: it stays only where the
    # kernel cannot. (A 32-bit program started in this moment runs either way
    # or not at all, as the kernel allows.)
    set_entry 0
    if runs_32_bit; then
        set_entry -1
    else
        set_entry 1
    fi
elif ! runs_32_bit; then
    [[ -e $binfmt/register ]] || "${sudo[@]}" mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || true
    [[ -e $binfmt/register ]] && { printf '%s' "$i386_rule" | "${sudo[@]}" tee "$binfmt/register" >/dev/null 2>&1 || true; }
fi
exit 0
