#!/usr/bin/env bash
# Checks a built velk.dll: its exports (names, ordinals and, for the 32-bit
# DLL, the stdcall argument sizes) and that it imports system DLLs only.
# Usage: check-dll.sh path/to/velk.dll x86|x64
set -euo pipefail
dll=$1
arch=$2
case "$arch" in
    x86) objdump=i686-w64-mingw32-objdump ;;
    x64) objdump=x86_64-w64-mingw32-objdump ;;
    *) echo "unknown architecture $arch" >&2; exit 2 ;;
esac

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

headers=$("$objdump" -p "$dll")

# Ordinal base, then "[index] name" rows; ordinal = base + index.
base=$(sed -n 's/.*Ordinal Base \([0-9]*\).*/\1/p' <<<"$headers")
declare -A ordinal_of
while read -r index name; do
    ordinal_of[$name]=$((base + index))
done < <(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" |
         sed -n 's/^[[:space:]]*\[ *\([0-9]*\)\] \(.*\)$/\1 \2/p')

[[ ${#ordinal_of[@]} -eq 4 ]] || fail "expected exactly 4 named exports, found: ${!ordinal_of[*]}"
[[ "${ordinal_of[Enskin]:-}" == 1 ]] || fail "Enskin is not exported undecorated as ordinal 1"
[[ "${ordinal_of[DlgInit]:-}" == 2 ]] || fail "DlgInit is not exported undecorated as ordinal 2"
[[ "${ordinal_of[EnskinFace]:-}" == 3 ]] || fail "EnskinFace is not exported undecorated as ordinal 3"
[[ "${ordinal_of[EnskinProgramColours]:-}" == 4 ]] ||
    fail "EnskinProgramColours is not exported undecorated as ordinal 4"

# The symbol at each export's address carries the compiler's stdcall
# decoration, _Name@bytes, which records the calling convention and the size
# of the arguments the callee removes.
check_stdcall() {
    local name=$1 bytes=$2 ordinal=$3 rva image_base start label
    rva=$(sed -n '/Export Address Table --/,/^$/p' <<<"$headers" |
          sed -n "s/.*+base\[ *$ordinal\] \([0-9a-f]*\) Export RVA.*/\1/p")
    image_base=$(sed -n 's/^ImageBase[[:space:]]*\([0-9a-f]*\).*/\1/p' <<<"$headers")
    start=$((0x$image_base + 0x$rva))
    label=$("$objdump" -d --start-address="$start" --stop-address=$((start + 1)) "$dll" |
            sed -n 's/^[0-9a-f]* <\(.*\)>:$/\1/p')
    [[ "$label" == "_${name}@${bytes}" ]] ||
        fail "$name (ordinal $ordinal) must be stdcall with $bytes bytes of arguments (_${name}@${bytes}); found ${label:-no symbol}"
}
if [[ $arch == x86 ]]; then
    check_stdcall Enskin 8 1
    check_stdcall DlgInit 4 2
    check_stdcall EnskinFace 4 3
    check_stdcall EnskinProgramColours 0 4
fi

# Only system DLLs: the compiler runtime must be linked in.
allowed=' kernel32.dll user32.dll gdi32.dll msimg32.dll advapi32.dll msvcrt.dll '
while read -r imported; do
    lower=${imported,,}
    [[ "$allowed" == *" $lower "* ]] || fail "imports $imported, which is not a system DLL"
done < <(sed -n 's/^[[:space:]]*DLL Name: \(.*\)$/\1/p' <<<"$headers")

if [[ $failures -gt 0 ]]; then
    echo "$dll ($arch): $failures problem(s)"
    exit 1
fi
echo "$dll ($arch): exports Enskin @1, DlgInit @2, EnskinFace @3 and EnskinProgramColours @4, imports system DLLs only"
