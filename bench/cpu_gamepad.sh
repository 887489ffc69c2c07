#!/usr/bin/env bash
# CPU use of the idle panel (auto refresh off) against zam-camsim on a
# pseudo-terminal, over SECONDS (default 60) each: once with the hand
# controllers on and no controller attached, once with them left out
# (ZAM_GAMEPAD=0). The two should be within 0.2 % of one core.
# Needs xvfb-run and xdotool.
# Usage: bench/cpu_gamepad.sh [build-dir] [seconds]
set -euo pipefail
build=${1:-build}
secs=${2:-60}
out=$(mktemp)
"$build/sim/zam-camsim" --baud 38400 > "$out" &
sim=$!
trap 'kill $sim 2>/dev/null; rm -f "$out"' EXIT
sleep 0.5
dev=$(head -1 "$out")
for gamepad in 1 0; do
  xvfb-run -a -s "-screen 0 1680x1050x24" bash -c "
    ZAM_GAMEPAD=$gamepad '$build/app/zam-panel' --port '$dev' --baud 38400 & p=\$!
    sleep 2; xdotool key Return; sleep 3
    t0=\$(awk '{print \$14+\$15}' /proc/\$p/stat)
    sleep $secs
    t1=\$(awk '{print \$14+\$15}' /proc/\$p/stat)
    hz=\$(getconf CLK_TCK)
    echo \"idle panel CPU over $secs s, hand controllers $([ $gamepad = 1 ] && echo on || echo off): \$(( (t1-t0) * 1000 / hz )) ms (\$(awk -v a=\$t0 -v b=\$t1 -v h=\$hz -v s=$secs 'BEGIN{printf \"%.2f\", (b-a)/h/s*100}') % of one core)\"
    kill \$p
  "
done
