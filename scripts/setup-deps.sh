#!/usr/bin/env bash
# Installs every build and test dependency on Debian; quiet and quick when all is there.
# With --list it only prints the packages, one a line.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev llvm
  libgtest-dev
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libqt6printsupport6 libgl-dev
  libjpeg-dev libpng-dev zlib1g-dev
  xvfb xauth fonts-dejavu-core
  locales
)

if [ "${1:-}" = "--list" ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Tests prove that numbers in files ignore the user's locale: they need a German one.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  $SUDO sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
