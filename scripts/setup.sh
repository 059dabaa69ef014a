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
    # the theme tool writes X cursor files with libXcursor; its tests load them with it
    libxcursor-dev libxcursor1
    # Windows target
    g++-mingw-w64-i686 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix libz-mingw-w64-dev
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
    # running it
    wine wine64 wine32:i386 xvfb xauth xdotool x11-utils imagemagick python3-pil python3-numpy
    fonts-noto-core
    # fetching dependency sources
    dpkg-dev
    # cheap rebuilds of a second checkout (build.sh uses it when present)
    ccache
)

missing_packages() {
    local p
    for p in "${apt_packages[@]}"; do
        dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || echo "$p"
    done
}

# A mirror whose Release file is newer or older than one of its package indexes refuses that
# index ("File has unexpected size") until the mirror has synced. Without the i386 security index
# the i386 libraries cannot match their installed amd64 versions and Wine's 32-bit side cannot be
# installed. The index is still a valid list of the mirror's packages, so it is taken as it is,
# with a warning; every package file it names is checked against it as usual.
use_stale_indexes() {
    local url name
    grep -o 'Failed to fetch http://[^ ]*Packages\.xz  File has unexpected size' "$1" 2>/dev/null |
        awk '{print $4}' | sort -u | while read -r url; do
            name=$(printf '%s' "${url%.xz}" | sed -e 's#^http://##' -e 's#/#_#g')
            log "warning: the mirror is syncing; using its index $url as it is"
            curl -fsS "$url" | xz -dc | sudo_if_needed tee "/var/lib/apt/lists/$name" >/dev/null ||
                log "warning: could not fetch $url"
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
        # A mirror caught mid-sync fails one index now and then; retry, then go on with what the
        # other indexes give, since the install below says plainly if a package is still missing.
        local try
        for try in 1 2 3; do
            sudo_if_needed apt-get update -qq 2>&1 | tee /tmp/morvanta-apt-update.log && \
                ! grep -q '^E: Failed to fetch' /tmp/morvanta-apt-update.log && break
            log "apt-get update failed (try $try of 3)"
            sleep 10
        done
        use_stale_indexes /tmp/morvanta-apt-update.log
        # shellcheck disable=SC2086
        [ -z "$missing" ] || DEBIAN_FRONTEND=noninteractive sudo_if_needed apt-get install -y -qq --no-install-recommends $missing
    fi
}

ensure_packages
"$root/scripts/build-windows-deps.sh"
"$root/scripts/build.sh"
