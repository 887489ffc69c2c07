#!/usr/bin/env bash
# CPU use of the panel process with auto refresh running against zam-camsim
# on a pseudo-terminal (real serial path), over SECONDS (default 60).
# With "monitor" as the third argument the traffic monitor is open beside the
# main window all the while (ZAM_TRAFFIC_MONITOR=1), on a wider screen so that
# it is painted without covering the main window.
# Needs xvfb-run and xdotool.
# Usage: bench/cpu_autorefresh.sh [build-dir] [seconds] [monitor]
set -euo pipefail
build=${1:-build}
secs=${2:-60}
monitor=${3:-}
screen='1680x1050x24'
env_monitor=
if [ "$monitor" = monitor ]; then
  screen='2600x1050x24'
  env_monitor='ZAM_TRAFFIC_MONITOR=1'
elif [ -n "$monitor" ]; then
  echo "usage: $0 [build-dir] [seconds] [monitor]" >&2
  exit 2
fi
out=$(mktemp)
"$build/sim/zam-camsim" --baud 38400 > "$out" &
sim=$!
trap 'kill $sim 2>/dev/null; rm -f "$out"' EXIT
sleep 0.5
dev=$(head -1 "$out")
xvfb-run -a -s "-screen 0 $screen" bash -c "
  env $env_monitor '$build/app/zam-panel' --port '$dev' --baud 38400 & p=\$!
  sleep 2; xdotool key Return; sleep 3
  W=\$(xdotool search --name 'ZAM- A to D' | head -1)
  if [ -n '$env_monitor' ]; then
    M=\$(xdotool search --name '^Traffic Monitor\$' | head -1)
    [ -n \"\$M\" ] || { echo 'the traffic monitor did not open' >&2; kill \$p; exit 1; }
    # Beside the main window, fully on screen.
    xdotool windowmove \$M 1690 0
  fi
  xdotool windowactivate --sync \$W 2>/dev/null || true
  # The AutoRefreshed button, where the window lays it out at this screen size.
  xdotool mousemove 1103 605 click 1; sleep 1
  t0=\$(awk '{print \$14+\$15}' /proc/\$p/stat)
  sleep $secs
  t1=\$(awk '{print \$14+\$15}' /proc/\$p/stat)
  hz=\$(getconf CLK_TCK)
  echo \"panel CPU over $secs s of auto refresh${monitor:+ with the traffic monitor open}: \$(( (t1-t0) * 1000 / hz )) ms (\$(awk -v a=\$t0 -v b=\$t1 -v h=\$hz -v s=$secs 'BEGIN{printf \"%.2f\", (b-a)/h/s*100}') % of one core)\"
  kill \$p
"
echo "status reads the cameras answered: $(grep -c '^81 09 7E 7E 00 FF' "$out")"
