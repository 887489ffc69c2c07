#!/usr/bin/env bash
# Sets up, builds and starts the panel with the built-in simulated cameras
# preselected in the port settings window. Extra arguments go to the panel.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target zam-panel zam-camsim
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the panel under a virtual X server (xvfb-run)."
  exec xvfb-run -a build/app/zam-panel --simulate "$@"
fi
exec build/app/zam-panel --simulate "$@"
