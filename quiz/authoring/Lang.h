#pragma once

#include <QString>

// The teachers' tools speak French unless asked for English.
namespace qcm::authoring {

enum class Lang { French, English };

// Picks the text in the user's language; both are UTF-8 literals.
inline QString say(Lang lang, const char *french, const char *english)
{
    return QString::fromUtf8(lang == Lang::French ? french : english);
}

// "fichier.json : question 3, champ Answer2 : " or its English form.
QString placeOf(Lang lang, const QString &file, int record = 0, const QString &field = {});

// The name of a field as it appears in JSON and in messages.
QString fieldName(int field);

} // namespace qcm::authoring
