#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

// A French voice that reads texts aloud. Saying a text ends the one being
// read, and so does destroying the voice; nothing here waits for it.
namespace platform {

class Speaker : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // What is missing for a French voice to speak, said for the pupil's
    // teacher; empty while the voice may speak. A voice found missing only
    // later says so through failed().
    virtual QString unavailability() const = 0;
    virtual void say(const QString &text) = 0;
    virtual void stop() = 0;
    virtual void setSlow(bool slow) = 0;

signals:
    // The voice cannot speak, or stopped working; `why` is in French.
    void failed(const QString &why);
};

// The system's voice. Loading it takes time: made only when a pupil wants it.
std::unique_ptr<Speaker> createSpeaker();

// Tests hand their own voice; an empty function brings the system's back.
void replaceSpeakerForTests(std::function<std::unique_ptr<Speaker>()> make);

} // namespace platform
