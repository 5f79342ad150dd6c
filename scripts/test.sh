#!/usr/bin/env bash
# Sets up, builds and runs every test; exits non-zero when any fails.
#  1. the full build with every test, each window test under an Xvfb of its own
#     (benchmarks are built, not run);
#  2. the Qt-free logic again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
JOBS=$(nproc)
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$JOBS"
# Every window test process starts an Xvfb of its own (tests/support/own_x_server.sh):
# ctest needs no display. Each test runs once; any failure fails the run.
(cd build && ctest --output-on-failure -j "$JOBS" --timeout 600)

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRELVANE_LOGIC_ONLY=ON \
      -DTRELVANE_SANITIZE=ON -DTRELVANE_BENCH=OFF >/dev/null
cmake --build build-sanitize -j "$JOBS"
(cd build-sanitize && ctest --output-on-failure -j "$JOBS" -L sanitize --timeout 900 --no-tests=ignore)
