#include "quiz/QuizFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <climits>

namespace qcm {

namespace {

// Only what the bank can hold is read of a file.
QByteArray readAsPlayer(QFile &file)
{
    return file.read(std::min(file.size(), qint64(RecordSize) * MaxQuestions));
}

QString fingerprintOf(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().left(16));
}

} // namespace

ReadResult readRecords(std::span<const std::uint8_t> data, QuestionBank &bank)
{
    ReadResult result;
    result.recordsInFile = int(data.size() / RecordSize);
    result.trailingBytes = data.size() % RecordSize;
    if (result.recordsInFile == 0) {
        result.status = ReadResult::Status::ReadPastEnd;
        return result;
    }
    const int count = std::min(result.recordsInFile, MaxQuestions);
    for (int n = 1; n <= count; ++n) {
        const auto raw = data.subspan((n - 1) * RecordSize).first<RecordSize>();
        bank[0] = QuestionRecord::fromBytes(raw);
        bank[n] = bank[0];
    }
    result.recordsRead = count;
    return result;
}

ReadResult readQuizFile(const QString &path, QuestionBank &bank)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ReadResult result;
        result.status = ReadResult::Status::CannotOpen;
        return result;
    }
    // Only what the bank can hold is read; the rest is counted.
    const qint64 size = file.size();
    const qint64 wanted = std::min(size, qint64(RecordSize) * MaxQuestions);
    const QByteArray data = readAsPlayer(file);
    // A read that stops short (the file shrank, a device error) ends the load
    // like a missing record, before the bank is touched.
    if (data.size() < wanted - qint64(wanted % qint64(RecordSize))) {
        ReadResult result;
        result.status = ReadResult::Status::ReadPastEnd;
        return result;
    }
    ReadResult result = readRecords(
        std::span(reinterpret_cast<const std::uint8_t *>(data.constData()), std::size_t(data.size())), bank);
    result.recordsInFile = int(std::min<qint64>(size / qint64(RecordSize), INT_MAX));
    result.trailingBytes = std::size_t(size % qint64(RecordSize));
    result.fingerprint = fingerprintOf(data);
    return result;
}

QString fingerprintOfQuizFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? fingerprintOf(readAsPlayer(file)) : QString();
}

std::vector<QuestionRecord> parseRecords(std::span<const std::uint8_t> data)
{
    std::vector<QuestionRecord> records;
    for (std::size_t offset = 0; offset + RecordSize <= data.size(); offset += RecordSize)
        records.push_back(QuestionRecord::fromBytes(data.subspan(offset).first<RecordSize>()));
    return records;
}

bool writeQuizFile(const QString &path, const std::vector<QuestionRecord> &records)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QuestionRecord &record : records) {
        if (file.write(reinterpret_cast<const char *>(record.bytes.data()), qint64(RecordSize)) != qint64(RecordSize))
            return false;
    }
    // commit() does not look at its own final flush: on a full disk it would
    // keep a short file in place of the old one.
    return file.flush() && file.commit();
}

} // namespace qcm
