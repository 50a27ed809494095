#include "platform/Desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace platform {

QFileDialog *createOpenDialog(QWidget *parent)
{
    auto *dialog = new QFileDialog(parent);
    dialog->setObjectName(QStringLiteral("OpenDialog1"));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::ReadOnly, false);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setNameFilter(QStringLiteral("qcm (*.qcm)"));
    dialog->setSizeGripEnabled(true);
    return dialog;
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
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::current().absoluteFilePath(fileName)));
}

} // namespace platform
