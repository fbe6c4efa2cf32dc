#!/usr/bin/env bash
# Builds the Windows release from Linux with mingw-w64: vormelin.exe (Release, no tests),
# stripped, checked to need no DLL beyond Windows' own, and packed with README.md and LICENSE
# into build-windows-release/vormelin-<version>-windows-x86_64.zip.
#   scripts/package-windows.sh
set -euo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${VORMELIN_RELEASE_BUILD:-$source_dir/build-windows-release}
jobs=${VORMELIN_JOBS:-2}

# The DLLs every Windows 10 has; anything else (libstdc++, libgcc, libwinpthread) would have to
# travel with the game.
system_dlls='^(kernel32|user32|gdi32|gdiplus|shell32|shlwapi|ole32|oleaut32|comctl32|comdlg32|advapi32|winmm|bcrypt|version|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$'

# Prints every DLL the program imports that is not one of Windows' own; fails if there is any.
check_imports() {
    local program=$1 foreign
    foreign=$(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' |
        tr '[:upper:]' '[:lower:]' | grep -Ev "$system_dlls" || true)
    if [[ -n $foreign ]]; then
        echo "package-windows: $program needs DLLs that Windows does not have:" >&2
        echo "$foreign" >&2
        return 1
    fi
}

# The zip holds one folder named after the release, so that unpacking it makes no mess.
pack() {
    local program=$1 name=$2 stage
    stage=$(mktemp -d)
    mkdir "$stage/$name"
    cp "$program" "$source_dir/README.md" "$source_dir/LICENSE" "$stage/$name/"
    rm -f "$build_dir/$name.zip"
    local status=0
    (cd "$stage" && cmake -E tar cf "$build_dir/$name.zip" --format=zip "$name") || status=$?
    rm -rf "$stage"
    return $status
}

main() {
    cmake -S "$source_dir" -B "$build_dir" \
        -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/toolchains/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
    cmake --build "$build_dir" -j"$jobs" --target vormelin
    local program=$build_dir/app/vormelin.exe name
    x86_64-w64-mingw32-strip "$program"
    check_imports "$program"
    name=$(cat "$build_dir/release-name.txt")
    pack "$program" "$name"
    echo "$build_dir/$name.zip"
}

# Sourced by its test for the functions alone.
if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    main "$@"
fi
