#!/usr/bin/env bash
# Sets everything up (scripts/setup.sh) and runs every test: the native core tests under
# AddressSanitizer and UBSan and the fuzz targets (bounded time), then, inside a throwaway Wine
# session, the Windows test program and the scenario tests that drive real MorvantaConfig.exe and
# Morvanta.exe processes; then checks both shipped programs. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/common.sh"

"$root/scripts/setup.sh"

status=0
log "native tests"
ctest --test-dir "$build_native" --output-on-failure -j "$jobs" || status=1

log "Windows tests under Wine"
"$root/scripts/wine-session.sh" ctest --test-dir "$build_win64" --output-on-failure || status=1

log "the 32-bit product: the tool and the engine"
"$root/scripts/check-product.sh" "$build_windows/bin/MorvantaConfig.exe" || status=1
"$root/scripts/check-product.sh" "$build_windows/bin/Morvanta.exe" || status=1
# The 64-bit build asks for the 64-bit common controls: where the prefix holds the x86 assembly too,
# asking for that one makes its comctl32 fail to load and the window cannot be created.
for program in "$build_win64/bin/MorvantaConfig.exe" "$build_win64/product/Morvanta.exe"; do
    architectures=$(manifest_architectures "$program")
    if [ "$architectures" != amd64 ]; then
        log "the 64-bit build's manifest of $(basename "$program") names the architectures '$(echo $architectures)', not amd64 alone"
        status=1
    fi
done

if [ $status -eq 0 ]; then log "all tests passed"; else log "some tests failed"; fi
exit $status
