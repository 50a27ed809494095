#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// Quiz texts are Windows-1252. The five bytes that code page leaves undefined
// (81 8D 8F 90 9D) decode to the C1 controls of the same value and encode
// back to themselves, so every stored byte survives a decode and an encode.
namespace qcm {

QString fromWindows1252(const QByteArray &bytes);
// Empty when a character has no Windows-1252 byte.
std::optional<QByteArray> toWindows1252(const QString &text);

// The byte of one character, or -1 when it has none.
int windows1252Byte(char32_t character);

struct Unencodable
{
    qsizetype position; // 1-based, counted in characters (code points)
    char32_t character;
};
// Every character of the text that Windows-1252 lacks, in order.
std::vector<Unencodable> unencodableCharacters(const QString &text);

} // namespace qcm
