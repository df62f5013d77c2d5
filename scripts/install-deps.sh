#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
# Usage: scripts/install-deps.sh [extra-package...]
set -euo pipefail

packages=(
  cmake g++ ninja-build pkgconf clang-format ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libqt6svg6 adwaita-icon-theme
  libgtest-dev
  libglib2.0-dev libglib2.0-bin gvfs dbus-daemon python3-gi
  fuse3 libfuse3-dev
  python3 python3-dbfread python3-dbf
  fonts-dejavu-core xvfb xauth
  scdoc librsvg2-bin desktop-file-utils appstream man-db groff-base
  dpkg-dev file fakeroot lintian
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
