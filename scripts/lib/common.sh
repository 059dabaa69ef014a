# Shared settings of the project's scripts. Sourced, not run.
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
deps_dir="${MORVANTA_DEPS_DIR:-$root/.deps}"   # Windows dependencies, built once, never committed
build_native="$root/build/native"
build_windows="$root/build/windows"   # the product: 32-bit MorvantaConfig.exe
build_win64="$root/build/win64"       # the same sources for 64-bit Windows, run by the Wine tests
# Wine's 64-bit loader: 32-bit Linux executables cannot run where the kernel lacks IA-32 emulation,
# so the tests run the 64-bit build (the wine wrapper would pick the 32-bit loader).
wine64=/usr/lib/wine/wine64
wine32=/usr/lib/wine/wine       # the 32-bit loader, for the product where the kernel can run it
wineserver=/usr/lib/wine/wineserver64
# Debian's python, which has Pillow and numpy from the packages (a pyenv shim may come first in PATH).
system_python=/usr/bin/python3
jobs=$(nproc 2>/dev/null || echo 2)

log() { printf '\033[1m[morvanta]\033[0m %s\n' "$*" >&2; }

# The processor architectures a program's manifest names (its own identity and its dependencies),
# one a line, sorted and unique. The manifest is stored as plain text among the resources.
manifest_architectures() {
    grep -ao 'processorArchitecture="[^"]*"' "$1" | sed -e 's/.*="\(.*\)"/\1/' | sort -u
}

# True where the kernel runs 32-bit programs and Wine's 32-bit loader is installed. Kernels built
# without IA-32 emulation refuse the 32-bit dynamic loader with "Exec format error".
runs_32bit() {
    [ -x "$wine32" ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1
}
