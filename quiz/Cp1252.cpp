#include "quiz/Cp1252.h"

#include <QList>
#include <QStringView>
#include <array>

namespace qcm {

namespace {

// Bytes 80 to 9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QString fromWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto byte = std::uint8_t(c);
        *out++ = (byte >= 0x80 && byte <= 0x9F) ? QChar(HighControls[byte - 0x80]) : QChar(byte);
    }
    return text;
}

int windows1252Byte(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return int(character);
    for (std::size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] == character)
            return int(0x80 + i);
    }
    return -1;
}

std::optional<QByteArray> toWindows1252(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const char32_t character : QStringView(text).toUcs4()) {
        const int byte = windows1252Byte(character);
        if (byte < 0)
            return std::nullopt;
        bytes.append(char(byte));
    }
    return bytes;
}

std::vector<Unencodable> unencodableCharacters(const QString &text)
{
    std::vector<Unencodable> found;
    qsizetype position = 0;
    for (const char32_t character : QStringView(text).toUcs4()) {
        ++position;
        if (windows1252Byte(character) < 0)
            found.push_back({position, character});
    }
    return found;
}

} // namespace qcm
