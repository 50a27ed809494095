#!/usr/bin/env bash
# Runs inside an X server (see run.sh). Prints one table row per measure.
set -euo pipefail
source "$(dirname "$0")/measures.sh"

printf '| %-44s | %12s | %12s | %8s | %-14s |\n' measure player yardstick ratio goal
printf '|%s|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..46})" "$(printf -- '-%.0s' {1..14})" "$(printf -- '-%.0s' {1..14})" "$(printf -- '-%.0s' {1..10})" "$(printf -- '-%.0s' {1..16})"

read -r p y < <(first_paint_ms "$PLAYER" "$YARDSTICK")
row "start-up to first paint (ms, median of 15)" "$p" "$y" "$(awk -v a="$p" -v b="$y" 'BEGIN{printf "%.2f", a/b}')" "<= 1.5"

p=$(peak_kib_after_start "$PLAYER"); y=$(peak_kib_after_start "$YARDSTICK")
row "peak memory after start-up (MiB)" "$(mib "$p")" "$(mib "$y")" "+$(mib $((p - y)))" "<= +20 MiB"

p=$(idle_cpu_percent "$PLAYER"); y=$(idle_cpu_percent "$YARDSTICK")
row "idle processor over ${IDLE_SECONDS} s (% of a core)" "$p" "$y" "-" "< 0.2 %"

if [ -x "$B/bench/bench_question_picture" ]; then
  "$B/bench/bench_question_picture" --table | while IFS='|' read -r name a b ratio goal; do row "$name" "$a" "$b" "$ratio" "$goal"; done
fi
if [ -x "$B/bench/bench_shape_window" ]; then
  # CSV columns: name, iterations, real_time, cpu_time, time_unit, ...
  "$B/bench/bench_shape_window" --benchmark_format=csv 2>/dev/null |
    awk -F, 'NR>1 {gsub(/"/,"",$1); t=$4; u=$5; if (u=="ns") t/=1e6; else if (u=="us") t/=1e3; else if (u=="s") t*=1e3; printf "%s %.3f\n", $1, t}' |
    while read -r name ms; do row "shape: $name (ms)" "$ms" "" "" "no slower"; done
fi

p=$(player_peak_kib_showing fuzz/corpus/jpeg/flat-7000-progressive.jpg); y=$(player_peak_kib_showing "")
row "peak memory showing a 7000x7000 JPEG (MiB)" "$(mib "$p")" "$(mib "$y")" "+$(mib $((p - y)))" "<= 300 MB"

# What "Suivant" with a photograph pays on this machine for reading the new
# picture's rows, written by the decoder a second before.
row "machine: 345 pages read after 1 s idle (ms)" "$("$B/bench/idle_memory")" "" "" "-"

for bench in next_question window_answers; do
  if [ -x "$B/bench/bench_$bench" ]; then
    "$B/bench/bench_$bench" --table | while IFS='|' read -r name a b ratio goal; do row "$name" "$a" "$b" "$ratio" "$goal"; done
  fi
done
