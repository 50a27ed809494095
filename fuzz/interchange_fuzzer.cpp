#include <QByteArray>
#include <cstdint>
#include <cstdlib>

#include "quiz/RecordText.h"
#include "quiz/authoring/QuizImport.h"

// A teacher's GIFT, Aiken or Moodle XML file, read and imported: the first
// byte chooses the format, the rest is the source.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace qcm::authoring;
    if (size == 0)
        return 0;
    const auto format = InterchangeFormat(data[0] % 3);
    const QByteArray source(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    ImportOptions options;
    options.replace = data[0] & 4;
    options.cut = data[0] & 8;
    const ImportResult result = importQuestions(readSource(format, source, Lang::French), QStringLiteral("f"), options);
    for (const qcm::QuestionRecord &record : result.records) {
        const int key = decodeField(record, qcm::Field::AnswerKey).toInt();
        if (key < 0 || key > 31)
            std::abort();
    }
    return 0;
}
