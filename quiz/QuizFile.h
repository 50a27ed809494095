#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "quiz/QuestionRecord.h"

namespace qcm {

// Slot 0 receives each record as it is read; slots 1 to 100 hold the
// questions. Never cleared: a shorter quiz leaves older records behind it.
using QuestionBank = std::array<QuestionRecord, MaxQuestions + 1>;

struct ReadResult
{
    enum class Status { Ok, CannotOpen, ReadPastEnd };
    Status status = Status::Ok;
    int recordsRead = 0;        // records put into slots 1 to recordsRead
    int recordsInFile = 0;      // whole records the file holds
    std::size_t trailingBytes = 0; // a piece shorter than a record, never read
    QString fingerprint;        // of the bytes read, as fingerprintOfQuizFile gives it
    bool truncated() const { return recordsInFile > MaxQuestions; }
};

// Reads at most 100 records of the raw bytes into the bank.
ReadResult readRecords(std::span<const std::uint8_t> data, QuestionBank &bank);
// Opens the file read-only and reads it into the bank; a file that cannot be
// read whole leaves the bank untouched.
ReadResult readQuizFile(const QString &path, QuestionBank &bank);

// The first 16 hex digits of the SHA-256 of what the player reads of a quiz
// file (its first 100 records): the results log keeps it, so that statistics
// never mix two versions of a quiz. Empty when the file cannot be read.
QString fingerprintOfQuizFile(const QString &path);

// All whole records of a file's bytes (for tools and tests).
std::vector<QuestionRecord> parseRecords(std::span<const std::uint8_t> data);
// Writes records into a file; false on failure.
bool writeQuizFile(const QString &path, const std::vector<QuestionRecord> &records);

} // namespace qcm
