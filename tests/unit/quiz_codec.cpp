#include <QRandomGenerator>
#include <QTest>

#include "quiz/Cp1252.h"
#include "quiz/QuestionRecord.h"
#include "quiz/RecordText.h"
#include "quiz/Scramble.h"

using namespace qcm;

namespace {

ShortString shortString(const QByteArray &stored)
{
    ShortString text{};
    std::copy(stored.begin(), stored.end(), text.begin());
    return text;
}

QByteArray bytesOf(const ShortString &text, int count)
{
    return QByteArray(reinterpret_cast<const char *>(text.data()), count);
}

} // namespace

class QuizCodecTest : public QObject
{
    Q_OBJECT
private slots:
    void scramblingMatchesKnownVectors_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("abc") << QByteArray::fromHex("03616263") << QByteArray::fromHex("0361C326");
        QTest::newRow("rule ET") << QByteArray::fromHex("024554") << QByteArray::fromHex("024599");
        QTest::newRow("one-digit key unchanged") << QByteArray::fromHex("0135") << QByteArray::fromHex("0135");
        QTest::newRow("two-digit key") << QByteArray("\x02" "21") << QByteArray::fromHex("023263");
        QTest::newRow("empty") << QByteArray::fromHex("00") << QByteArray::fromHex("00");
        QTest::newRow("sum wraps modulo 256") << QByteArray::fromHex("03FF0203") << QByteArray::fromHex("03FF0104");
    }
    void scramblingMatchesKnownVectors()
    {
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, stored);
        ShortString text = shortString(plain);
        crypt(text, text[0]);
        QCOMPARE(bytesOf(text, int(plain.size())), stored);
        deCrypt(text, text[0]);
        QCOMPARE(bytesOf(text, int(plain.size())), plain);
    }

    void scramblingLeavesBytesAfterTheTextAlone()
    {
        ShortString text = shortString(QByteArray::fromHex("02616263"));
        crypt(text, 2);
        QCOMPARE(bytesOf(text, 4), QByteArray::fromHex("0261C363"));
        deCrypt(text, 2);
        QCOMPARE(bytesOf(text, 4), QByteArray::fromHex("02616263"));
    }

    void decodingThenEncodingGivesTheStoredBytesBack()
    {
        QRandomGenerator random(20240517);
        for (int round = 0; round < 500; ++round) {
            ShortString stored{};
            for (auto &byte : stored)
                byte = std::uint8_t(random.bounded(256));
            const ShortString original = stored;
            deCrypt(stored, stored[0]);
            crypt(stored, stored[0]);
            QVERIFY2(stored == original, qPrintable(QString::number(round)));
        }
    }

    void windows1252HighRangeDecodesAndEncodesBothWays_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("character");
        const int expected[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030,
            0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013,
            0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
        for (int i = 0; i < 32; ++i)
            QTest::addRow("%02X", 0x80 + i) << 0x80 + i << expected[i];
        QTest::newRow("é") << 0xE9 << 0xE9;
        QTest::newRow("nbsp") << 0xA0 << 0xA0;
        QTest::newRow("ÿ") << 0xFF << 0xFF;
    }
    void windows1252HighRangeDecodesAndEncodesBothWays()
    {
        QFETCH(int, byte);
        QFETCH(int, character);
        const QString text = fromWindows1252(QByteArray(1, char(byte)));
        QCOMPARE(text.size(), 1);
        QCOMPARE(int(text.at(0).unicode()), character);
        QCOMPARE(toWindows1252(text), std::optional<QByteArray>(QByteArray(1, char(byte))));
    }

    void everyByteSurvivesDecodingAndEncoding()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(toWindows1252(fromWindows1252(all)), std::optional<QByteArray>(all));
    }

    void charactersOutsideWindows1252AreFoundWithTheirPlace()
    {
        // U+0080 is not the euro sign's byte: 80 decodes to €, so U+0080 has no byte.
        const QString text = QString::fromUtf8("x≤y \u0080 😀!");
        QVERIFY(!toWindows1252(text));
        const std::vector<Unencodable> bad = unencodableCharacters(text);
        QCOMPARE(bad.size(), std::size_t(3));
        QCOMPARE(bad[0].position, 2);
        QCOMPARE(bad[0].character, char32_t(0x2264));
        QCOMPARE(bad[1].position, 5);
        QCOMPARE(bad[2].position, 7); // a character beyond U+FFFF counts once
        QCOMPARE(bad[2].character, char32_t(0x1F600));
        QVERIFY(unencodableCharacters(QString::fromUtf8("Œuvre : 3 € – « ça »")).empty());
    }

    void oversizedLengthBytesAreClampedToTheField_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("lengthByte");
        QTest::addColumn<int>("expectedLength");
        QTest::newRow("picture 255 at the end of the record")
            << int(Field::PictureFile) << 255 << 50;
        QTest::newRow("rule 255, last field") << int(Field::ValidityRule) << 255 << 2;
        QTest::newRow("key 3") << int(Field::AnswerKey) << 3 << 2;
        QTest::newRow("question 255 fits") << int(Field::QuestionText) << 255 << 255;
    }
    void oversizedLengthBytesAreClampedToTheField()
    {
        QFETCH(int, field);
        QFETCH(int, lengthByte);
        QFETCH(int, expectedLength);
        QuestionRecord record;
        std::fill(record.bytes.begin(), record.bytes.end(), std::uint8_t('z'));
        const FieldLayout layout = layoutOf(Field(field));
        record.bytes[layout.offset] = std::uint8_t(lengthByte);
        std::fill_n(record.bytes.begin() + layout.offset + 1, layout.capacity, std::uint8_t('A'));
        const ShortString copy = record.copyField(Field(field));
        QCOMPARE(int(copy[0]), expectedLength);
        QCOMPARE(record.storedLength(Field(field)), std::uint8_t(lengthByte));
        // Nothing beyond the field is taken, not even the next field's bytes.
        for (int i = 1; i <= expectedLength; ++i)
            QCOMPARE(copy[i], std::uint8_t('A'));
        if (expectedLength < 255)
            QCOMPARE(copy[expectedLength + 1], std::uint8_t(0));
        QCOMPARE(decodeField(record, Field(field)).size(), expectedLength);
    }

    void encodedFieldsDecodeToTheSameText_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("accents and ligature") << int(Field::QuestionText)
                                              << QString::fromUtf8("Quels animaux pondent des œufs ? « élève » 5 €");
        QTest::newRow("picture with sub-folder") << int(Field::PictureFile) << QStringLiteral("images\\quart.bmp");
        QTest::newRow("key") << int(Field::AnswerKey) << QStringLiteral("21");
        QTest::newRow("full question") << int(Field::Answer5) << QString(255, QLatin1Char('x'));
    }
    void encodedFieldsDecodeToTheSameText()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QuestionRecord record;
        QCOMPARE(encodeField(record, Field(field), text), EncodeError::None);
        QCOMPARE(decodeField(record, Field(field)), text);
        QCOMPARE(int(record.storedLength(Field(field))), int(toWindows1252(text)->size()));
    }

    void encodingRefusesWhatTheFieldCannotHold()
    {
        QuestionRecord record;
        QCOMPARE(encodeField(record, Field::AnswerKey, QStringLiteral("100")), EncodeError::TooLong);
        QCOMPARE(encodeField(record, Field::PictureFile, QString(51, QLatin1Char('a'))), EncodeError::TooLong);
        QCOMPARE(encodeField(record, Field::QuestionText, QString::fromUtf8("π")), EncodeError::NotWindows1252);
        QCOMPARE(record.bytes, QuestionRecord{}.bytes);
    }

    void rewritingAFieldClearsItsOldCharacters()
    {
        QuestionRecord record;
        encodeField(record, Field::Answer1, QStringLiteral("une longue proposition"));
        encodeField(record, Field::Answer1, QStringLiteral("oui"));
        const FieldLayout layout = layoutOf(Field::Answer1);
        QVERIFY(std::all_of(record.bytes.begin() + layout.offset + 4, record.bytes.begin() + layout.offset + 256,
            [](std::uint8_t b) { return b == 0; }));
    }
};

QTEST_GUILESS_MAIN(QuizCodecTest)
#include "quiz_codec.moc"
