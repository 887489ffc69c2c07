#!/usr/bin/env bash
# Installs what building and testing zam-panel needs on a Debian machine
# (as root, or through sudo). Packages already present are left alone.
set -euo pipefail

packages=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-websockets-dev libgl-dev
          qt6-qpa-plugins xvfb xauth libxcb1-dev clang-format ccache
          dpkg-dev appstream desktop-file-utils man-db bash-completion file
          libsdl2-dev liblo-dev python3 clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
