#!/usr/bin/env bash
# Builds the Debian package floating-sphere-scf_<version>_<arch>.deb into
# build/: a Release build for the prefix /usr in its own folder
# (PACKAGE_BUILD_DIR, default build-package), with Debian's hardening flags,
# packed by CPack, and checked by lintian when it is installed. Needs dpkg-dev
# and file (CPack's dpkg-shlibdeps finds the dependencies).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PACKAGE_BUILD_DIR:-$root/build-package}"
output="$root/build"

# Debian's hardening (stack protector, fortified calls, read-only relocations);
# the optimisation level stays CMake's, and the engine keeps its own
# floating-point flags, so the reports' digits do not change.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
cxxflags="$(dpkg-buildflags --get CXXFLAGS | sed 's/-O[0-9s]//g; s/-g\b//g')"
cppflags="$(dpkg-buildflags --get CPPFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DBUILD_BENCHMARKS=OFF -DSANITIZE=OFF \
  -DCMAKE_CXX_FLAGS="$cppflags $cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB)
mkdir -p "$output"
for deb in "$build"/*.deb; do
  cp "$deb" "$output/"
  echo "package: wrote $output/$(basename "$deb")"
  # lintian's errors fail the packaging; its warnings are shown.
  if command -v lintian >/dev/null; then
    lintian --fail-on error "$output/$(basename "$deb")"
  fi
done
