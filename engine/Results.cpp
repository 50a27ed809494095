#include "app/FormQCM.h"
#include "quiz/Judging.h"
#include "quiz/Rounding.h"
#include "quiz/RecordText.h"
#include "ui_FormQCM.h"

namespace {

const QString Separator(66, QLatin1Char('-'));

} // namespace

void TFormQCM::Affiche_Bilan()
{
    StopWatch1->Stop();
    Timer->stop();
    RefreshTimer();
    ui->Notebook1->setCurrentWidget(ui->PageCorrection);

    const int n = State.QuestionCount;
    const int w = State.WrongCount;
    QStringList lines;
    if (n <= 0) {
        lines << QStringLiteral("Pas de QCM !! ") << QString() << Separator;
    } else {
        const int p = successPercentage(n, w);
        if (p > 70) {
            ui->Image4->hide();
            ui->Image5->show();
            ui->DRLabel14->show();
            ui->DRLabel14->setCaption(QStringLiteral("Ce QCM est terminé avec succès."));
        } else {
            ui->Image5->hide();
            ui->Image4->show();
            ui->DRLabel14->show();
            ui->DRLabel14->setCaption(QStringLiteral("Reportez-vous à la correction : cliquez sur BILAN."));
        }
        // The title makes a printed or photographed summary say which quiz it was.
        lines << QStringLiteral("Résultats du QCM : ") + ui->DRLabel12->caption()
              << QString()
              << Separator
              << QStringLiteral("Ce QCM comporte %1 questions. ").arg(n)
              << QString()
              << QStringLiteral("Vous n'avez pas répondu ")
              << QStringLiteral("correctement à %1 questions.").arg(w)
              << Separator
              << QString()
              << QStringLiteral("Votre pourcentage de réussite")
              << QStringLiteral("est donc de %1 %.").arg(p);
    }
    ui->Memo7->setPlainText(lines.join(QLatin1Char('\n')));

    ui->EzRgnBtn5->hide();
    ui->EzRgnBtn3->hide();
}

void TFormQCM::EzRgnBtn15Click()
{
    ui->Notebook1->setCurrentWidget(ui->PageCorrection);

    QStringList lines;
    lines << Separator << QStringLiteral("Correction des questions ") << Separator << QString();

    const int w = std::min(State.WrongCount, qcm::MaxQuestions);
    for (int i = 1; i <= w; ++i) {
        const int r = State.WrongRecords[i];
        if (r < 1 || r > qcm::MaxQuestions || !QuestionBank[r].hasQuestion())
            continue;
        const qcm::QuestionRecord &record = QuestionBank[r];
        lines << QStringLiteral("Question N° %1").arg(r)
              << Separator
              << QString()
              << QStringLiteral("Question :") + qcm::decodeField(record, qcm::Field::QuestionText)
              << QString()
              << QStringLiteral("Bonne(s) réponse(s) :");
        const int right = qcm::keyPropositions(qcm::readKeyNumber(qcm::decodeField(record, qcm::Field::AnswerKey)));
        for (int proposition = 5; proposition >= 1; --proposition) {
            if (right & (1 << (proposition - 1)))
                lines << QStringLiteral("Proposition %1 :").arg(proposition)
                         + qcm::decodeField(record, qcm::answerField(proposition));
        }
        const QString rule = qcm::decodeField(record, qcm::Field::ValidityRule);
        lines << QString()
              << QStringLiteral("Condition de validité : ") + rule
              << (qcm::isAllOfRule(rule) ? QStringLiteral("Toutes les bonnes propositions doivent être sélectionnées.")
                                    : QStringLiteral("Au moins une des bonne propositions doit être sélectionnée."))
              << QString()
              << Separator;
    }
    for (const QString &line : std::as_const(lines))
        ui->Memo7->appendPlainText(line);

    ui->EzRgnBtn15->hide();
    ui->EzRgnBtn5->hide();
    ui->EzRgnBtn3->hide();
}
