#!/bin/sh
# Installs the build into a scratch prefix, then runs the installed scf1s from
# PATH on the installed H2 example deck: its report must be the example's
# expected report, byte for byte. Usage: check_installed_copy.sh CMAKE BUILD_DIR
set -eu
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$1" --install "$2" --prefix "$prefix" >/dev/null
examples="$prefix/share/doc/floating-sphere-scf/examples"
mkdir "$prefix/run"
cp "$examples/h2/scf1s.dat" "$prefix/run/"
(cd "$prefix/run" && PATH="$prefix/bin:$PATH" scf1s)
cmp "$prefix/run/scf1s.out" "$examples/h2/expected.out"
for file in libexec/floating-sphere-scf/vorden share/man/man1/scf1s.1.gz share/man/man1/vorden.1.gz; do
  [ -f "$prefix/$file" ] || { echo "the install has no $file" >&2; exit 1; }
done
