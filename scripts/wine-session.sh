#!/usr/bin/env bash
# wine-session.sh COMMAND [ARGS...]
# Runs COMMAND inside a throwaway Wine session: its own WINEPREFIX and, unless a DISPLAY is given
# and MORVANTA_USE_DISPLAY=1, its own Xvfb display; one wineserver kept alive for the whole run.
# Never touches ~/.wine. On exit it ends only what it started. MORVANTA_KEEP_SESSION=1 keeps the
# prefix folder for inspection; MORVANTA_PREFIX=DIR uses (and keeps) that prefix instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/common.sh"

session=$(mktemp -d /tmp/morvanta-wine.XXXXXX)
xvfb_pid=""
WINEPREFIX="${MORVANTA_PREFIX:-$session/prefix}"
cleanup() {
    local status=$?
    WINEPREFIX="$WINEPREFIX" "$wineserver" -k >/dev/null 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true
    if [ "${MORVANTA_KEEP_SESSION:-0}" = 1 ]; then
        log "session kept in $session"
    else
        rm -rf "$session"
    fi
    exit $status
}
trap cleanup EXIT INT TERM

if [ "${MORVANTA_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
    : # use the caller's display
else
    # Xvfb picks a free display number itself and reports it on the descriptor.
    exec 3>"$session/display"
    Xvfb -displayfd 3 -screen 0 "${MORVANTA_SCREEN:-1280x1024x24}" -nolisten tcp >"$session/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    for _ in $(seq 100); do [ -s "$session/display" ] && break; sleep 0.1; done
    [ -s "$session/display" ] || { echo "Xvfb did not start" >&2; cat "$session/xvfb.log" >&2; exit 1; }
    export DISPLAY=":$(head -n 1 "$session/display")"
fi

export WINEPREFIX="${MORVANTA_PREFIX:-$session/prefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko installer dialogs
unset WINEARCH
log "Wine prefix $WINEPREFIX on display $DISPLAY"
mkdir -p "$WINEPREFIX"
"$wineserver" -p       # one server, alive between the many short processes of a test run
"$wine64" wineboot -i >"$session/wineboot.log" 2>&1
# Stable text: the window asks for "Segoe UI", which Linux lacks; Noto Sans is of similar design.
"$wine64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v 'Segoe UI' /t REG_SZ \
     /d 'Noto Sans' /f >/dev/null 2>&1 || true
# Without a window manager Wine stalls a program for about 2 s whenever one of its dialogs closes,
# unless its windows are unmanaged; real X input then arrives as it is sent.
"$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true

# The MorvantaConfig.exe the scenario tests drive: the shipped 32-bit program where the machine runs
# 32-bit code, else the 64-bit build of the same sources. MORVANTA_TEST_BITS=64 asks for the 64-bit
# build on any machine.
if [ "${MORVANTA_TEST_BITS:-}" != 64 ] && runs_32bit && [ -f "$build_windows/wine-test/MorvantaConfig.exe" ]; then
    export MORVANTA_PROGRAM_DIR="$build_windows/wine-test"
    log "the scenario tests run the 32-bit program $MORVANTA_PROGRAM_DIR/MorvantaConfig.exe"
else
    export MORVANTA_PROGRAM_DIR="$build_win64/bin"
    if [ "${MORVANTA_TEST_BITS:-}" = 64 ]; then
        log "MORVANTA_TEST_BITS=64 asks for the 64-bit build"
    elif runs_32bit; then
        log "the 32-bit program with its test stand-ins is not built (scripts/build.sh windows)"
    else
        log "this machine cannot run 32-bit code"
    fi
    log "the scenario tests run the 64-bit build $MORVANTA_PROGRAM_DIR/MorvantaConfig.exe"
fi

# The product pair the engine's scenario tests drive: the tool beside the real engine. The shipped
# 32-bit folder where the machine runs 32-bit code, else the 64-bit tree's own pair.
if [ "$MORVANTA_PROGRAM_DIR" = "$build_windows/wine-test" ] && [ -f "$build_windows/bin/Morvanta.exe" ]; then
    export MORVANTA_PRODUCT_DIR="$build_windows/bin"
else
    export MORVANTA_PRODUCT_DIR="$build_win64/product"
fi

export MORVANTA_WINE_SESSION="$session" MORVANTA_WINE="$wine64" MORVANTA_WINE32="$wine32"
"$@"
