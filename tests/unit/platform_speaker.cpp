#include <QTest>

#include "platform/Speaker.h"

// The system's own voice: Windows' here (under Wine, which has no French
// voice); Linux's, with a speech server of its own, is tried end to end.
class PlatformSpeakerTest : public QObject
{
    Q_OBJECT

private slots:
    void speaksOrSaysWhatIsMissing()
    {
#ifndef Q_OS_WIN
        QSKIP("tried end to end with a private speech server");
#endif
        std::unique_ptr<platform::Speaker> voice = platform::createSpeaker();
        const QString missing = voice->unavailability();
        if (!missing.isEmpty())
            qInfo("%s", qPrintable(missing));
        QVERIFY2(missing.isEmpty() || missing.contains(QStringLiteral("voix")) || missing.contains(QStringLiteral("synthèse")),
                 qPrintable(missing));
        // Nothing waits for the voice, whether or not there is one.
        voice->setSlow(true);
        voice->say(QStringLiteral("Question 1. Combien font deux plus deux ?"));
        voice->stop();
        voice->say(QStringLiteral("Bonne réponse !"));
        voice.reset();
    }
};

QTEST_MAIN(PlatformSpeakerTest)
#include "platform_speaker.moc"
