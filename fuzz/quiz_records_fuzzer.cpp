#include <cstdint>
#include <cstdlib>

#include "quiz/QuizFile.h"
#include "quiz/RecordText.h"

// The quiz file's records as read from disk, and every field decoded.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static qcm::QuestionBank bank;
    const std::span<const std::uint8_t> bytes(data, size);
    const qcm::ReadResult result = qcm::readRecords(bytes, bank);
    if (result.recordsRead > qcm::MaxQuestions || result.recordsRead > result.recordsInFile)
        std::abort();
    const std::vector<qcm::QuestionRecord> records = qcm::parseRecords(bytes);
    if (records.size() != size / qcm::RecordSize)
        std::abort();
    for (const qcm::QuestionRecord &record : records) {
        for (int field = int(qcm::Field::RecordTag); field <= int(qcm::Field::ValidityRule); ++field) {
            const auto f = qcm::Field(field);
            const QString text = qcm::decodeField(record, f);
            if (std::size_t(text.size()) > qcm::layoutOf(f).capacity)
                std::abort();
        }
    }
    for (int n = 1; n <= result.recordsRead; ++n)
        (void)qcm::decodeField(bank[n], qcm::Field::QuestionText);
    return 0;
}
