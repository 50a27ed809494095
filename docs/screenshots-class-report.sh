#!/usr/bin/env bash
# Draws the picture of the class report's first page: a class of 24 on a
# quiz of fractions, logged on two computers, run through qcmtool report.
#   bash docs/screenshots-class-report.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(cd "${1:-build}" && pwd)"
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
quiz="$work/QCM/Mathématiques/Fractions"
mkdir -p "$quiz" "$work/QCM/Résultats"

# Each question has one key (AnswerKey: bits 1, 2, 4…) and all of it must be ticked.
cat > "$work/quiz.json" <<'JSON'
{"records": [
 {"QuestionText": "Combien font 1/2 + 1/4 ?", "Answer1": "2/6", "Answer2": "3/4", "Answer3": "1/6", "Answer4": "2/4", "AnswerKey": "2"},
 {"QuestionText": "Quelle fraction est égale à 2/4 ?", "Answer1": "1/2", "Answer2": "2/8", "Answer3": "4/2", "AnswerKey": "1"},
 {"QuestionText": "Quelle est la plus grande de ces fractions ?", "Answer1": "2/3", "Answer2": "3/4", "Answer3": "1/2", "Answer4": "3/5", "AnswerKey": "2"},
 {"QuestionText": "Une pizza est coupée en 8 parts ; Léo en mange 3. Quelle part de la pizza a-t-il mangée ?", "Answer1": "3/8", "Answer2": "3/5", "Answer3": "5/8", "AnswerKey": "1"},
 {"QuestionText": "Simplifie la fraction 6/8.", "Answer1": "3/4", "Answer2": "6/4", "Answer3": "2/3", "Answer4": "1/2", "AnswerKey": "1"},
 {"QuestionText": "Combien y a-t-il de quarts dans deux unités ?", "Answer1": "4", "Answer2": "8", "Answer3": "2", "AnswerKey": "2"},
 {"QuestionText": "Quelle est la moitié de 3/5 ?", "Answer1": "3/10", "Answer2": "6/10", "Answer3": "3/2", "AnswerKey": "1"},
 {"QuestionText": "Coche les fractions plus grandes que 1.", "Answer1": "5/4", "Answer2": "3/4", "Answer3": "7/3", "Answer4": "1/2", "AnswerKey": "5"},
 {"QuestionText": "Quelle fraction est au milieu entre 0 et 1 ?", "Answer1": "1/2", "Answer2": "1/3", "Answer3": "2/3", "AnswerKey": "1"},
 {"QuestionText": "Que vaut 3 × 1/4 ?", "Answer1": "3/4", "Answer2": "3/12", "Answer3": "1/12", "Answer4": "4/3", "AnswerKey": "1"}
]}
JSON
sed -i 's/"AnswerKey": "\([0-9]*\)"/"AnswerKey": "\1", "ValidityRule": "ET", "RightComment": "Bravo !", "WrongComment": "Revois la leçon."/' \
  "$work/quiz.json"
"$build/tools/qcmtool" build "$work/quiz.json" -o "$quiz/fractions.qcm"

# The pupils' answers: the stronger a pupil, the likelier right; question 5
# has a trap most fall into, and question 7 is answered by chance.
python3 - "$quiz/fractions.qcm" "$work/QCM/Résultats" <<'PY'
import hashlib, json, random, sys
quiz, logs = sys.argv[1], sys.argv[2]
fingerprint = hashlib.sha256(open(quiz, 'rb').read()[:2108 * 100]).hexdigest()[:16]
keys = [2, 1, 2, 1, 1, 2, 1, 5, 1, 1]
counts = [4, 3, 4, 3, 4, 3, 3, 4, 3, 4]
ease = [0.2, 0.25, -0.05, 0.15, -0.35, 0.0, None, -0.15, 0.2, 0.05]
pupils = ["Adèle Martin", "Lucas Bernard", "Émile Rousseau", "Inès Haddad", "Hugo Petit", "Chloé Garnier",
          "Nathan Leroy", "Jade Fontaine", "Yanis Morel", "Louise Caron", "Théo Lambert", "Manon Girard",
          "Sacha Dupont", "Lina Benali", "Gabriel Moreau", "Camille Roux", "Noé Fournier", "Léa Mercier",
          "Adam Chevalier", "Rose Blanchard", "Jules Perrin", "Maëlys Renaud", "Ibrahim Traoré", "Zoé Lefèvre"]
random.seed(12)
header = "Date;Élève;Matière;QCM;Mode;Questions;Bonnes réponses;Pourcentage;Durée;Empreinte;Réponses"
lines = {1: [], 2: []}
for n, pupil in enumerate(pupils):
    ability = random.uniform(0.3, 0.95)
    answers, right = [], 0
    for q, key in enumerate(keys):
        chance = 0.45 if ease[q] is None else min(0.97, max(0.05, ability + ease[q]))
        if random.random() < chance:
            ticked = key
        elif random.random() < 0.06:
            ticked = 0
        elif q == 4:
            ticked = 2
        else:
            ticked = random.choice([1 << p for p in range(counts[q]) if not key & (1 << p)])
        right += ticked == key
        digits = ''.join(str(p + 1) for p in range(5) if ticked & (1 << p)) or '-'
        answers.append(f"{q + 1}:{digits}:{'J' if ticked == key else 'F'}")
    day, minute = (9, 5 + n * 2) if n < 12 else (10, 10 + (n - 12) * 2)
    when = f"2026-03-{day:02d}T14:{minute:02d}:00"
    seconds = random.randint(240, 720)
    lines[1 + n % 2].append(f"{when};{pupil};Mathématiques;Fractions;entraînement;{len(keys)};{right};"
                            f"{round(right * 100 / len(keys))};0:{seconds // 60:02d}:{seconds % 60:02d};"
                            f"{fingerprint};{' '.join(answers)}")
for computer, rows in lines.items():
    with open(f"{logs}/poste-{computer}.csv", 'wb') as log:
        log.write(b'\xef\xbb\xbf' + '\r\n'.join([header] + rows + ['']).encode())
PY

"$build/tools/qcmtool" report "$work/QCM/Résultats" -o "$work/bilan.pdf"
pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$work/bilan.pdf" docs/screenshot-class-report
echo "written: docs/screenshot-class-report.png"
