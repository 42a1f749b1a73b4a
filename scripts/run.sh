#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine (missing packages through apt-get), builds
# the terminal and starts it. Its working directory (system.ini, logs,
# call.wav) is build/run unless VP_WORKDIR names another folder.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVP_BUILD_TESTS=OFF >/dev/null
cmake --build build -j "$(nproc)"

workdir=${VP_WORKDIR:-$root/build/run}
mkdir -p "$workdir"
cd "$workdir"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "no display found: the window runs offscreen (use --control to drive it)" >&2
  export QT_QPA_PLATFORM=offscreen
fi
exec "$root/build/videophone" "$@"
