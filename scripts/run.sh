#!/usr/bin/env bash
# Sets everything up (scripts/setup.sh) and runs MorvantaConfig under Wine, with the engine
# Morvanta.exe beside it.
# With a DISPLAY the window opens there and the script returns when it is closed. Without one the
# tool runs on a virtual display (Xvfb); the script saves a screenshot of its window, prints the
# screenshot's path and closes the tool. The Wine prefix build/run-prefix is kept between runs, and
# the demo themes the project draws itself (scripts/make-demo-themes.sh) are installed into it.
# The engine starts first, with the demo theme Aurora in use when the prefix has no theme in use
# yet; when the tool closes, the engine is told to give the system its pointers back and end, and
# the script prints where its log and its cursor files are.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/common.sh"

"$root/scripts/setup.sh"

# The product is the 32-bit program; a kernel without IA-32 emulation cannot start Wine's 32-bit
# loader, and then the 64-bit build of the same sources runs instead.
if runs_32bit; then
    export MORVANTA_RUN_EXE="$build_windows/bin/MorvantaConfig.exe" MORVANTA_RUN_WINE="$wine32"
else
    # The 64-bit tree's bin holds the tests' stand-in engine; its product folder, the real one.
    export MORVANTA_RUN_EXE="$build_win64/product/MorvantaConfig.exe" MORVANTA_RUN_WINE="$wine64"
    log "this machine cannot run 32-bit code: running the 64-bit build"
fi
export MORVANTA_RUN_ENGINE="$(dirname "$MORVANTA_RUN_EXE")/Morvanta.exe"
export MORVANTA_PREFIX="$root/build/run-prefix"
export MORVANTA_SCREENSHOT="${MORVANTA_SCREENSHOT:-$root/build/screenshot.png}"
export MORVANTA_PROBE="$build_win64/bin/wineprobe.exe"
export MORVANTA_DEMO="$root/build/demo"
"$root/scripts/make-demo-themes.sh" "$MORVANTA_DEMO"
# The Themes folder of the prefix (common documents\Halberon\Morvanta\Themes).
install_demo='themes="$WINEPREFIX/drive_c/users/Public/Documents/Halberon/Morvanta/Themes"; mkdir -p "$themes"; cp "$MORVANTA_DEMO"/*.morvanta "$themes"/'
# The engine, with Aurora in use when nothing is (the user's local application data folder).
start_engine='local="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Halberon/Morvanta"; mkdir -p "$local"
    [ -f "$local/CurrentTheme.Morvanta" ] || cp "$MORVANTA_DEMO/Aurora.morvanta" "$local/CurrentTheme.Morvanta"
    "$MORVANTA_RUN_WINE" "$MORVANTA_RUN_ENGINE" &'
stop_engine='"$MORVANTA_RUN_WINE" "$MORVANTA_RUN_ENGINE" /RestoreSystemCursors
    echo "engine log: $local/Engine.log; its cursor files: $local/Cursors" >&2'

if [ -n "${DISPLAY:-}" ]; then
    MORVANTA_USE_DISPLAY=1 "$root/scripts/wine-session.sh" bash -c "$install_demo; $start_engine"'
        "$MORVANTA_RUN_WINE" "$MORVANTA_RUN_EXE" "$@"
        '"$stop_engine" run "$@"
else
    "$root/scripts/wine-session.sh" bash -c "$install_demo; $start_engine"'
        set -e
        "$MORVANTA_RUN_WINE" "$MORVANTA_RUN_EXE" "$@" &
        tool=$!
        window=$("$MORVANTA_WINE" "$MORVANTA_PROBE" main-window --timeout 60)
        sleep 2   # let the window finish its first paint
        import -window root "$MORVANTA_SCREENSHOT"
        hwnd=$(echo "$window" | sed -e "s/.*\"hwnd\":\([0-9]*\).*/\1/")
        "$MORVANTA_WINE" "$MORVANTA_PROBE" close "$hwnd" >/dev/null
        wait $tool || true
        '"$stop_engine"'
        echo "$MORVANTA_SCREENSHOT"
    ' run "$@"
fi
