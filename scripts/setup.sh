#!/usr/bin/env bash
# Prepares a Debian 12 machine to build and test MorvantaConfig, then builds both targets.
# Idempotent: packages already present are not reinstalled, the Windows dependencies are
# built once into .deps/ and reused, and the builds are incremental.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/common.sh"

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

apt_packages=(
    # native core and tests
    build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    libpng-dev libjpeg62-turbo-dev zlib1g-dev libminizip-dev
    # Windows target
    g++-mingw-w64-i686 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix libz-mingw-w64-dev
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
    # running it
    wine wine64 wine32:i386 xvfb xauth xdotool x11-utils imagemagick python3-pil python3-numpy
    fonts-noto-core
    # fetching dependency sources
    dpkg-dev
)

missing_packages() {
    local p
    for p in "${apt_packages[@]}"; do
        dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || echo "$p"
    done
}

ensure_packages() {
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        log "adding the i386 architecture (wine32)"
        sudo_if_needed dpkg --add-architecture i386
        need_update=1
    fi
    # Source packages of libpng, libjpeg-turbo and zlib feed the Windows dependency build.
    local src_list=/etc/apt/sources.list.d/morvanta-deb-src.sources
    if [ ! -f "$src_list" ] && [ -f /etc/apt/sources.list.d/debian.sources ]; then
        log "enabling Debian source packages"
        sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | sudo_if_needed tee "$src_list" >/dev/null
        need_update=1
    fi
    local missing
    missing=$(missing_packages)
    if [ -n "$missing" ] || [ "${need_update:-0}" = 1 ]; then
        log "installing packages: $(echo $missing)"
        sudo_if_needed apt-get update -qq
        # shellcheck disable=SC2086
        [ -z "$missing" ] || DEBIAN_FRONTEND=noninteractive sudo_if_needed apt-get install -y -qq --no-install-recommends $missing
    fi
}

ensure_packages
"$root/scripts/build-windows-deps.sh"
"$root/scripts/build.sh"
