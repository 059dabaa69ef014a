#!/usr/bin/env bash
# Builds the benchmarks without sanitizers (build/bench, optimised) and runs every one, printing
# its figures; then runs the comparison scripts tests/bench/*.py, which time reference
# implementations on the same inputs in the same run and print ratios. Figures, never pass/fail.
# Usage: bench.sh [FILTER]   (runs only benchmark programs whose name contains FILTER)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/common.sh"
filter=${1:-}
build_bench="$root/build/bench"
if [ ! -f "$build_bench/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build_bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DMORVANTA_SANITIZE=OFF -DMORVANTA_FUZZERS=OFF >/dev/null
fi
cmake --build "$build_bench" -j "$jobs" >/dev/null
for program in "$build_bench"/tests/*_bench; do
    [ -x "$program" ] || continue
    case "$(basename "$program")" in *"$filter"*) ;; *) continue ;; esac
    log "$(basename "$program")"
    "$program" --benchmark_min_time=0.2
done
for script in "$root"/tests/bench/*.py; do
    [ -f "$script" ] || continue
    case "$(basename "$script")" in *"$filter"*) ;; *) continue ;; esac
    # The window's start-up runs under Wine with its own inputs, at the end.
    [ "$(basename "$script")" = window_startup.py ] && continue
    log "$(basename "$script")"
    MORVANTA_BENCH_DIR="$build_bench" "$system_python" "$script"
done

# The window toolkit under Wine: an updater sweep with 100 animated objects and a full repaint,
# measured by the gallery program of the 64-bit tree in a throwaway session.
gallery="$build_win64/bin/HalvixGallery.exe"
case "toolkit_gallery" in *"$filter"*)
    if [ -x "$gallery" ]; then
        log "toolkit (HalvixGallery.exe --bench)"
        figures=$(mktemp /tmp/morvanta-bench.XXXXXX)
        "$root/scripts/wine-session.sh" "$wine64" "$gallery" --bench "Z:${figures//\//\\}" >/dev/null 2>&1 || true
        cat "$figures"
        rm -f "$figures"
    fi
    ;;
esac

# The window's start-up with 100 installed cursor themes, against the same scan and preview loads in
# a program that does nothing else, both in the 64-bit tree under Wine, three runs each. The window
# reports how long its process had run when its theme list was filled (its first paint follows);
# the loading program how long its own work took and how long its process had run at the end.
startup_bench="$build_win64/bin/theme_previews_bench.exe"
case "window_startup" in *"$filter"*)
    if [ -x "$startup_bench" ] && [ -x "$build_win64/bin/MorvantaConfig.exe" ] && [ -x "$build_native/tools/morvanta-theme" ]; then
        log "window start-up with 100 themes (MorvantaConfig.exe against theme_previews_bench.exe)"
        demo=$(mktemp -d /tmp/morvanta-bench-demo.XXXXXX)
        MORVANTA_THEME_TOOL="$build_native/tools/morvanta-theme" "$root/scripts/make-demo-themes.sh" "$demo" >/dev/null
        MORVANTA_BENCH_DEMO="$demo" MORVANTA_BENCH_BIN="$build_win64/bin" \
            "$root/scripts/wine-session.sh" "$system_python" "$root/tests/bench/window_startup.py" 2>/dev/null || true
        rm -rf "$demo"
    fi
    ;;
esac

# The engine under Wine: a reload's time against the theme's read, its processor time at rest and
# its peak memory (tests/bench/wine/engine_reload.py), for the engine the product ships where the
# machine runs 32-bit code, else the 64-bit tree's.
case "engine_reload" in *"$filter"*)
    engine="$build_win64/product/Morvanta.exe"
    if runs_32bit && [ -x "$build_windows/bin/Morvanta.exe" ]; then engine="$build_windows/bin/Morvanta.exe"; fi
    if [ -x "$engine" ] && [ -x "$build_win64/bin/wineprobe.exe" ] && [ -x "$build_native/tools/morvanta-theme" ]; then
        log "the engine under Wine ($engine)"
        demo=$(mktemp -d /tmp/morvanta-bench-demo.XXXXXX)
        MORVANTA_THEME_TOOL="$build_native/tools/morvanta-theme" "$root/scripts/make-demo-themes.sh" "$demo" >/dev/null
        MORVANTA_BENCH_DEMO="$demo" MORVANTA_BENCH_ENGINE="$engine" MORVANTA_BENCH_PROBE="$build_win64/bin/wineprobe.exe" \
            MORVANTA_THEME_TOOL="$build_native/tools/morvanta-theme" \
            "$root/scripts/wine-session.sh" "$system_python" "$root/tests/bench/wine/engine_reload.py" 2>/dev/null || true
        rm -rf "$demo"
    fi
    ;;
esac
