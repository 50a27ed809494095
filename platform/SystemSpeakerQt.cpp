#include <QLocale>
#include <QTextToSpeech>
#include <csignal>

#include "platform/Speaker.h"

namespace platform {

namespace {

const QString InstallHint = QStringLiteral(
    "installez speech-dispatcher et sa voix espeak-ng (paquets speech-dispatcher-espeak-ng et "
    "qt6-speech-speechd-plugin).");

// Qt's speech engines, with speech-dispatcher's first where there are
// several: it is the one that carries espeak-ng's French voice.
class QtSpeaker : public Speaker
{
public:
    QtSpeaker()
    {
        // A speech server that dies leaves a closed socket, which must not
        // end the quiz with SIGPIPE at the next reading.
        std::signal(SIGPIPE, SIG_IGN);
        const QStringList engines = QTextToSpeech::availableEngines();
        if (engines.isEmpty()) {
            m_missing = QStringLiteral("Aucun moteur de synthèse vocale n'est installé : ") + InstallHint;
            return;
        }
        m_speech = new QTextToSpeech(engines.contains(QLatin1String("speechd")) ? QStringLiteral("speechd")
                                                                                 : engines.constFirst(), this);
        if (m_speech->state() == QTextToSpeech::Error) {
            m_missing = QStringLiteral("La synthèse vocale ne répond pas : ") + InstallHint;
            return;
        }
        if (!hasFrench()) {
            m_missing = QStringLiteral("Aucune voix française n'est installée : ") + InstallHint;
            return;
        }
        connect(m_speech, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
            if (state == QTextToSpeech::Error)
                emit failed(QStringLiteral("La synthèse vocale s'est arrêtée."));
        });
    }

    ~QtSpeaker() override { stop(); }

    QString unavailability() const override { return m_missing; }

    void say(const QString &text) override
    {
        if (!m_missing.isEmpty())
            return;
        m_speech->stop();
        m_speech->say(text);
    }

    void stop() override
    {
        if (m_missing.isEmpty())
            m_speech->stop();
    }

    void setSlow(bool slow) override
    {
        if (m_missing.isEmpty())
            m_speech->setRate(slow ? -0.4 : 0.0);
    }

private:
    bool hasFrench()
    {
        for (const QLocale &locale : m_speech->availableLocales()) {
            if (locale.language() == QLocale::French) {
                m_speech->setLocale(locale);
                return !m_speech->availableVoices().isEmpty();
            }
        }
        return false;
    }

    QTextToSpeech *m_speech = nullptr;
    QString m_missing;
};

} // namespace

std::unique_ptr<Speaker> createSystemSpeaker()
{
    return std::make_unique<QtSpeaker>();
}

} // namespace platform
