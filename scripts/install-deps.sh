#!/usr/bin/env bash
# Installs the Debian packages the build, the content generator and the tests need.
# Idempotent: when every package is already installed it returns at once.
set -euo pipefail

PACKAGES=(
  # build
  build-essential cmake pkg-config
  libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev
  libtinyxml-dev libutfcpp-dev libgl-dev libglu1-mesa-dev
  libgtest-dev libgmock-dev
  # headless runs
  xvfb xauth xdotool
  # content generator
  python3 python3-pil imagemagick sox libsox-fmt-all vorbis-tools fonts-dejavu-core
  # fuzzing
  clang libclang-rt-14-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
