#!/usr/bin/env bash
# Installs the Debian 12 packages the project builds, tests and runs with. Safe to run again:
# packages already present are left alone and apt is not touched at all.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    libsqlite3-dev sqlite3
    libpq-dev postgresql-15
    libgtest-dev libgmock-dev libbenchmark-dev
    libcli11-dev libfmt-dev libutfcpp-dev nlohmann-json3-dev
    qt6-base-dev libgl-dev fonts-dejavu-core fonts-wine
    clang-format clang-14 libclang-rt-14-dev ccache
    xvfb xdotool at-spi2-core dbus-x11 python3-pyatspi python3-jsonschema
    help2man lintian dpkg-dev fakeroot
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
