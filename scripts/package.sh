#!/usr/bin/env bash
# Builds the two Debian packages as a distribution would and checks them with lintian: a Release
# build in build-pkg/ (installed under /usr, no tests or benchmarks, Debian's own compiler and
# linker flags), cpack, then lintian, which must report no error and no warning. CI runs this at
# the end of scripts/test.sh; the build folder stays, so the next run builds only what changed.
#
#   scripts/package.sh [BUILD_DIR]      (default: build-pkg; the packages are left in it)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-pkg}

scripts/deps.sh
# dpkg-buildflags with every hardening feature: fortified functions, stack protector, read-only
# relocations bound at start. No -g: the packages ship stripped executables; -O2 gives way to the
# Release build's own -O3.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP="-g -O2"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DVERBARIA_BUILD_TESTS=OFF -DVERBARIA_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
packages=("$build"/verbaria_*_amd64.deb "$build"/libverbaria-translator-dev_*_amd64.deb)
# Informational tags are shown too; each one the packages keep is overridden in
# packaging/*.lintian-overrides with its reason.
lintian --fail-on error,warning --display-info "${packages[@]}"
echo "lintian accepts ${packages[*]}"
