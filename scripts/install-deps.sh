#!/usr/bin/env bash
# Installs the Debian packages KALVIRA needs to build, run, test and package, when they are
# missing. KALVIRA_NO_DEPS=1 skips this, for those who manage their packages themselves.
set -euo pipefail

if [ "${KALVIRA_NO_DEPS:-0}" = 1 ]; then
    echo "KALVIRA_NO_DEPS=1: not checking or installing packages."
    exit 0
fi

packages=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-serialport-dev libqt6svg6 libgl-dev libfftw3-dev
    qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools  # Qt's LinguistTools: lupdate, lrelease
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    clang-format
    xvfb xauth imagemagick xdotool fonts-dejavu-core fonts-dejavu-extra
    desktop-file-utils appstream dpkg-dev file
    python3-pyvisa python3-pyvisa-py  # the remote control's tests drive it as a lab script would
    libsigrokdecode-dev sigrok-cli sox  # decoders; .sr and .wav read back by the field's tools
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null || ! sudo -v; then
        echo "Missing packages: ${missing[*]}" >&2
        echo "Installing them needs root or a working sudo. Install them yourself, then run" >&2
        echo "again with KALVIRA_NO_DEPS=1 to skip this check." >&2
        exit 1
    fi
    as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
