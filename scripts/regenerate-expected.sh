#!/usr/bin/env bash
# After an intended change of the report: builds scf1s, runs it on every
# example deck and replaces examples/*/expected.out with the new report.
# Review the change with `git diff examples` before committing it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
BUILD_DIR="$build" bash "$root/scripts/build.sh" >/dev/null
for deck in "$root"/examples/*/scf1s.dat; do
  example="$(dirname "$deck")"
  scratch="$(mktemp -d)"
  cp "$deck" "$scratch/"
  status=0
  (cd "$scratch" && "$build/bin/scf1s") || status=$?
  if [[ $status -ne 0 ]]; then
    echo "regenerate: scf1s failed on ${example#"$root"/} (status $status); expected.out left as it was" >&2
  else
    cp "$scratch/scf1s.out" "$example/expected.out"
    echo "regenerate: ${example#"$root"/}/expected.out"
  fi
  rm -rf "$scratch"
done
