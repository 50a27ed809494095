#include "quiz/Cp1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace qcm {

QString fromWindows1252(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1252");
    return decoder.decode(bytes);
}

std::optional<QByteArray> toWindows1252(const QString &text)
{
    QStringEncoder encoder("windows-1252", QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    // The encoder substitutes unmappable characters; a round trip finds them.
    if (fromWindows1252(bytes) != text)
        return std::nullopt;
    return bytes;
}

} // namespace qcm
