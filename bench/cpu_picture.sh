#!/usr/bin/env bash
# CPU use of the idle panel (auto refresh off) on the in-process simulated
# chain, over SECONDS (default 60) each: once with "Tools" -> "Simulated
# Picture" open (ZAM_SIM_PICTURE=1), once with it closed. The two should be
# within 0.2 % of one core. Needs xvfb-run and xdotool. The count is the
# whole process's (/proc/PID/stat, clock ticks of 10 ms): summing the live
# threads' own counters would lose the time of Qt's pooled drawing threads,
# which end after 30 s idle.
# Usage: bench/cpu_picture.sh [build-dir] [seconds]
set -euo pipefail
build=${1:-build}
secs=${2:-60}
for picture in 1 0; do
  xvfb-run -a -s "-screen 0 2040x1050x24" bash -c "
    ZAM_GAMEPAD=0 ZAM_SIM_PICTURE=$picture '$build/app/zam-panel' --simulate & p=\$!
    sleep 2; xdotool key Return; sleep 3
    tick=\$(getconf CLK_TCK)
    cpu() { sed 's/.*) //' /proc/\$p/stat | awk -v t=\$tick '{printf \"%.0f\", (\$12+\$13)*1e9/t}'; }
    t0=\$(cpu)
    sleep $secs
    t1=\$(cpu)
    echo \"idle panel CPU over $secs s, simulated picture $([ $picture = 1 ] && echo open || echo closed): \$(( (t1-t0) / 1000000 )) ms (\$(awk -v a=\$t0 -v b=\$t1 -v s=$secs 'BEGIN{printf \"%.3f\", (b-a)/1e9/s*100}') % of one core)\"
    kill \$p
  " 2>/dev/null
done
