#include "editor/TextLimits.h"

#include <QStringList>

#include "quiz/Cp1252.h"
#include "quiz/authoring/QuizImport.h"

namespace editor {

QString storedForm(const QString &shown)
{
    QString stored = shown;
    stored.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return stored.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

QString shownForm(const QString &stored)
{
    QString shown = stored;
    return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString cutTo(const QString &stored, int capacity)
{
    QString cut = stored.left(capacity);
    if (cut.endsWith(QLatin1Char('\r')))
        cut.chop(1);
    return cut;
}

QString withReplacements(const QString &stored)
{
    QString result;
    for (const char32_t c : stored.toUcs4()) {
        if (qcm::windows1252Byte(c) >= 0)
            result += QString::fromUcs4(&c, 1);
        else
            result += qcm::authoring::replacementFor(c);
    }
    return result;
}

QString replacementProposal(const QString &stored)
{
    QStringList seen;
    QStringList parts;
    for (const qcm::Unencodable &u : qcm::unencodableCharacters(stored)) {
        const QString character = QString::fromUcs4(&u.character, 1);
        if (seen.contains(character))
            continue;
        seen << character;
        const QString by = qcm::authoring::replacementFor(u.character);
        parts << (by.isEmpty() ? QStringLiteral("« %1 » sera retiré").arg(character)
                               : QStringLiteral("« %1 » devient « %2 »").arg(character, by));
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace editor
