#!/usr/bin/env bash
# Builds Kinsight's Debian source and binary packages from debian/, as a
# distribution builds them (dpkg-buildpackage: Debian's compiler flags, the
# tests run at build time), from a clean copy of the tracked files in
# build/package/; then checks the binary package under a virtual X server
# (tests/packaging/packaging_test.sh package): its paths, control fields,
# lintian --pedantic, and the program run from it.
#
#   package.sh         after setup.sh --test (debhelper, lintian, xvfb)
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(sed -n '1s/^kinsight (\([^)]*\)).*/\1/p' debian/changelog)
out=build/package
rm -rf "$out"
mkdir -p "$out/kinsight-$version"
# What git tracks, with the working tree's changes: no build folder.
git ls-files -z --cached --others --exclude-standard |
    tar --null -T - -cf - | tar -xf - -C "$out/kinsight-$version"

dpkg-checkbuilddeps "$out/kinsight-$version/debian/control" ||
    { echo "package.sh: run bash scripts/setup.sh --test first" >&2; exit 1; }
log=$out/build.log
echo "package.sh: building the source and binary packages with their tests" \
    "(ten minutes or more the first time; the lines go to $log)"
(cd "$out/kinsight-$version" && exec dpkg-buildpackage -us -uc) >"$log" 2>&1 &
build=$!
# shellcheck source=build_progress.sh
source scripts/build_progress.sh
wait_for_build "$build" "$log" package.sh "dpkg-buildpackage"
deb=$(ls "$out"/kinsight_"$version"_*.deb)
echo "package.sh: built $(cd "$out" && ls kinsight_"$version"*.dsc kinsight_"$version"_*.deb | tr '\n' ' ')"
lintian --pedantic -I "$out"/kinsight_"$version".dsc || true
bash scripts/with-xvfb.sh tests/packaging/packaging_test.sh package build "$version" "$deb"
