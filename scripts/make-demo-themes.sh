#!/usr/bin/env bash
# make-demo-themes.sh OUT_DIR: draws the demo themes (tools/make_demo_themes.py) and packs each
# into OUT_DIR/<name>.morvanta with the native morvanta-theme tool (built by scripts/build.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/common.sh"
out=$1
sources=$(mktemp -d)
trap 'rm -rf "$sources"' EXIT
"$system_python" "$root/tools/make_demo_themes.py" "$sources"
mkdir -p "$out"
for manifest in "$sources"/*/manifest.txt; do
    name=$(basename "$(dirname "$manifest")")
    "${MORVANTA_THEME_TOOL:-$build_native/tools/morvanta-theme}" pack "$manifest" "$out/$name.morvanta"
done
