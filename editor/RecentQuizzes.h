#pragma once

#include <QObject>
#include <QStringList>

class QMenu;

// The quizzes the teacher opened or saved last, newest first, kept between
// runs and offered in a menu.
namespace editor {

class RecentQuizzes : public QObject
{
    Q_OBJECT

public:
    static constexpr int Kept = 8;

    explicit RecentQuizzes(QMenu *menu);

    QStringList paths() const;
    void remember(const QString &path);
    void forget(const QString &path);

signals:
    void openRequested(const QString &path);

private:
    void store(const QStringList &paths);
    void rebuild();

    QMenu *menu;
};

} // namespace editor
