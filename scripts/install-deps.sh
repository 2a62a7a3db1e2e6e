#!/usr/bin/env bash
# Installs the Debian packages the build, the fonts and the tests need, only when missing.
# Usage: scripts/install-deps.sh [extra-package ...]
set -euo pipefail

packages=(g++ cmake make pkg-config libcairo2-dev libpng-dev zlib1g-dev libfreetype-dev
          libfontconfig1-dev fonts-dejavu-core fonts-liberation2 libboost-math-dev
          nlohmann-json3-dev libssl-dev libcli11-dev "$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi
