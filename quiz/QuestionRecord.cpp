#include "quiz/QuestionRecord.h"

#include <algorithm>

namespace qcm {

ShortString QuestionRecord::copyField(Field field) const
{
    const FieldLayout layout = layoutOf(field);
    ShortString text{};
    const std::size_t length = std::min<std::size_t>(bytes[layout.offset], layout.capacity);
    text[0] = std::uint8_t(length);
    std::copy_n(bytes.begin() + layout.offset + 1, length, text.begin() + 1);
    return text;
}

void QuestionRecord::setField(Field field, const ShortString &value)
{
    const FieldLayout layout = layoutOf(field);
    const std::size_t length = std::min<std::size_t>(value[0], layout.capacity);
    bytes[layout.offset] = std::uint8_t(length);
    auto characters = bytes.begin() + layout.offset + 1;
    std::copy_n(value.begin() + 1, length, characters);
    // The rest of the field means nothing; zeros keep written files reproducible.
    std::fill(characters + length, characters + layout.capacity, std::uint8_t(0));
}

QuestionRecord QuestionRecord::fromBytes(std::span<const std::uint8_t, RecordSize> raw)
{
    QuestionRecord record;
    std::copy(raw.begin(), raw.end(), record.bytes.begin());
    return record;
}

} // namespace qcm
