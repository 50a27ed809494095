#!/usr/bin/env bash
# Questions read aloud by the real speech server and espeak-ng's French voice,
# on a machine without a sound card: the server's ALSA output goes to a file,
# which must hold speech once a question shows. With reading on, the quiz
# keeps the pace it has in silence, and outlives the speech server.
set -euo pipefail
tavelor="$1"; qcmtool="$2"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xdriver.sh"
prepare_home "$qcmtool" "$here"
export XDG_CONFIG_HOME="$HOME/.config" SPEECH="$work/speech"
unset SPEECHD_ADDRESS # the player must find the private server through XDG_RUNTIME_DIR
# The speech library reads the server's list of voices with strstr, line
# after line: AddressSanitizer's check of each call measures the whole rest
# of the list, which makes the first reading take minutes in that build.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}intercept_strstr=0"
mkdir -p "$XDG_CONFIG_HOME/Tavelor" "$XDG_CONFIG_HOME/speech-dispatcher" "$SPEECH"

# The player starts the server at its first reading, and the server and its
# voice module then leave the player's process tree: both are known by the
# private paths on their command lines (bracketed, so that grep's own does not
# match). The session uses these too.
speech_server() { # → its pid, if it runs
  grep -las "$XDG_RUNTIME_DIR/speech-dispatcher/speechd[.]sock" /proc/[0-9]*/cmdline | cut -d/ -f3 || true
}
speech_processes() { # → pids of the server and its module
  grep -las -e "$XDG_RUNTIME_DIR/speech-dispatcher/speechd[.]sock" -e "$SPEECH/espeak-ng[.]conf" \
    /proc/[0-9]*/cmdline | cut -d/ -f3 || true
}
export -f speech_server speech_processes
stop_speech() {
  local pids
  pids=$(speech_processes)
  [ -n "$pids" ] || return 0
  # shellcheck disable=SC2086 # one pid a word
  kill $pids 2>/dev/null || true
  for _ in $(seq 50); do
    [ -z "$(speech_processes)" ] && return 0
    sleep 0.1
  done
  # shellcheck disable=SC2046
  kill -KILL $(speech_processes) 2>/dev/null || true
}
trap 'stop_speech; [ -n "${KEEP_SHOTS:-}" ] || rm -rf "$work"' EXIT

# At log level 5 the server writes down each command of the player: the
# voice it chose and the texts it sent. Should the test be killed, the server
# still leaves 5 s after the player.
cat > "$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<CONF
Timeout 5
LogLevel 5
LogDir "$SPEECH"
AudioOutputMethod "alsa"
AudioALSADevice "default"
AddModule "espeak-ng" "sd_espeak-ng" "$SPEECH/espeak-ng.conf"
DefaultModule espeak-ng
CONF
# The module's own defaults; the path only makes its command line ours.
echo "Debug 0" > "$SPEECH/espeak-ng.conf"

# What the server plays goes to played.raw (played.raw.0001... for each later
# opening of the device), in one format sox is told. The null device takes
# sound at once, so a reading is written as fast as espeak-ng makes it; the
# file plugin holds back one device buffer until the reading ends or is cut.
cat > "$HOME/.asoundrc" <<ALSA
pcm.!default {
  type plug
  slave { pcm "recorder"; format S16_LE; rate 22050; channels 1 }
}
pcm.recorder {
  type file
  slave.pcm null
  file "$SPEECH/played.raw"
  format "raw"
  truncate false
}
ALSA

"$here/../../scripts/with-xvfb.sh" "-screen 0 1024x768x24 -br" \
  dbus-run-session -- bash "$here/read_aloud_session.sh" "$tavelor" \
  "$HOME/QCM/Sciences/Essais/essai.qcm" "$work/shots" "$here"
