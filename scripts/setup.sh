#!/usr/bin/env bash
# Installs what the program needs on Debian 12 and builds it into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
# zlib1g-dev: libxlsxwriter links -lz without depending on it; qt6-translations-l10n: the Chinese
# texts of Qt's own dialogs.
PKGS="cmake g++ ninja-build pkg-config qt6-base-dev libgl-dev qt6-charts-dev qt6-translations-l10n \
      libsqlcipher-dev sqlcipher libxlsxwriter-dev zlib1g-dev \
      libgtest-dev libgmock-dev libbenchmark-dev fonts-noto-cjk unzip xdg-utils ccache"
missing=""
for p in $PKGS; do dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"; done
if [ -n "$missing" ]; then
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
