#!/usr/bin/env bash
# Runs inside an X server (see run.sh). Measures each of the player's speed
# mechanisms with and without it, in the same build (TAVELOR_WITHOUT turns
# one off), and prints one table row per mechanism and measure.
set -euo pipefail
source "$(dirname "$0")/measures.sh"

mrow() { printf '| %-22s | %-40s | %10s | %10s | %8s |\n' "$@"; }
mrow mechanism measure with without gain
printf '|%s|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..24})" "$(printf -- '-%.0s' {1..42})" "$(printf -- '-%.0s' {1..12})" "$(printf -- '-%.0s' {1..12})" "$(printf -- '-%.0s' {1..10})"
gain() { awk -v w="$1" -v wo="$2" 'BEGIN{printf "%+.1f", wo-w}'; }

# "none" turns nothing off: its gain is the noise of the measure.
for m in none font-warm-up stored-pixels opaque-first-showing main-window-first; do
  read -r with without < <(first_paint_ms "env TAVELOR_WITHOUT= $PLAYER" "env TAVELOR_WITHOUT=$m $PLAYER")
  mrow "$m" "start-up to first paint (ms, median of 15)" "$with" "$without" "$(gain "$with" "$without")"
done

with=$(peak_kib_after_start "$PLAYER"); without=$(TAVELOR_WITHOUT=stored-pixels peak_kib_after_start "$PLAYER")
mrow stored-pixels "peak memory after start-up (MiB)" "$(mib "$with")" "$(mib "$without")" \
  "$(gain "$(mib "$with")" "$(mib "$without")")"

photo_ms() { "$B/bench/bench_question_picture" --table | awk -F'|' '{print $2}'; }
next_ms() { "$B/bench/bench_next_question" --table | awk -F'|' '{print $2}'; }
longest_wait_ms() { "$B/bench/bench_window_answers" --table | awk -F'|' '$2 > m {m = $2} END {print m}'; }

with=$(photo_ms); without=$(TAVELOR_WITHOUT=spare-pixels photo_ms)
mrow spare-pixels "24 Mpx photograph shown (ms, median of 7)" "$with" "$without" "$(gain "$with" "$without")"

with=$(next_ms)
for m in none spare-pixels own-decode-pool prefetch prefetch-delay; do
  without=$(TAVELOR_WITHOUT=$m next_ms)
  mrow "$m" "\"Suivant\", 24 Mpx JPEG ready (ms, med. 15)" "$with" "$without" "$(gain "$with" "$without")"
done

with=$(longest_wait_ms); without=$(TAVELOR_WITHOUT=own-decode-pool longest_wait_ms)
mrow own-decode-pool "longest wait while decoding, worst file (ms)" "$with" "$without" "$(gain "$with" "$without")"

jpeg=fuzz/corpus/jpeg/flat-7000-progressive.jpg
with=$(player_peak_kib_showing "$jpeg"); without=$(TAVELOR_WITHOUT=spare-pixels player_peak_kib_showing "$jpeg")
mrow spare-pixels "peak memory showing a 7000x7000 JPEG (MiB)" "$(mib "$with")" "$(mib "$without")" \
  "$(gain "$(mib "$with")" "$(mib "$without")")"
