#!/usr/bin/env bash
# Builds every target: build/native (clang, AddressSanitizer + UBSan: core tests, fuzzers, tools),
# build/windows (MinGW i686, the product: build/windows/bin/MorvantaConfig.exe and the engine
# Morvanta.exe beside their lang folder, and a copy of the tool with the tests' stand-ins in
# build/windows/wine-test) and build/win64 (the same sources for x86_64, which the Wine tests run).
# Usage: build.sh [native|windows|all]   (default all)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/common.sh"
what=${1:-all}
# A compiler cache, when the machine has one, makes rebuilds of other checkouts cheap.
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

if [ "$what" = all ] || [ "$what" = native ]; then
    if [ ! -f "$build_native/CMakeCache.txt" ]; then
        CC=clang CXX=clang++ cmake -S "$root" -B "$build_native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
    fi
    log "building the native core, tests and tools"
    cmake --build "$build_native" -j "$jobs"
fi

build_windows_arch() {  # build_windows_arch ARCH BUILD_DIR [TARGET...]
    local arch=$1 dir=$2
    shift 2
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
              -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" -DMORVANTA_DEPS_PREFIX="$deps_dir/$arch" "${launcher[@]}" >/dev/null
    fi
    log "building the Windows program ($arch)"
    cmake --build "$dir" -j "$jobs" ${1:+--target "$@"}
}

if [ "$what" = all ] || [ "$what" = windows ]; then
    # The product, and beside a copy of it the 32-bit stand-ins that the scenario tests use where
    # the machine runs 32-bit code (build/windows/wine-test). The test programs build and run in
    # the 64-bit tree.
    build_windows_arch i686 "$build_windows" MorvantaConfig MorvantaEngine wine_test_program
    build_windows_arch x86_64 "$build_win64"
fi
