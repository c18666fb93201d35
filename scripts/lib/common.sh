# shellcheck shell=bash
# Shared by the project's scripts: the Debian packages Lexorant needs, installed when missing, and the build.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Everything to build, run and test the program on a fresh Debian 12.
PACKAGES=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-qpa-plugins libgl-dev libsqlite3-dev mdbtools-dev libseccomp-dev libxcb1-dev libxcb-shape0-dev libxcb-damage0-dev libfontconfig-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format clang-tidy
    xvfb xauth x11-utils xdotool xclip imagemagick openbox sqlite3
    dbus at-spi2-core python3-pyatspi gir1.2-atspi-2.0
    desktop-file-utils appstream dpkg-dev shellcheck
    wordnet-base wamerican-huge wbritish-huge libaiksaurus-1.2-data fonts-liberation2 fonts-dejavu-core
    aspell aspell-en hunspell hunspell-en-us
    libespeak-ng-dev espeak-ng qt6-speech-dev qt6-declarative-dev qt6-speech-speechd-plugin speech-dispatcher
)

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

# install_missing_packages [PACKAGE...]: the project's packages, and the given ones, that are not yet installed.
# shellcheck disable=SC2120 # the extra packages are optional
install_missing_packages() {
    local missing=()
    local p
    for p in "${PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "== Installing Debian packages: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# build PRESET [TARGET...]: configure (once) and build a preset.
build() {
    local preset=$1
    shift
    cd "$ROOT" || return 1
    # Configured once, and again when the presets have changed since (the build itself follows CMakeLists.txt).
    [ "build/$preset/CMakeCache.txt" -nt CMakePresets.json ] || cmake --preset "$preset" >/dev/null
    local targets=()
    local t
    for t in "$@"; do targets+=(--target "$t"); done
    cmake --build --preset "$preset" -j "$(nproc)" "${targets[@]}"
}
