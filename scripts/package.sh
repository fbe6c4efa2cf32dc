#!/usr/bin/env bash
# Builds the Debian package vormelin_<version>_<arch>.deb from a fresh configure, building the game
# alone (not the tests, tools or benchmarks), with Debian's hardening flags, and prints its path.
#   scripts/package.sh [BUILD_FOLDER]      the folder defaults to build-deb/
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-build-deb}

# A fresh configure, so that no option of an earlier configure leaks into the package; the
# object files stay, to keep a second run short.
rm -f "$folder/CMakeCache.txt" "$folder"/*.deb

# dpkg-buildflags gives what Debian builds its packages with (fortified functions, stack
# protector, read-only relocations bound at start); CMake reads CXXFLAGS and LDFLAGS, not CPPFLAGS.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS

# CMAKE_SKIP_INSTALL_ALL_DEPENDENCY: CPack installs without building everything first. The test
# frameworks are kept out of sight, so the package proves that the game builds without them.
cmake -S . -B "$folder" -DCMAKE_BUILD_TYPE=Release -DVORMELIN_WERROR=ON \
    -DCMAKE_INSTALL_PREFIX=/usr -DVORMELIN_INSTALL_GAMESDIR=ON \
    -DBUILD_TESTING=OFF -DVORMELIN_BENCHMARKS=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON --no-warn-unused-cli >/dev/null
cmake --build "$folder" -j "${JOBS:-$(nproc)}" --target vormelin -- --no-print-directory -s
(cd "$folder" && cpack -G DEB >/dev/null)

packages=("$folder"/vormelin_*.deb)
if [[ ! -f ${packages[0]} ]]; then
    echo "package: no package was made in $folder" >&2
    exit 1
fi
echo "${packages[0]}"
