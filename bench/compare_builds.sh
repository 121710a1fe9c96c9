#!/bin/sh
# Frame figures of two builds of the game taken one after the other in one run,
# so that both meet the same load: every campaign level and the water grids
# with both renderers, the play screen's whole frame and the main menu's, and
# the physics against the wall clock; with --soak MINUTES also a soak of each.
#
#   bench/compare_builds.sh BEFORE_BUILD AFTER_BUILD OUTPUT_DIR [--soak MINUTES]
#
# Each build directory needs its frame_benchmark (and soak_benchmark) built.
# The outputs land in OUTPUT_DIR/{before,after}-{frames,soak}.txt.
set -eu
before=$(cd "$1" && pwd)
after=$(cd "$2" && pwd)
out=$3
soak_minutes=
if [ "${4:-}" = "--soak" ]; then soak_minutes=$5; fi
mkdir -p "$out"
out=$(cd "$out" && pwd)

xvfb() { xvfb-run -a -s "-screen 0 1920x1080x24" "$@"; }

for side in before after; do
    eval build=\$$side
    echo "load before the $side frames: $(cut -d' ' -f1-3 /proc/loadavg)" | tee "$out/$side-frames.txt"
    (cd "$build" && xvfb ./bench/frame_benchmark --benchmark_min_time=0.5 --benchmark_repetitions=3 \
        --benchmark_report_aggregates_only=true) >>"$out/$side-frames.txt" 2>&1
    echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)" >>"$out/$side-frames.txt"
done

if [ -n "$soak_minutes" ]; then
    for side in before after; do
        eval build=\$$side
        (cd "$build" && xvfb ./bench/soak_benchmark --minutes "$soak_minutes") >"$out/$side-soak.txt" 2>&1
    done
fi
