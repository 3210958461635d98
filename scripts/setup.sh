#!/usr/bin/env bash
# Installs what varer needs from Debian 12 packages and builds it into build/.
# Safe to run again: installs only what is missing, builds incrementally.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake g++ make pkg-config
  qt6-base-dev libqt6sql6-ibase qt6-translations-l10n libgl-dev
  firebird-dev libfbclient2 firebird3.0-server-core firebird3.0-utils
  libxlsxwriter-dev fonts-nanum poppler-utils xdg-utils
)
if [ "${VARER_WITH_SERVER:-0}" = 1 ]; then
  packages+=(firebird3.0-server)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  echo "installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
