#!/usr/bin/env bash
# Takes the picture of the editor showing the class's results beside the
# questions: the sample fractions quiz in a quiz folder whose Résultats
# folder holds the logs of 23 pupils who played this version (and a few of
# an older one), the tool tip of a question to check open.
#   bash docs/screenshots-editor-results.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(cd "${1:-build}" && pwd)"
if [ -z "${TAVELOR_SHOTS_INSIDE:-}" ]; then
  TAVELOR_SHOTS_INSIDE=1 exec scripts/with-xvfb.sh "-screen 0 1280x900x24" bash "$0" "$build"
fi
source tests/e2e/xdriver.sh
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
export HOME="$work"
quiz="$work/QCM/Mathématiques/Fractions"
mkdir -p "$quiz" "$work/QCM/Résultats"
cp -r "$build/examples/QCM/Mathématiques/Fractions/." "$quiz/"

# The logs as the player writes them; the answers drawn from fixed chances
# per question, the same every time.
python3 - "$quiz/fractions.qcm" "$work/QCM/Résultats" <<'PY'
import hashlib, random, sys
quiz, logs = sys.argv[1], sys.argv[2]
# What the player reads: at most 100 records of 2108 bytes.
with open(quiz, 'rb') as f:
    fingerprint = hashlib.sha256(f.read(100 * 2108)).hexdigest()[:16]
# Per question: the right propositions, the chance of a right answer (given
# the pupil's level, or "luck" for a question that tells nothing of it), and
# the wrong answers pupils give, with their weights.
questions = [
    (0b00100, 0.85, [(0b00001, 2), (0b01000, 1)]),
    (0b10101, 0.55, [(0b00001, 3), (0b00101, 2)]),
    (0b00001, 0.40, [(0b00010, 5), (0b00100, 1)]),
    (0b00010, 0.65, [(0b00001, 3), (0b01000, 1)]),
    (0b01010, 0.80, [(0b00001, 1), (0b00100, 1)]),
    (0b00010, 0.90, [(0b00001, 1)]),
    (0b00010, 0.70, [(0b00001, 3), (0b01000, 1)]),
    (0b00111, 'luck', [(0b00011, 4), (0b00001, 1)]),
    (0b00001, 0.65, [(0b00100, 2), (0b01000, 1)]),
    (0b00101, 0.30, [(0b01000, 5), (0b00010, 1)]),
]
names = ["Alice Martin", "Bastien Durand", "Camille Petit", "Chloé Moreau", "Emma Laurent", "Enzo Simon",
         "Hugo Michel", "Inès Lefebvre", "Jade Leroy", "Jules Roux", "Léa David", "Lina Bertrand",
         "Louis Morel", "Lucas Fournier", "Manon Girard", "Mathis Bonnet", "Nathan Dupont", "Noah Lambert",
         "Rose Fontaine", "Sacha Rousseau", "Théo Vincent", "Zoé Muller", "Adam Lefèvre"]
random.seed(12)

def answers(level):
    given = []
    for number, (key, chance, wrong) in enumerate(questions, 1):
        p = random.random() * 0.9 + 0.05 if chance == 'luck' else min(0.97, max(0.03, chance + level))
        if random.random() < p:
            ticked = key
        elif random.random() < 0.08:
            ticked = 0
        else:
            ticked = random.choices([w for w, _ in wrong], [n for _, n in wrong])[0]
        given.append((number, ticked, ticked == key))
    return given

def line(name, minute, fingerprint, given):
    right = sum(1 for _, _, r in given if r)
    words = ' '.join('%d:%s:%s' % (n, ''.join(str(i + 1) for i in range(5) if t >> i & 1) or '-', 'J' if r else 'F')
                     for n, t, r in given)
    return ';'.join(['2025-03-14T%02d:%02d:00' % (9 + minute // 60, minute % 60), name, 'Mathématiques',
                     'Les fractions', 'entraînement', str(len(given)), str(right),
                     str(round(right * 100 / len(given))), '0:%02d:%02d' % (6 + minute % 5, minute * 7 % 60),
                     fingerprint, words])

header = 'Date;Élève;Matière;QCM;Mode;Questions;Bonnes réponses;Pourcentage;Durée;Empreinte;Réponses'
rooms = {'poste-03': [], 'poste-07': []}
for i, name in enumerate(names):
    level = random.gauss(0, 0.2)
    rooms['poste-03' if i % 2 else 'poste-07'].append(line(name, i * 2, fingerprint, answers(level)))
# An older version of the quiz, played the week before: not counted.
for i, name in enumerate(names[:4]):
    rooms['poste-03'].insert(0, line(name, i, '3f2a9c0d11e4b7a2', answers(0)))
for room, lines in rooms.items():
    with open('%s/%s.csv' % (logs, room), 'w', encoding='utf-8-sig', newline='') as f:
        f.write('\r\n'.join([header] + lines) + '\r\n')
PY

"$build/tavelor-editeur" "$quiz/fractions.qcm" >"$work/editor.log" 2>&1 &
editor=$!
window=$(wait_window 'Éditeur de QCM')
xdotool windowmove --sync "$window" 0 0
read -r wx wy < <(window_origin "$window")
read -r ww wh < <(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
# The last question, to be checked: chosen, and its tool tip open over the
# list's empty end rather than over other questions.
click_at $((wx + 60)) $((wy + 56))
xdotool key End
xdotool mousemove --sync $((wx + 90)) $((wy + 49 + 14 * 9 + 7))
tool_tip_shown() { [ "$(xdotool search --onlyvisible --pid "$editor" 2>/dev/null | wc -l)" -ge 2 ]; }
wait_until "the tool tip shows" tool_tip_shown
wait_still "$wx" "$wy" "$ww" "$wh"
import -window root -crop "${ww}x${wh}+$wx+$wy" +repage -strip docs/screenshot-editor-results.png
kill "$editor"; wait "$editor" 2>/dev/null || true
echo "written: docs/screenshot-editor-results.png"
