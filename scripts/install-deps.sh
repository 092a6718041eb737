#!/usr/bin/env bash
# Installs the Debian packages that building, testing and the demo need; skips what is there.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libfltk1.3-dev fluid libjpeg-dev libarchive-dev
  libgtest-dev libgmock-dev
  xvfb xauth xdotool x11-utils imagemagick fonts-nanum
  python3 python3-pyftpdlib curl zip unzip libarchive-tools time
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
