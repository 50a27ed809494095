#include "quiz/FieldName.h"

namespace qcm {

QString fieldNameInFrench(Field field)
{
    switch (field) {
    case Field::QuestionText: return QStringLiteral("la question");
    case Field::Answer1:
    case Field::Answer2:
    case Field::Answer3:
    case Field::Answer4:
    case Field::Answer5: return QStringLiteral("la proposition %1").arg(int(field) - int(Field::Answer1) + 1);
    case Field::RightComment: return QStringLiteral("le commentaire si juste");
    case Field::WrongComment: return QStringLiteral("la correction si faux");
    case Field::PictureFile: return QStringLiteral("le nom de l'image");
    case Field::AnswerKey: return QStringLiteral("les bonnes propositions");
    case Field::ValidityRule: return QStringLiteral("la règle");
    case Field::RecordTag: break;
    }
    return {};
}

QString fieldNameInFrenchAlone(Field field)
{
    const QString name = fieldNameInFrench(field);
    for (const QLatin1StringView article : {QLatin1StringView("la "), QLatin1StringView("le "), QLatin1StringView("les ")}) {
        if (name.startsWith(article))
            return name.mid(article.size());
    }
    return name;
}

} // namespace qcm
