#include "quiz/authoring/Lang.h"

#include <QFileInfo>

#include "quiz/QuestionRecord.h"

namespace qcm::authoring {

QString placeOf(Lang lang, const QString &file, int record, const QString &field)
{
    const bool french = lang == Lang::French;
    QString place = QFileInfo(file).fileName();
    if (place.isEmpty())
        place = file;
    if (record > 0)
        place += (french ? QStringLiteral(" : enregistrement %1") : QStringLiteral(": record %1")).arg(record);
    if (!field.isEmpty())
        place += (record > 0 ? QStringLiteral(", ") : (french ? QStringLiteral(" : ") : QStringLiteral(": ")))
            + (french ? QStringLiteral("champ ") : QStringLiteral("field ")) + field;
    place += french ? QStringLiteral(" : ") : QStringLiteral(": ");
    return place;
}

QString fieldName(int field)
{
    switch (Field(field)) {
    case Field::RecordTag: return QStringLiteral("RecordTag");
    case Field::QuestionText: return QStringLiteral("QuestionText");
    case Field::Answer1: return QStringLiteral("Answer1");
    case Field::Answer2: return QStringLiteral("Answer2");
    case Field::Answer3: return QStringLiteral("Answer3");
    case Field::Answer4: return QStringLiteral("Answer4");
    case Field::Answer5: return QStringLiteral("Answer5");
    case Field::RightComment: return QStringLiteral("RightComment");
    case Field::WrongComment: return QStringLiteral("WrongComment");
    case Field::PictureFile: return QStringLiteral("PictureFile");
    case Field::AnswerKey: return QStringLiteral("AnswerKey");
    case Field::ValidityRule: return QStringLiteral("ValidityRule");
    }
    return {};
}

} // namespace qcm::authoring
