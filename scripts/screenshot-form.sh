#!/usr/bin/env bash
# Renders the VORDEN Input form, at its start state, to a PNG without a
# display (Qt's offscreen platform). BUILD_DIR (default build) may be set; the
# picture goes to the path given, or to docs/vorden-input-form.png.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
output="${1:-$root/docs/vorden-input-form.png}"
if [[ ! -f "$build/CMakeCache.txt" ]]; then
  cmake -S "$root" -B "$build" >/dev/null
fi
cmake --build "$build" --target form-screenshot -j2 >/dev/null
QT_QPA_PLATFORM=offscreen "$build/bin/form-screenshot" "$output"
echo "screenshot-form: wrote $output"
