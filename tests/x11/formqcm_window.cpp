#include <QProcess>
#include <QTest>
#include <QWindow>

#include "app/Application.h"
#include "app/TavelorWindows.h"
#include "ui_FormQCM.h"

// The real main window on an X server: its place, and quitting by a click
// that goes through the server.
class FormQCMWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void startsFramelessAtItsPlaceAndQuitsOnQuitter()
    {
        setUpApplication(*qApp);
        TavelorWindows windows;
        TFormQCM &form = windows.FormQCM;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        QVERIFY(form.windowHandle()->flags().testFlag(Qt::FramelessWindowHint));
        QTRY_COMPARE(form.windowHandle()->framePosition(), QPoint(12, 49));
        QCOMPARE(form.frameGeometry(), QRect(12, 49, 843, 524));

        // A secondary window on screen must not keep the program alive.
        windows.Form1.setGeometry(900, 600, 200, 200);
        windows.Form1.show();
        QVERIFY(QTest::qWaitForWindowExposed(&windows.Form1));

        const QPoint quit = form.ui->EzRgnBtn1->mapToGlobal(form.ui->EzRgnBtn1->rect().center());
        QTimer::singleShot(100, [quit] {
            QProcess::execute(u"xdotool"_qs, {u"mousemove"_qs, QString::number(quit.x()), QString::number(quit.y()),
                                              u"click"_qs, u"1"_qs});
        });
        QTimer::singleShot(20000, [] { QCoreApplication::exit(2); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(FormQCMWindowTest)
#include "formqcm_window.moc"
