#include "editor/RecentQuizzes.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "platform/Settings.h"

namespace editor {

namespace {

const QString Key = QStringLiteral("editeur/recents");

} // namespace

RecentQuizzes::RecentQuizzes(QMenu *menu)
    : QObject(menu)
    , menu(menu)
{
    rebuild();
}

QStringList RecentQuizzes::paths() const
{
    return platform::programSettings().value(Key).toStringList();
}

void RecentQuizzes::remember(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList kept = paths();
    kept.removeAll(absolute);
    kept.prepend(absolute);
    store(kept.mid(0, Kept));
}

void RecentQuizzes::forget(const QString &path)
{
    QStringList kept = paths();
    kept.removeAll(QFileInfo(path).absoluteFilePath());
    store(kept);
}

void RecentQuizzes::store(const QStringList &paths)
{
    platform::programSettings().setValue(Key, paths);
    rebuild();
}

void RecentQuizzes::rebuild()
{
    menu->clear();
    const QStringList kept = paths();
    if (kept.isEmpty()) {
        menu->addAction(QStringLiteral("(aucun QCM pour l'instant)"))->setEnabled(false);
        return;
    }
    for (int i = 0; i < kept.size(); ++i) {
        const QFileInfo file(kept[i]);
        // "&1 calcul.qcm (C:\QCM\Mathématiques)": the number is the key.
        QAction *action = menu->addAction(QStringLiteral("&%1 %2 (%3)")
                                              .arg(i + 1)
                                              .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath())));
        const QString path = kept[i];
        connect(action, &QAction::triggered, this, [this, path] { emit openRequested(path); });
    }
}

} // namespace editor
