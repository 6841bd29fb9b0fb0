#!/usr/bin/env bash
# Configures and builds the package. BUILD_DIR (default build) and SANITIZE
# (ON builds with AddressSanitizer and UndefinedBehaviorSanitizer) may be set.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -DSANITIZE="${SANITIZE:-OFF}" >/dev/null
cmake --build "$build" -j"$(nproc)"
