#include <QLocale>
#include <QTextToSpeech>
#include <QThread>
#include <algorithm>
#include <csignal>

#include "platform/Speaker.h"

namespace platform {

namespace {

const QString InstallHint = QStringLiteral(
    "installez speech-dispatcher et sa voix espeak-ng (paquets speech-dispatcher-espeak-ng et "
    "qt6-speech-speechd-plugin).");

// France's voice first: the Belgian and Swiss ones say "septante".
bool chooseFrench(QTextToSpeech &speech)
{
    if (speech.locale().language() != QLocale::French) {
        const QList<QLocale> locales = speech.availableLocales();
        const QLocale france(QLocale::French, QLocale::France);
        auto chosen = std::find(locales.begin(), locales.end(), france);
        if (chosen == locales.end())
            chosen = std::find_if(locales.begin(), locales.end(),
                                  [](const QLocale &l) { return l.language() == QLocale::French; });
        if (chosen == locales.end())
            return false;
        speech.setLocale(*chosen);
    }
    return !speech.availableVoices().isEmpty();
}

// What is missing for a French voice to speak, empty when nothing is.
QString missingForFrench(QTextToSpeech *speech)
{
    if (!speech)
        return QStringLiteral("Aucun moteur de synthèse vocale n'est installé : ") + InstallHint;
    if (speech->state() == QTextToSpeech::Error)
        return QStringLiteral("La synthèse vocale ne répond pas : ") + InstallHint;
    if (!chooseFrench(*speech))
        return QStringLiteral("Aucune voix française n'est installée : ") + InstallHint;
    return {};
}

// Qt's speech engines, speech-dispatcher's first where there are several: it
// carries espeak-ng's French voice. Starting the server and listing its
// thousands of voices takes a second or more, so the engine lives on a
// thread of its own, and every call is queued to it.
class QtSpeaker : public Speaker
{
public:
    QtSpeaker()
    {
        // A speech server that dies leaves a closed socket, which must not
        // end the quiz with SIGPIPE at the next reading.
        std::signal(SIGPIPE, SIG_IGN);
        m_thread.setObjectName(QStringLiteral("speech"));
        m_onThread->moveToThread(&m_thread);
        m_thread.start();
        onThread([this] {
            const QStringList engines = QTextToSpeech::availableEngines();
            if (!engines.isEmpty()) {
                const QString engine = engines.contains(QLatin1String("speechd")) ? QStringLiteral("speechd")
                                                                                   : engines.constFirst();
                m_speech = new QTextToSpeech(engine, m_onThread);
            }
            const QString missing = missingForFrench(m_speech);
            if (!missing.isEmpty()) {
                delete std::exchange(m_speech, nullptr);
                QMetaObject::invokeMethod(this, [this, missing] {
                    m_missing = missing;
                    emit failed(missing);
                });
                return;
            }
            QObject::connect(m_speech, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
                if (state == QTextToSpeech::Error)
                    emit failed(QStringLiteral("La synthèse vocale s'est arrêtée."));
            }, Qt::QueuedConnection);
        });
    }

    ~QtSpeaker() override
    {
        onThread([this] {
            if (m_speech)
                m_speech->stop();
            m_onThread->deleteLater();
        });
        m_thread.quit();
        m_thread.wait();
    }

    QString unavailability() const override { return m_missing; }

    void say(const QString &text) override
    {
        onThread([this, text] {
            if (m_speech) {
                m_speech->stop();
                m_speech->say(text);
            }
        });
    }

    void stop() override
    {
        onThread([this] {
            if (m_speech)
                m_speech->stop();
        });
    }

    void setSlow(bool slow) override
    {
        onThread([this, slow] {
            if (m_speech)
                m_speech->setRate(slow ? -0.4 : 0.0);
        });
    }

private:
    template <typename Call>
    void onThread(Call call)
    {
        QMetaObject::invokeMethod(m_onThread, std::move(call), Qt::QueuedConnection);
    }

    QThread m_thread;
    QObject *m_onThread = new QObject;
    // Only touched on the speech thread.
    QTextToSpeech *m_speech = nullptr;
    QString m_missing;
};

} // namespace

std::unique_ptr<Speaker> createSystemSpeaker()
{
    return std::make_unique<QtSpeaker>();
}

} // namespace platform
