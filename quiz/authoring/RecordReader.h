#pragma once

#include <QIODevice>
#include <QString>
#include <cstddef>

#include "quiz/QuestionRecord.h"

// A quiz file's records read one at a time: memory stays the same whatever
// the size of the file.
namespace qcm::authoring {

class RecordReader
{
public:
    // The device is opened for reading and stays owned by the caller.
    explicit RecordReader(QIODevice &device) : device(device) {}

    // The next whole record; false at the end of the file or on a read error.
    bool next(QuestionRecord &record);
    int recordsRead() const { return count; }
    // Bytes after the last whole record, known once next() returned false.
    std::size_t trailingBytes() const { return trailing; }
    // Empty unless the device failed before its end.
    QString errorString() const { return error; }

private:
    QIODevice &device;
    int count = 0;
    std::size_t trailing = 0;
    QString error;
};

} // namespace qcm::authoring
