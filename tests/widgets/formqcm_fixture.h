#pragma once

// Shared by the main window's widget tests: quiz files written on the fly and
// a driver that answers the modal dialogs the window opens.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QQueue>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <vector>

#include "quiz/QuizFile.h"
#include "quiz/RecordText.h"

namespace formqcm_test {

// A record whose question reads "<tag> question <n>".
inline qcm::QuestionRecord makeRecord(const QString &tag, int n)
{
    qcm::QuestionRecord record;
    qcm::encodeField(record, qcm::Field::QuestionText, QStringLiteral("%1 question %2").arg(tag).arg(n));
    qcm::encodeField(record, qcm::Field::Answer1, QStringLiteral("Oui"));
    qcm::encodeField(record, qcm::Field::Answer2, QStringLiteral("Non"));
    qcm::encodeField(record, qcm::Field::AnswerKey, QStringLiteral("1"));
    qcm::encodeField(record, qcm::Field::ValidityRule, QStringLiteral("ET"));
    return record;
}

inline QString questionOf(const qcm::QuestionRecord &record)
{
    return qcm::decodeField(record, qcm::Field::QuestionText);
}

// Writes `count` records, then `extraBytes` bytes of a partial record.
inline bool writeQuiz(const QString &path, const QString &tag, int count, int extraBytes = 0)
{
    std::vector<qcm::QuestionRecord> records;
    for (int n = 1; n <= count; ++n)
        records.push_back(makeRecord(tag, n));
    if (!qcm::writeQuizFile(path, records))
        return false;
    if (extraBytes > 0) {
        QFile file(path);
        if (!file.open(QIODevice::Append))
            return false;
        file.write(QByteArray(extraBytes, '\0'));
    }
    return true;
}

// Answers modal dialogs as they come up: message boxes are acknowledged and
// their texts recorded; the file dialog takes the next planned answer (a path
// to choose, or an empty string to cancel).
class ModalDriver : public QObject
{
public:
    ModalDriver()
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
        m_timer.start();
    }

    void planFile(const QString &path) { m_files.enqueue(path); }
    void planCancel() { m_files.enqueue(QString()); }
    // Runs once, the next time a message box is up, before it is answered.
    void onNextMessage(std::function<void()> action) { m_onMessage = std::move(action); }

    QStringList messages;
    int dialogsSeen = 0;
    QString lastDialogFolder;

private:
    void poll()
    {
        // Each answer hides the dialog at once, so none is answered twice.
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            messages << box->text();
            if (m_onMessage)
                std::exchange(m_onMessage, nullptr)();
            box->button(QMessageBox::Ok)->click();
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            if (!m_choosing) {
                ++dialogsSeen;
                lastDialogFolder = dialog->directory().absolutePath();
                const QString path = m_files.isEmpty() ? QString() : m_files.dequeue();
                if (path.isEmpty()) {
                    dialog->reject();
                    return;
                }
                m_choosing = true;
                m_choice = QFileInfo(path).absoluteFilePath();
            }
            // The dialog may rewrite the name field while its folder loads:
            // the typed file is put back until the dialog takes it.
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (name->text() != m_choice)
                name->setText(m_choice);
            // The dialog's view fills in on its own time and may hold an older
            // selection until then: accept only once the typed file is the choice.
            if (dialog->selectedFiles() == QStringList{m_choice}) {
                m_choosing = false;
                QMetaObject::invokeMethod(dialog, "accept");
            }
        }
    }

    QTimer m_timer;
    bool m_choosing = false;
    QString m_choice;
    QQueue<QString> m_files;
    std::function<void()> m_onMessage;
};

} // namespace formqcm_test
