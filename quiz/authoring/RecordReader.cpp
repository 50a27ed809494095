#include "quiz/authoring/RecordReader.h"

namespace qcm::authoring {

bool RecordReader::next(QuestionRecord &record)
{
    std::size_t filled = 0;
    while (filled < RecordSize) {
        const qint64 got = device.read(reinterpret_cast<char *>(record.bytes.data()) + filled, qint64(RecordSize - filled));
        if (got < 0) {
            error = device.errorString();
            return false;
        }
        if (got == 0)
            break;
        filled += std::size_t(got);
    }
    if (filled < RecordSize) {
        trailing = filled;
        return false;
    }
    ++count;
    return true;
}

} // namespace qcm::authoring
