#!/usr/bin/env bash
# Installs what Tablon needs on Debian, builds it, and then either opens the sample database
# ("run", the default) or runs the whole test suite ("test").
set -euo pipefail
cd "$(dirname "$0")/.."
mode="${1:-run}"

packages=(build-essential cmake ninja-build clang clang-format libgtest-dev libgmock-dev
          libbenchmark-dev qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev xvfb xauth
          imagemagick zlib1g-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=""
    if [ "$(id -u)" != 0 ]; then sudo="sudo"; fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

cmake --preset default
cmake --build --preset default -j"$(nproc)"

if [ "$mode" = test ]; then
    ctest --preset default
    exit 0
fi

db="${TABLON_SAMPLE_DIR:-$HOME/tablon-sample}"
if [ -e "$db/vantor.ct" ]; then
    # A second run opens the set the first one wrote, with whatever was changed in it since.
    echo "The sample database is already in $db: opening it (remove that folder for a new one)."
else
    ./build/tablon-cli sample "$db"
fi
./build/tablon-cli --dir "$db" info
if [ -x build/tablon ]; then
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        exec ./build/tablon "$db"
    else
        echo "No display found: to see the window, run"
        echo "  xvfb-run -a ./build/tablon \"$db\"    (a virtual display; add a screenshot with tools/screenshots.sh)"
        echo "or start ./build/tablon \"$db\" from a desktop session."
    fi
else
    echo "The window is not built yet: above is the summary of the sample database in $db."
fi
