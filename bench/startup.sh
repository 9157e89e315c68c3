#!/usr/bin/env bash
# Start-up benchmark: time from process start until the first window is mapped and
# until it is first painted, and resident memory (VmRSS, PSS) 2 seconds later, for the
# program and for a bare Qt baseline, run alternately on a private X server. Builds nothing: build first
# (bash scripts/test.sh, or cmake --build build).
# Usage: bench/startup.sh [BUILD_DIR] [RUNS]   (defaults: build, 9)
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${2:-9}
for f in app/velkaro bench/baseline bench/mapwait; do
    [ -x "$build/$f" ] || { echo "missing $build/$f: build first" >&2; exit 1; }
done
if [ -z "${STARTUP_BENCH_INNER:-}" ]; then
    export STARTUP_BENCH_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x800x24 -noreset" "$0" "$build" "$runs"
fi

measure() { # program [args] -> "map_us rss_kB pss_kB paint_us"
    local out pid us paint rss pss
    out=$("$build/bench/mapwait" "$@")
    read -r us paint pid <<< "$out"
    sleep 2
    rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")
    pss=$(awk '/^Pss:/ {print $2}' "/proc/$pid/smaps_rollup")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$us $rss $pss $paint"
}
median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

measure "$build/app/velkaro" > /dev/null # warm-up: caches, fonts
measure "$build/bench/baseline" > /dev/null
prog=$(mktemp)
base=$(mktemp)
font=$(mktemp)
for ((i = 0; i < runs; i++)); do
    measure "$build/app/velkaro" >> "$prog"
    measure "$build/bench/baseline" >> "$base"
    measure "$build/bench/baseline" --measure-font >> "$font"
done

col() { awk -v c="$2" '{print $c}' "$1" | median; }
pt=$(col "$prog" 1); bt=$(col "$base" 1)
pr=$(col "$prog" 2); br=$(col "$base" 2)
pp=$(col "$prog" 3); bp=$(col "$base" 3)
ft=$(col "$font" 1)
pf=$(col "$prog" 4); bf=$(col "$base" 4)
rm -f "$prog" "$base" "$font"
printf 'runs: %d each, medians\n' "$runs"
printf '%-10s %14s %14s %12s %12s\n' "" "to window ms" "to paint ms" "VmRSS MB" "PSS MB"
awk -v t="$pt" -v f="$pf" -v r="$pr" -v p="$pp" 'BEGIN {printf "%-10s %14.1f %14.1f %12.1f %12.1f\n", "program", t / 1000, f / 1000, r / 1024, p / 1024}'
awk -v t="$bt" -v f="$bf" -v r="$br" -v p="$bp" 'BEGIN {printf "%-10s %14.1f %14.1f %12.1f %12.1f\n", "baseline", t / 1000, f / 1000, r / 1024, p / 1024}'
awk -v t="$ft" 'BEGIN {printf "%-10s %14.1f   (the baseline measuring its font before it shows)\n", "baseline+f", t / 1000}'
awk -v a="$pt" -v b="$bt" -v f="$ft" -v c="$pf" -v d="$bf" -v p="$pp" -v q="$bp" -v r="$pr" -v s="$br" \
    'BEGIN {printf "program / baseline: window %.2f x (%.2f x baseline+f), paint %.2f x, PSS %+.1f MB, VmRSS %+.1f MB\n", a / b, a / f, c / d, (p - q) / 1024, (r - s) / 1024}'
