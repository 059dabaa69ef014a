#!/usr/bin/env bash
# Sets everything up (scripts/setup.sh) and runs MorvantaConfig under Wine.
# With a DISPLAY the window opens there and the script returns when it is closed. Without one the
# tool runs on a virtual display (Xvfb); the script saves a screenshot of its window, prints the
# screenshot's path and closes the tool. The Wine prefix build/run-prefix is kept between runs, and
# the demo themes the project draws itself (scripts/make-demo-themes.sh) are installed into it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/common.sh"

"$root/scripts/setup.sh"

# The product is the 32-bit program; a kernel without IA-32 emulation cannot start Wine's 32-bit
# loader, and then the 64-bit build of the same sources runs instead.
if runs_32bit; then
    export MORVANTA_RUN_EXE="$build_windows/bin/MorvantaConfig.exe" MORVANTA_RUN_WINE="$wine32"
else
    export MORVANTA_RUN_EXE="$build_win64/bin/MorvantaConfig.exe" MORVANTA_RUN_WINE="$wine64"
    log "this machine cannot run 32-bit code: running the 64-bit build"
fi
export MORVANTA_PREFIX="$root/build/run-prefix"
export MORVANTA_SCREENSHOT="${MORVANTA_SCREENSHOT:-$root/build/screenshot.png}"
export MORVANTA_PROBE="$build_win64/bin/wineprobe.exe"
export MORVANTA_DEMO="$root/build/demo"
"$root/scripts/make-demo-themes.sh" "$MORVANTA_DEMO"
# The Themes folder of the prefix (common documents\Halberon\Morvanta\Themes).
install_demo='themes="$WINEPREFIX/drive_c/users/Public/Documents/Halberon/Morvanta/Themes"; mkdir -p "$themes"; cp "$MORVANTA_DEMO"/*.morvanta "$themes"/'

if [ -n "${DISPLAY:-}" ]; then
    MORVANTA_USE_DISPLAY=1 "$root/scripts/wine-session.sh" bash -c "$install_demo"'; "$MORVANTA_RUN_WINE" "$MORVANTA_RUN_EXE" "$@"' run "$@"
else
    "$root/scripts/wine-session.sh" bash -c "$install_demo"'
        set -e
        "$MORVANTA_RUN_WINE" "$MORVANTA_RUN_EXE" "$@" &
        tool=$!
        window=$("$MORVANTA_WINE" "$MORVANTA_PROBE" main-window --timeout 60)
        sleep 2   # let the window finish its first paint
        import -window root "$MORVANTA_SCREENSHOT"
        hwnd=$(echo "$window" | sed -e "s/.*\"hwnd\":\([0-9]*\).*/\1/")
        "$MORVANTA_WINE" "$MORVANTA_PROBE" close "$hwnd" >/dev/null
        wait $tool || true
        echo "$MORVANTA_SCREENSHOT"
    ' run "$@"
fi
