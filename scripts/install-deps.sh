#!/usr/bin/env bash
# Installs, through apt-get, whatever the build, the terminal and the tests
# need and this machine does not have yet. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git ccache
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
  libx264-dev libavcodec-dev libavformat-dev libavdevice-dev libavfilter-dev
  libswscale-dev libavutil-dev
  libasound2-dev libasound2-plugins alsa-utils
  libsqlite3-dev libsimpleini-dev
  fonts-wqy-microhei
  googletest libgtest-dev libgmock-dev libbenchmark-dev libyuv-dev
  clang libclang-rt-14-dev clang-format
  xvfb xauth x11-utils imagemagick openbox ffmpeg sox iproute2 tshark python3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# tshark asks whether non-root users may capture; the default answer is fine.
echo "wireshark-common wireshark-common/install-setuid boolean false" | "${sudo_cmd[@]}" debconf-set-selections 2>/dev/null || true
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
