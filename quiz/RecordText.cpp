#include "quiz/RecordText.h"

#include "quiz/Cp1252.h"
#include "quiz/Scramble.h"

namespace qcm {

QString decodeField(const QuestionRecord &record, Field field)
{
    ShortString text = record.copyField(field);
    deCrypt(text, text[0]);
    return fromWindows1252(QByteArray(reinterpret_cast<const char *>(text.data() + 1), text[0]));
}

EncodeError encodeField(QuestionRecord &record, Field field, const QString &text)
{
    const std::optional<QByteArray> bytes = toWindows1252(text);
    if (!bytes)
        return EncodeError::NotWindows1252;
    if (std::size_t(bytes->size()) > layoutOf(field).capacity)
        return EncodeError::TooLong;
    ShortString stored{};
    stored[0] = std::uint8_t(bytes->size());
    std::copy(bytes->begin(), bytes->end(), stored.begin() + 1);
    crypt(stored, stored[0]);
    record.setField(field, stored);
    return EncodeError::None;
}

} // namespace qcm
