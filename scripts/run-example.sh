#!/usr/bin/env bash
# Builds scf1s, runs it on an example deck in a fresh scratch folder and shows
# the report. Usage: scripts/run-example.sh [examples/<deck folder>]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
example="${1:-examples/h2}"
[[ "$example" = /* ]] || example="$root/$example"
BUILD_DIR="${BUILD_DIR:-$root/build}" bash "$root/scripts/build.sh" >/dev/null
scratch="$(mktemp -d)"
cp "$example/scf1s.dat" "$scratch/"
(cd "$scratch" && "${BUILD_DIR:-$root/build}/bin/scf1s")
cat "$scratch/scf1s.out"
echo "(report written to $scratch/scf1s.out)" >&2
