#!/usr/bin/env bash
# Installs everything the program and its tests need on a Debian 12 machine.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6opengl6-dev libgl-dev
  qt6-translations-l10n qt6-qpa-plugins qt6-image-formats-plugins
  libsqlite3-dev sqlite3 zlib1g-dev libfreexl-dev libminizip-dev libxlsxwriter-dev libssl-dev
  fonts-noto-cjk fonts-wqy-zenhei locales xvfb xauth
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
# The widget tests and the program run with a Chinese locale.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
  $SUDO sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
