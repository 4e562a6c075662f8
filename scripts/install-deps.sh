#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and only those
# that are missing. Uses sudo only when not already root.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev
  libjpeg62-turbo-dev libgumbo-dev
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-svg-dev qt6-pdf-dev libgl-dev
  xvfb xauth fonts-dejavu-core
  chromium tidy
  dpkg-dev lintian appstream desktop-file-utils
)
# Node.js may come from Debian or from another apt source; either serves.
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
