# Shared by tools/run.sh and tools/test.sh: installs what is missing and
# configures and builds Quillon into build/. Source it; do not run it.

set -euo pipefail

QUILLON_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QUILLON_BUILD=${QUILLON_BUILD:-$QUILLON_ROOT/build}

# Runs a command as root: directly when we are root, through sudo otherwise.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the Debian or Ubuntu packages given that are not installed yet.
install_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What building and starting the window needs.
QUILLON_BUILD_PACKAGES=(g++ cmake ninja-build qt6-base-dev libgl-dev libcups2-dev fonts-noto-cjk)
# And what quillon-cli, its manual page and the packages need.
QUILLON_CLI_PACKAGES=(libcli11-dev nlohmann-json3-dev zlib1g-dev help2man dpkg-dev)
# And what the web edition needs (tools/web.sh).
QUILLON_WEB_PACKAGES=(emscripten nodejs cmake ninja-build)

# Configures (once) and builds; extra arguments go to the configure step.
configure_and_build() {
    cmake -S "$QUILLON_ROOT" -B "$QUILLON_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$QUILLON_BUILD"
}
