#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// One question of a quiz file: a fixed record of length-prefixed 8-bit
// strings. Texts stay scrambled in the record; readers decode a copy.
namespace qcm {

inline constexpr std::size_t RecordSize = 2108;
inline constexpr int MaxQuestions = 100;

enum class Field {
    RecordTag,
    QuestionText,
    Answer1,
    Answer2,
    Answer3,
    Answer4,
    Answer5,
    RightComment,
    WrongComment,
    PictureFile,
    AnswerKey,
    ValidityRule,
};

struct FieldLayout
{
    std::size_t offset;
    std::size_t capacity; // characters after the length byte
};

constexpr FieldLayout layoutOf(Field field)
{
    switch (field) {
    case Field::RecordTag: return {0, 2};
    case Field::QuestionText: return {3, 255};
    case Field::Answer1: return {259, 255};
    case Field::Answer2: return {515, 255};
    case Field::Answer3: return {771, 255};
    case Field::Answer4: return {1027, 255};
    case Field::Answer5: return {1283, 255};
    case Field::RightComment: return {1539, 255};
    case Field::WrongComment: return {1795, 255};
    case Field::PictureFile: return {2051, 50};
    case Field::AnswerKey: return {2102, 2};
    case Field::ValidityRule: return {2105, 2};
    }
    return {0, 0};
}

// Proposition i (1 to 5) as a field.
constexpr Field answerField(int i) { return Field(int(Field::Answer1) + i - 1); }

// A length-prefixed string: byte 0 is the length, then up to 255 characters.
using ShortString = std::array<std::uint8_t, 256>;

struct QuestionRecord
{
    std::array<std::uint8_t, RecordSize> bytes{};

    // The length byte as stored, which may exceed the field's capacity in a
    // damaged file.
    std::uint8_t storedLength(Field field) const { return bytes[layoutOf(field).offset]; }
    // A copy of the field, its length clamped to the field's capacity.
    ShortString copyField(Field field) const;
    // Stores a (scrambled) string, clamped to the field's capacity.
    void setField(Field field, const ShortString &value);
    // An empty question text ends the quiz.
    bool hasQuestion() const { return storedLength(Field::QuestionText) != 0; }

    static QuestionRecord fromBytes(std::span<const std::uint8_t, RecordSize> raw);
};

} // namespace qcm
