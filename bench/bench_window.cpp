// Re-sorting and adding records through the real window, table items included.
// Prints its figures; not part of the test suite.
#include "app/quorbel.h"
#include "bench/sample_records.h"
#include "fields/field_file.h"
#include "fields/known_fields.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <QtWidgets>

#include <algorithm>
#include <cstdio>

namespace {

double seconds(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("quorbel.*.debug=false"));

    const QString dataDir = QCoreApplication::applicationDirPath() + QStringLiteral("/data/");
    QDir(dataDir).removeRecursively();
    QDir().mkpath(dataDir);
    QList<FieldDef> fields;
    for (const char *name : { "姓名", "性别", "年龄", "班级", "手机", "手机号", "邮箱", "学号", "身份证",
                              "专业", "学校", "大学", "年级" }) {
        const QString n = QString::fromUtf8(name);
        fields.append({ n, presetPattern(n) });
    }
    QFile file(dataDir + QStringLiteral("fields.txt"));
    if (!file.open(QIODevice::WriteOnly) || file.write(fieldsToText(fields).toUtf8()) < 0)
        return 1;
    file.close();

    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    SampleRecords samples(20261207);
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts.append(samples.record());

    Quorbel window;
    window.show();
    auto *input = window.findChild<QPlainTextEdit *>(QStringLiteral("inputEdit"));
    auto *addButton = window.findChild<QPushButton *>(QStringLiteral("inputButton"));
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("tableWidget"));

    QElapsedTimer timer;
    timer.start();
    for (const QString &text : texts) {
        input->setPlainText(text);
        addButton->click();
    }
    std::printf("add %d records one by one: %.3f s (%.0f records/s)\n", count, seconds(timer),
                count / seconds(timer));

    // Re-sort through the slot, the confirmation answered as soon as it shows.
    QTimer yes;
    yes.setInterval(0);
    QObject::connect(&yes, &QTimer::timeout, [&yes] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            yes.stop();
            box->button(QMessageBox::Yes)->click();
        }
    });
    yes.start();
    timer.restart();
    window.slotResortButtonClicked();
    std::printf("re-sort %d records over %d fields: %.3f s (target < 1 s)\n", count, int(fields.size()),
                seconds(timer));

    QList<qint64> singles;
    for (int i = 0; i < 50; ++i) {
        input->setPlainText(texts.at(i));
        timer.restart();
        addButton->click();
        singles.append(timer.nsecsElapsed());
    }
    std::sort(singles.begin(), singles.end());
    std::printf("add one record to a table of %d rows: median %.3f ms, worst %.3f ms (target < 10 ms)\n",
                table->rowCount() - 1, singles.at(singles.size() / 2) / 1e6, singles.last() / 1e6);

    QDir(dataDir).removeRecursively();
    return 0;
}
