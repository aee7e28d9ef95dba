#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
# The desktop tools check the installed tree (desktop entry, metadata, file
# types); librsvg2-bin renders the icons (scripts/render-icons.sh).
# Quiet and quick when everything is present.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n libcups2-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  googletest libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth
  poppler-utils
  python3 openssl
  desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl librsvg2-bin
)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
