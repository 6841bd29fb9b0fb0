#!/usr/bin/env bash
# Installs, from Debian's packages, what the build and the tests need.
# Idempotent: packages that are already installed are skipped.
set -euo pipefail

packages=(
  cmake g++ make
  libgtest-dev libbenchmark-dev libeigen3-dev
  libnlopt-cxx-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  xvfb xauth fonts-dejavu-core fonts-liberation2
  dpkg-dev file lintian man-db desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "setup: all packages present"
fi
