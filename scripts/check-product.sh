#!/usr/bin/env bash
# check-product.sh EXE: a shipped program (the tool MorvantaConfig.exe or the engine Morvanta.exe)
# is a 32-bit GUI PE that imports only DLLs every Windows has (the runtime is linked in statically),
# carries its resources, and its manifest asks for x86 assemblies only.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/common.sh"
exe=$1
fail() { echo "check-product: $*" >&2; exit 1; }
file "$exe" | grep -q 'PE32 executable (GUI) Intel 80386' || fail "not a 32-bit GUI program: $(file -b "$exe")"
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|SHLWAPI|VERSION|WINMM|COMCTL32|MSIMG32|msvcrt|ole32|OLEAUT32|UxTheme|dwmapi)\.dll$'
imports=$(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print $3}')
for dll in $imports; do
    echo "$dll" | grep -Eiq "$allowed" || fail "imports $dll, which Windows does not ship"
done
i686-w64-mingw32-objdump -h "$exe" | grep -q '\.rsrc' || fail "no resources"
architectures=$(manifest_architectures "$exe")
[ "$architectures" = x86 ] || fail "its manifest names the architectures '$(echo $architectures)', not x86 alone"
echo "check-product: $(basename "$exe") is a 32-bit GUI program importing: $(echo $imports)"
