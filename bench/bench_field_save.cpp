// Benchmark: saving a 50-field catalogue through the window's own save path. The field file is
// rewritten on every keystroke in the pattern box, so one save must stay well under 10 ms.
#include "app/quorbel.h"
#include "fields/field_file.h"
#include "fields/known_fields.h"
#include "fields/text_file.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTextCodec>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const int kFields = 50;
const int kRuns = 500;

// Names and patterns of the length users keep: the presets, over and over.
QList<FieldDef> fiftyFields()
{
    const QStringList presetNames { "姓名", "性别",   "年龄", "班级", "手机", "邮箱",
                                    "学号", "身份证", "专业", "学校", "年级" };
    QList<FieldDef> fields;
    for (int i = 0; i < kFields; ++i) {
        const QString name = presetNames.at(i % presetNames.size());
        fields.append({ name + QString::number(i), presetPattern(name) });
    }
    return fields;
}

void report(const char *what, const std::function<void(int)> &run)
{
    std::vector<double> ms;
    ms.reserve(kRuns);
    QElapsedTimer timer;
    for (int i = 0; i < kRuns; ++i) {
        timer.start();
        run(i);
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double m : ms)
        sum += m;
    std::printf("%-44s runs %d  mean %.3f ms  median %.3f ms  p95 %.3f ms  max %.3f ms\n", what, kRuns,
                sum / kRuns, ms[kRuns / 2], ms[kRuns * 95 / 100], ms.back());
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    // The window keeps its data directory beside the executable; start it with 50 fields on disk.
    const QString dataDir = QCoreApplication::applicationDirPath() + QStringLiteral("/data/");
    const QString path = dataDir + QStringLiteral("fields.txt");
    QDir().mkpath(dataDir);
    QString error;
    if (!writeTextFile(path, fieldsToText(fiftyFields()), QTextCodec::codecForName("utf-8"), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }

    int status = 0;
    {
        Quorbel window;
        if (window.fieldCatalogue().size() != kFields) {
            std::fprintf(stderr, "expected %d fields, loaded %d\n", kFields, window.fieldCatalogue().size());
            return 1;
        }
        std::printf("field file: %d fields, %lld bytes, %s\n", kFields, QFileInfo(path).size(),
                    qPrintable(path));
        // The share of the program's own work; the rest is the file system.
        report("encoding only (fieldsToText, UTF-8)", [&](int) {
            const QByteArray bytes = fieldsToText(window.fieldCatalogue().fields()).toUtf8();
            Q_UNUSED(bytes)
        });
        report("saveFields (temporary file, fsync, rename)", [&](int) { window.saveFields(); });

        // The same save as the user causes it: one keystroke in the pattern box of the last field.
        window.findChild<QListWidget *>(QStringLiteral("fieldsList"))->setCurrentRow(kFields - 1);
        auto *patternEdit = window.findChild<QLineEdit *>(QStringLiteral("patternEdit"));
        const QString base = patternEdit->text();
        report("one keystroke in the pattern box",
               [&](int i) { patternEdit->setText(base + QString::number(i % 10)); });

        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)
            || file.readAll() != fieldsToText(window.fieldCatalogue().fields()).toUtf8()) {
            std::fprintf(stderr, "the field file does not hold the catalogue\n");
            status = 1;
        }
    }
    QFile::remove(path);
    QDir().rmdir(dataDir);
    return status;
}
