# Functions shared by measure.sh and mechanisms.sh; sourced, inside an X
# server (see run.sh), with BUILD set.
B="$BUILD"
PLAYER="$B/tavelor"
YARDSTICK="$B/bench/minimal_window"
export QT_QPA_PLATFORM=xcb
home="$(mktemp -d)"; export HOME="$home"; trap 'rm -rf "$home"' EXIT

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

first_paint_ms() { # command command → median milliseconds to first paint of each over 15 runs
  # Taken in turns, so that both see the same moments of a busy machine.
  # Each command is split at blanks.
  local a b
  a=$(mktemp); b=$(mktemp)
  for _ in $(seq 15); do
    # shellcheck disable=SC2086
    FIRSTPAINT_KILL=1 "$B/bench/firstpaint" $1 | awk '{print $3}' >>"$a"
    # shellcheck disable=SC2086
    FIRSTPAINT_KILL=1 "$B/bench/firstpaint" $2 | awk '{print $3}' >>"$b"
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
mib() { awk -v a="$1" 'BEGIN{printf "%.1f", a/1024}'; }
