#!/usr/bin/env bash
# Sets up, builds and starts Trelvane.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target trelvane
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Trelvane under Xvfb (no window will be visible)." >&2
  exec xvfb-run -a -s "-screen 0 1280x1024x24" build/src/trelvane "$@"
fi
exec build/src/trelvane "$@"
