#!/usr/bin/env bash
# Runs inside an X server (see run.sh). Prints one table row per measure.
set -euo pipefail
B="$BUILD"
PLAYER="$B/tavelor"
YARDSTICK="$B/bench/minimal_window"
export QT_QPA_PLATFORM=xcb
home="$(mktemp -d)"; export HOME="$home"; trap 'rm -rf "$home"' EXIT

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

first_paint_ms() { # program yardstick → median milliseconds to first paint of each over 15 runs
  # Taken in turns, so that both see the same moments of a busy machine.
  local a b
  a=$(mktemp); b=$(mktemp)
  for _ in $(seq 15); do
    FIRSTPAINT_KILL=1 "$B/bench/firstpaint" "$1" | awk '{print $3}' >>"$a"
    FIRSTPAINT_KILL=1 "$B/bench/firstpaint" "$2" | awk '{print $3}' >>"$b"
  done
  echo "$(median <"$a") $(median <"$b")"
  rm -f "$a" "$b"
}

peak_kib_after_start() { # program → VmHWM (KiB) two seconds after its first paint
  read -r pid _ _ < <("$B/bench/firstpaint" "$1")
  sleep 2 # the moment the measure is taken at
  awk '/VmHWM/ {print $2}' "/proc/$pid/status"
  kill "$pid"; wait "$pid" 2>/dev/null || true
}

idle_cpu_percent() { # program → % of one core used over IDLE_SECONDS while idle
  read -r pid _ _ < <("$B/bench/firstpaint" "$1")
  sleep 2 # idle as measured: two seconds after the first paint
  t0=$(awk '{print $14+$15}' "/proc/$pid/stat")
  sleep "$IDLE_SECONDS"
  t1=$(awk '{print $14+$15}' "/proc/$pid/stat")
  kill "$pid"; wait "$pid" 2>/dev/null || true
  awk -v d=$((t1 - t0)) -v hz="$(getconf CLK_TCK)" -v s="$IDLE_SECONDS" 'BEGIN {printf "%.3f", 100 * d / hz / s}'
}

player_peak_kib_showing() { # picture file or "" → VmHWM (KiB) of the player with a question naming it on screen
  local dir="$home/QCM/Images" json
  mkdir -p "$dir"
  json="$home/question.json"
  python3 - "$json" "$(basename "${1:-}")" <<'PY'
import json, sys
question = {"QuestionText": "Que montre cette image ?", "Answer1": "Un ciel", "Answer2": "Une mer",
            "AnswerKey": "1", "ValidityRule": "ET"}
if sys.argv[2]:
    question["PictureFile"] = sys.argv[2]
json.dump({"records": [question]}, open(sys.argv[1], "w"))
PY
  [ -n "${1:-}" ] && cp "$1" "$dir/"
  "$B/tools/qcmtool" build "$json" -o "$dir/image.qcm" >/dev/null
  "$PLAYER" "$dir/image.qcm" & local pid=$!
  local window; window=$(xdotool search --sync --onlyvisible --pid "$pid" | head -1)
  sleep 1
  # Return presses the start button; then the picture is decoded and shown.
  xdotool windowfocus --sync "$window" key Return
  sleep 4
  awk '/VmHWM/ {print $2}' "/proc/$pid/status"
  kill "$pid"; wait "$pid" 2>/dev/null || true
  rm -rf "$home/QCM"
}

row() { printf '| %-44s | %12s | %12s | %8s | %-14s |\n' "$@"; }
printf '| %-44s | %12s | %12s | %8s | %-14s |\n' measure player yardstick ratio goal
printf '|%s|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..46})" "$(printf -- '-%.0s' {1..14})" "$(printf -- '-%.0s' {1..14})" "$(printf -- '-%.0s' {1..10})" "$(printf -- '-%.0s' {1..16})"

read -r p y < <(first_paint_ms "$PLAYER" "$YARDSTICK")
row "start-up to first paint (ms, median of 15)" "$p" "$y" "$(awk -v a="$p" -v b="$y" 'BEGIN{printf "%.2f", a/b}')" "<= 1.3"

p=$(peak_kib_after_start "$PLAYER"); y=$(peak_kib_after_start "$YARDSTICK")
row "peak memory after start-up (MiB)" "$(awk -v a="$p" 'BEGIN{printf "%.1f", a/1024}')" \
  "$(awk -v a="$y" 'BEGIN{printf "%.1f", a/1024}')" "+$(awk -v a="$p" -v b="$y" 'BEGIN{printf "%.1f", (a-b)/1024}')" "<= +20 MiB"

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
row "peak memory showing a 7000x7000 JPEG (MiB)" "$(awk -v a="$p" 'BEGIN{printf "%.1f", a/1024}')" \
  "$(awk -v a="$y" 'BEGIN{printf "%.1f", a/1024}')" "+$(awk -v a="$p" -v b="$y" 'BEGIN{printf "%.1f", (a-b)/1024}')" "<= 300 MB"

for bench in next_question window_answers; do
  if [ -x "$B/bench/bench_$bench" ]; then
    "$B/bench/bench_$bench" --table | while IFS='|' read -r name a b ratio goal; do row "$name" "$a" "$b" "$ratio" "$goal"; done
  fi
done
