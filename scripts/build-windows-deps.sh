#!/usr/bin/env bash
# Builds the static Windows libraries (i686 for the product, x86_64 for the Wine tests) the program links: libpng, libjpeg-turbo and zlib's
# minizip, from Debian's source packages. zlib itself comes from Debian's MinGW package.
# The result is cached in .deps/ (or $MORVANTA_DEPS_DIR) and not rebuilt when present.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/common.sh"

if [ -f "$deps_dir/i686/.complete-v1" ] && [ -f "$deps_dir/x86_64/.complete-v1" ] && [ -d "$deps_dir/pngsuite" ]; then
    exit 0
fi
mkdir -p "$deps_dir/src"
cd "$deps_dir/src"

# apt-get source for the newest version; when that version's files are gone from the mirror
# (a security suite may answer 404), try the other versions the index lists.
fetch_source() {
    local pkg=$1 pattern=$2
    if compgen -G "$pattern" >/dev/null; then return 0; fi
    if apt-get source --download-only -qq "$pkg" >/dev/null 2>&1 && compgen -G "$pattern" >/dev/null; then return 0; fi
    local v
    for v in $(apt-cache showsrc "$pkg" | awk '/^Version:/ {print $2}' | sort -u -r); do
        if apt-get source --download-only -qq "$pkg=$v" >/dev/null 2>&1 && compgen -G "$pattern" >/dev/null; then return 0; fi
    done
    echo "could not download the source of $pkg" >&2
    return 1
}

unpack() {  # unpack ORIG_TARBALL_PATTERN DIR
    local tarball
    tarball=$(ls $1 | head -n 1)
    rm -rf "$2" && mkdir -p "$2"
    tar -xf "$tarball" -C "$2" --strip-components=1
}

log "fetching dependency sources"
fetch_source libpng1.6 'libpng1.6_*.orig.tar.*'
fetch_source libjpeg-turbo 'libjpeg-turbo_*.orig.tar.*'
fetch_source zlib 'zlib_*.orig.tar.*'

build_for() {  # build_for ARCH TRIPLE
    local arch=$1 triple=$2 prefix="$deps_dir/$1" work="$deps_dir/src/build-$1"
    [ -f "$prefix/.complete-v1" ] && return 0
    local common=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" -DCMAKE_BUILD_TYPE=Release
                  -DCMAKE_INSTALL_PREFIX="$prefix" -DMORVANTA_DEPS_PREFIX="$prefix")
    rm -rf "$work" && mkdir -p "$work" "$prefix"

    log "building libpng for $triple"
    cmake -S libpng -B "$work/libpng" "${common[@]}" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF >/dev/null
    cmake --build "$work/libpng" -j "$jobs" >/dev/null
    cmake --install "$work/libpng" >/dev/null

    log "building libjpeg-turbo for $triple"
    cmake -S libjpeg-turbo -B "$work/libjpeg-turbo" "${common[@]}" -DENABLE_SHARED=OFF -DWITH_SIMD=OFF \
          -DWITH_TURBOJPEG=OFF >/dev/null
    cmake --build "$work/libjpeg-turbo" -j "$jobs" >/dev/null
    cmake --install "$work/libjpeg-turbo" >/dev/null

    log "building minizip for $triple"
    local mz=zlib/contrib/minizip
    mkdir -p "$prefix/include/minizip" "$prefix/lib" "$work/minizip"
    for f in unzip ioapi iowin32; do
        "$triple-gcc-posix" -O2 -c "$mz/$f.c" -o "$work/minizip/$f.o"
    done
    rm -f "$prefix/lib/libminizip.a"
    "$triple-ar" rcs "$prefix/lib/libminizip.a" "$work/minizip"/*.o
    cp "$mz"/{unzip.h,ioapi.h,iowin32.h,crypt.h} "$prefix/include/minizip/"
    touch "$prefix/.complete-v1"
}

unpack 'libpng1.6_*.orig.tar.*' libpng
unpack 'libjpeg-turbo_*.orig.tar.*' libjpeg-turbo
unpack 'zlib_*.orig.tar.*' zlib
build_for i686 i686-w64-mingw32
build_for x86_64 x86_64-w64-mingw32

# The PngSuite images in libpng's source serve the decoder tests.
rm -rf "$deps_dir/pngsuite" && mkdir -p "$deps_dir/pngsuite"
cp libpng/contrib/pngsuite/*.png "$deps_dir/pngsuite/"
rm -rf "$deps_dir/testpngs" && cp -r libpng/contrib/testpngs "$deps_dir/testpngs"

log "Windows dependencies ready in $deps_dir"
