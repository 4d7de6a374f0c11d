#!/usr/bin/env bash
# Installs the Debian packages the project needs; does nothing for packages already present.
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev fonts-liberation
  portaudio19-dev librtmidi-dev libasound2-dev libjack-jackd2-dev jackd2
  clang libclang-rt-dev midicsv
  libhwy-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
