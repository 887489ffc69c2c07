#!/usr/bin/env bash
# Sets up, builds and starts the panel with the built-in simulated cameras
# preselected in the port settings window. Extra arguments go to the panel.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target zam-panel zam-camsim
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # No display: the panel draws into Qt's VNC platform plugin instead, and
  # any VNC viewer shows it. ZAM_VNC_PORT chooses the port (default 5900).
  port="${ZAM_VNC_PORT:-5900}"
  echo "No display found: serving the panel over VNC on port ${port}."
  echo "Connect a VNC viewer to localhost:${port} (for example: vncviewer localhost::${port})."
  echo "From another machine, tunnel it: ssh -L ${port}:localhost:${port} THIS-HOST"
  echo "Qt's VNC server answers on every interface of this machine; keep the port firewalled."
  exec env QT_QPA_PLATFORM="vnc:size=1600x1000:port=${port}" build/app/zam-panel --simulate "$@"
fi
exec build/app/zam-panel --simulate "$@"
