#!/usr/bin/env bash
# Builds the Debian package build/tavel-builder_<version>_amd64.deb: the
# program, its shipped data and its desktop files in the /usr layout, with
# the runtime libraries it needs as dependencies (found by dpkg-shlibdeps).
# Install it with: sudo apt install ./build/tavel-builder_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${TAVEL_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target tavel tavel_data tavel_package_files
rm -f "$build"/tavel-builder_*.deb
(cd "$build" && cpack -G DEB)
ls "$build"/tavel-builder_*.deb
