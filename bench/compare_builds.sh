#!/bin/sh
# Frame figures of two builds of the game in one run: the two frame_benchmark
# binaries take turns, round after round, so that both meet the same load, and
# the best of the rounds is reported side by side. It covers every campaign
# level and the water grids with both renderers, the play screen's whole frame,
# the main menu's, and the physics against the wall clock.
#
#   bench/compare_builds.sh BEFORE_BUILD AFTER_BUILD OUTPUT_DIR [ROUNDS] [FILTER] [MIN_TIME]
#
# FILTER is a benchmark filter; by default the renderers' frames and the main
# menu's (the physics against the wall clock takes half a minute a build).
# MIN_TIME, in seconds, is how long each benchmark runs at the least (0.3 by
# default; the play screen's whole frames settle with 2).
#
# Each build directory needs its frame_benchmark built. The rounds' JSON lands
# in OUTPUT_DIR; the table is printed and kept in OUTPUT_DIR/table.md.
set -eu
before=$(cd "$1" && pwd)
after=$(cd "$2" && pwd)
mkdir -p "$3"
out=$(cd "$3" && pwd)
rounds=${4:-5}
filter=${5:-run_campaign_level|shader_renderer|editor_renderer|main_menu_frame}
min_time=${6:-0.3}
here=$(cd "$(dirname "$0")" && pwd)

round=1
while [ "$round" -le "$rounds" ]; do
    for side in before after; do
        eval build=\$$side
        echo "round $round, $side, load $(cut -d' ' -f1-3 /proc/loadavg)" >&2
        (cd "$build" && xvfb-run -a -s "-screen 0 1920x1080x24" ./bench/frame_benchmark \
            --benchmark_filter="$filter" --benchmark_min_time=$min_time \
            --benchmark_out="$out/$side-$round.json" --benchmark_out_format=json) >/dev/null 2>&1
    done
    round=$((round + 1))
done
python3 "$here/compare_builds.py" "$out" | tee "$out/table.md"
