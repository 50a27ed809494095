#!/usr/bin/env bash
# Runs inside one X server and one D-Bus session (see read_aloud.sh): the same
# quiz from the keyboard, once in silence, then read aloud.
set -euo pipefail
tavelor="$1"; quiz="$2"; shots="$3"; here="$4"
source "$here/xdriver.sh"
keep_failure_screenshot "$shots"
key() { xdotool key --clearmodifiers "$@"; }
clock() { echo $(($(date +%s%N) / 1000000)); } # milliseconds
socket="$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock"
log="$SPEECH/speech-dispatcher.log"

# Only voice counts: sox drops the start until 0.05 s of sound above 1 % of
# full scale, then every pause of a tenth of a second or more below it. The
# length left is the time spent speaking, whatever silence pads the readings.
speech_seconds() { # → seconds of voice in all the server played
  local played=("$SPEECH"/played.raw*)
  [ -e "${played[0]}" ] || { echo 0; return; }
  cat "${played[@]}" | sox -t raw -r 22050 -e signed -b 16 -c 1 - -n silence 1 0.05 1% -1 0.1 1% stat 2>&1 |
    awk '/^Length/ {s = $3} END {print s + 0}'
}
heard() { # seconds → whether the server played at least that much voice
  awk -v s="$(speech_seconds)" -v least="$1" 'BEGIN {exit !(s >= least)}'
}

# The pupil does not wait for the voice, and neither may the player: each step
# shows within 10 s even on a loaded machine, where it takes a tenth.
keeps_up() { # description command... → runs the command every tenth of a second until it succeeds, 10 s at most
  for _ in $(seq 100); do
    "${@:2}" && return 0
    sleep 0.1
  done
  echo "$1: still not so after 10 s" >&2; return 1
}

start() { # reading aloud wanted (true or false) → player, main, wx, wy
  printf '[Lecture]\nVoixHaute=%s\n' "$1" > "$XDG_CONFIG_HOME/Tavelor/Tavelor.conf"
  "$tavelor" "$quiz" > "$shots/player-$1.log" 2>&1 &
  player=$!
  main=$(wait_window '^FormQCM$') || { report_player "$shots/player-$1.log"; return 1; }
  read -r wx wy < <(window_origin "$main")
  xdotool mousemove 1020 760
  wait_until "the player takes the keyboard" has_focus "$main"
}

correction_shows() { # → sets popup
  popup=$(xdotool search --onlyvisible --name '^Correction$' 2>/dev/null | tail -n 1 || true)
  [ -n "$popup" ]
}

answer() { # digits to tick → the correction shown and closed, the next question asked for
  for digit in "$@"; do key "$digit"; done
  key Return
  keeps_up "the correction shows" correction_shows
  keeps_up "the correction takes the keyboard" has_focus "$popup"
  key Return
  keeps_up "the correction leaves" is_gone "$popup"
  keeps_up "the player takes the keyboard back" has_focus "$main"
  key Return
}

review() { # shots name → the review of the three answers (one wrong)
  key Return # Bilan
  expect_region "$shots/review-$1.png" $((wx + 24)) $((wy + 128)) 297 345 "$here/../data/e2e/review_panel.png"
}

echo "== in silence"
start false
key Return # Commencer
started=$(clock)
answer 1
answer 2
answer KP_3
review silent
silent_ms=$(($(clock) - started))
key ctrl+q
wait_exit "$player"
# The voice is made only for a pupil who wants it.
[ ! -e "$socket" ] || { echo "the speech server was started with reading off" >&2; exit 1; }

echo "== read aloud"
start true
[ "$(speech_seconds)" = 0 ] || { echo "the player spoke before any question" >&2; exit 1; }
started=$(clock)
key Return # Commencer
# The voice is made on a thread of its own: the pupil answers at once.
answer 1
echo "first answer judged within $(($(clock) - started)) ms of Commencer, as the voice starts"
# Before its first word the voice lists the server's thousands of voices: a
# second or two.
wait_until "a question is heard" heard 0.5
echo "$(speech_seconds) s of voice heard within $(($(clock) - started)) ms of Commencer"
grep -aq 'DATA:|Question 1\. ' "$log" || { echo "the server never got the first question's text" >&2; exit 1; }

# The voice is ready: from here on the quiz must go as fast as in silence.
started=$(clock)
# The server dies, as in a crash, while it makes the second question's voice.
keeps_up "the second question goes to the server" grep -aq 'DATA:|Question 2\. ' "$log"
server=$(speech_server)
[ -n "$server" ] || { echo "no speech server runs" >&2; exit 1; }
kill -KILL "$server"
answer 2
answer KP_3
review aloud
aloud_ms=$(($(clock) - started))
kill -0 "$player" 2>/dev/null || { report_player "$shots/player-true.log"; exit 1; }
echo "the quiz took $silent_ms ms in silence, $aloud_ms ms read aloud; $(speech_seconds) s of voice heard"
# A step takes a tenth of a second in silence; the voice may cost a little, never seconds.
[ "$aloud_ms" -le $((silent_ms + 3000)) ] || { echo "reading aloud slowed the quiz down" >&2; exit 1; }
key ctrl+q
wait_exit "$player"

no_speech_processes() { [ -z "$(speech_processes)" ]; }
wait_until "the voice module ends with its server" no_speech_processes

# espeak-ng's Belgian and Swiss voices say "septante" and "nonante": French
# pupils need the one for France. The server logs the commands' CR LF.
voice=$(grep -a 'DATA:|SET SELF SYNTHESIS_VOICE ' "$log" | tail -n 1 | sed 's/.*SYNTHESIS_VOICE //; s/\r$//')
[ "$voice" = "French (France)" ] || { echo "the questions were read by the voice '$voice'" >&2; exit 1; }
echo "questions read aloud in French, quiz kept its pace, speech server's death survived"
