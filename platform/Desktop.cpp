#include "platform/Desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QCompleter>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTreeView>
#include <QMessageBox>
#include <QUrl>
#include <algorithm>

#include "platform/FileNames.h"
#include "platform/Folders.h"

namespace platform {

namespace {

// The detail view keeps its columns' first widths, narrower than some French
// texts ("Dossier de fichiers", dates): fit size, type and date to each
// folder read.
void fitDetailColumns(QFileDialog *dialog)
{
    auto *details = dialog->findChild<QTreeView *>(QStringLiteral("treeView"));
    auto *model = dialog->findChild<QFileSystemModel *>();
    if (!details || !model)
        return;
    QObject::connect(model, &QFileSystemModel::directoryLoaded, details, [details] {
        for (int column = 1; column < details->header()->count(); ++column)
            details->resizeColumnToContents(column);
    });
}

} // namespace

QFileDialog *createOpenDialog(QWidget *parent)
{
    auto *dialog = new QFileDialog(parent);
    dialog->setObjectName(QStringLiteral("OpenDialog1"));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    // Pupils only pick a quiz: no renaming or deleting from inside the dialog.
    dialog->setOption(QFileDialog::ReadOnly, true);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setNameFilter(QStringLiteral("qcm (*.qcm)"));
    dialog->setSizeGripEnabled(true);
    reportUnrepresentableEntries(dialog);
    fitDetailColumns(dialog);
    // The name field completes a path typed faster than its folder is read
    // once the folder is read, even after the dialog has closed: its list
    // would then come up alone and hold the keyboard.
    auto *fileName = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    if (QCompleter *completer = fileName ? fileName->completer() : nullptr) {
        QObject::connect(dialog, &QDialog::finished, completer, [completer] {
            completer->setCompletionPrefix(QString());
            if (completer->popup())
                completer->popup()->hide();
        });
    }
    return dialog;
}

namespace {

// Qt's dialog gives its side bar the width of an English "Computer": make
// room for each place's whole name ("Ordinateur", "Exemples"…).
void widenSideBar(QFileDialog *dialog)
{
    auto *sideBar = dialog->findChild<QAbstractItemView *>(QStringLiteral("sidebar"));
    if (!sideBar || !sideBar->model())
        return;
    int widest = 0;
    for (int row = 0; row < sideBar->model()->rowCount(); ++row)
        widest = std::max(widest, sideBar->sizeHintForIndex(sideBar->model()->index(row, 0)).width());
    sideBar->setMinimumWidth(widest + 2 * sideBar->frameWidth() + 8);
}

QString chooseFile(QWidget *parent, QFileDialog::AcceptMode mode, const QString &title, const QString &start,
    const QString &filter)
{
    QFileDialog dialog(parent, title, start, filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    widenSideBar(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString chooseFileToOpen(QWidget *parent, const QString &title, const QString &start, const QString &filter)
{
    return chooseFile(parent, QFileDialog::AcceptOpen, title, start, filter);
}

QString chooseFileToSave(QWidget *parent, const QString &title, const QString &start, const QString &filter)
{
    return chooseFile(parent, QFileDialog::AcceptSave, title, start, filter);
}

void offerPlaces(QFileDialog *dialog, const QString &examplesFolder)
{
    QList<QUrl> places{QUrl(QStringLiteral("file:")), QUrl::fromLocalFile(QDir::homePath())};
    for (const QString &folder : {quizFolder(), examplesFolder}) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            places << QUrl::fromLocalFile(folder);
    }
    dialog->setSidebarUrls(places);
    widenSideBar(dialog);
}

void showMessage(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tavelor"), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.exec();
}

void beep()
{
    QApplication::beep();
}

void openWithShell(const QString &fileName)
{
    // A missing document is not handed on, so that no desktop complains of it.
    const QString path = QDir::current().absoluteFilePath(fileName);
    if (QFileInfo::exists(path))
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace platform
