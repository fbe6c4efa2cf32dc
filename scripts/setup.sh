#!/usr/bin/env bash
# Installs the Debian packages the project needs (only those missing), then configures and builds.
#   scripts/setup.sh            what testing needs: the test tools too, the normal build (build/),
#                               the sanitizer build (build-asan/) and the game built for Windows
#                               (build-windows/), everything in them
#   scripts/setup.sh --game     what playing needs: the game's own packages, and the game's
#                               executable alone in build-game/, without tests or benchmarks
set -euo pipefail
game_only=false
[[ ${1:-} == --game ]] && game_only=true
cd "$(dirname "$0")/.."

# Building and running the game.
game_packages=(
    cmake g++ make pkg-config
    qt6-base-dev libxcb-xfixes0-dev libxcb-shm0-dev libfluidsynth-dev libpulse-dev timgm6mb-soundfont
    fonts-liberation2
)
# Building and running the tests and benchmarks: virtual displays, window managers, a sound
# server, and the tools that drive and read them.
test_packages=(
    python3 libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xdotool x11-utils x11-apps x11-xserver-utils openbox xcompmgr imagemagick
    pulseaudio pulseaudio-utils trayer
    desktop-file-utils appstream lintian dpkg-dev file man-db
    g++-mingw-w64-x86-64-posix googletest wine64
)
packages=("${game_packages[@]}")
if ! $game_only; then
    packages+=("${test_packages[@]}")
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    sudo=()
    if ((EUID != 0)); then sudo=(sudo); fi
    echo "setup: installing ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi

jobs=$(nproc)
configure() {
    local dir=$1
    shift
    if [[ ! -f $dir/CMakeCache.txt ]]; then
        cmake -S . -B "$dir" -DVORMELIN_WERROR=ON "$@" >/dev/null
    fi
}

if $game_only; then
    configure build-game -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
    cmake --build build-game --target vormelin -j "$jobs" -- --no-print-directory -s
    exit 0
fi
configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs" -- --no-print-directory -s
configure build-asan -DCMAKE_BUILD_TYPE=Debug -DVORMELIN_SANITIZE=ON -DVORMELIN_BENCHMARKS=OFF
cmake --build build-asan -j "$jobs" -- --no-print-directory -s
# The game built for Windows, its tests run under Wine; its end-to-end tests compare it with the
# Linux build's game.
configure build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DVORMELIN_LINUX_GAME="$PWD/build/app/vormelin"
cmake --build build-windows -j "$jobs" -- --no-print-directory -s
