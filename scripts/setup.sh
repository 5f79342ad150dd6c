#!/usr/bin/env bash
# Installs the Debian packages Trelvane needs to build, test and run.
# Idempotent: does nothing when every package is already installed.
set -euo pipefail
# libginac-dev, libmuparser-dev: the references the symbolic-derivative and the formula
# benchmarks are timed beside. xvfb, xauth, util-linux (mcookie, setpriv): the X server
# each window test starts for itself (tests/support/own_x_server.sh).
PACKAGES=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev libqt6opengl6-dev
          libglu1-mesa-dev libgl1-mesa-dri libeigen3-dev xvfb xauth util-linux fonts-dejavu-core fonts-liberation
          fonts-wqy-microhei qt6-svg-dev libginac-dev libmuparser-dev)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
