// The real window on a real X server (CTest starts it through xvfb-run): a record another client put
// on the clipboard becomes a row, and the copied table is what another client then reads back.
#include "app/display_check.h"
#include "app/quorbel.h"
#include "fields/field_file.h"
#include "gui_test_helpers.h"
#include "tests/test_files.h"

#include <QtTest>
#include <QtWidgets>

#include <cstdio>

namespace {

// The clipboard as another X client reads it, with the event loop turning so this program can answer.
QByteArray clipboardOfOtherClient()
{
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"),
                { QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard"),
                  QStringLiteral("-t"), QStringLiteral("UTF8_STRING") });
    if (!QTest::qWaitFor([&xclip] { return xclip.state() == QProcess::NotRunning; }, 10000)) {
        xclip.kill();
        xclip.waitForFinished();
        return "<no answer>";
    }
    return xclip.readAllStandardOutput();
}

} // namespace

class TestX11Clipboard : public QObject
{
    Q_OBJECT

private slots:
    void pasteAndCopyThroughOtherClients();
};

void TestX11Clipboard::pasteAndCopyThroughOtherClients()
{
    GuiTest::removeDataDir();
    const QList<FieldDef> fields { { QStringLiteral("姓名"), QStringLiteral("^[^\\x00-\\xff]{2,4}$") },
                                   { QStringLiteral("性别"), QStringLiteral("[01男女]") },
                                   { QStringLiteral("手机号"), QStringLiteral("^1\\d{10}$") } };
    QVERIFY(TestFiles::putBytes(GuiTest::dataDir() + QStringLiteral("fields.txt"),
                                fieldsToText(fields).toUtf8()));
    Quorbel window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // xclip keeps the clipboard in the foreground until another client takes it over.
    const QByteArray record = "13900001111\n李四，女";
    QProcess owner;
    owner.start(QStringLiteral("xclip"),
                { QStringLiteral("-quiet"), QStringLiteral("-selection"), QStringLiteral("clipboard"),
                  QStringLiteral("-i") });
    QVERIFY2(owner.waitForStarted(), "xclip cannot run; install the xclip package");
    owner.write(record);
    owner.closeWriteChannel();
    QTRY_COMPARE_WITH_TIMEOUT(clipboardOfOtherClient(), record, 10000);

    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("pasteButton")), Qt::LeftButton);
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->item(0, 2)->text(), QStringLiteral("13900001111"));

    GuiTest::BoxAnswerer answerer(QMessageBox::Ok);
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("copyExcelButton")), Qt::LeftButton);
    QCOMPARE(answerer.boxes.size(), 1);
    QVERIFY(QTest::qWaitFor([&owner] { return owner.state() == QProcess::NotRunning; }, 10000));
    QCOMPARE(clipboardOfOtherClient(), QByteArray("李四\t女\t13900001111\n"));
    GuiTest::removeDataDir();
}

// The X server xvfb-run started, never the offscreen platform of the other window tests; checked
// first, so a server that did not start fails with a line that says so.
int main(int argc, char *argv[])
{
    qunsetenv("QT_QPA_PLATFORM");
    qunsetenv("WAYLAND_DISPLAY");
    QString reason;
    if (!displayAvailable(argc, argv, &reason)) {
        std::fprintf(stderr, "FAIL: no X server (did Xvfb start?): %s\n", qPrintable(reason));
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    // No session bus either: without one libdbus tries to start one through the X server, and leaks.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    QApplication app(argc, argv);
    TestX11Clipboard test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_x11_clipboard.moc"
