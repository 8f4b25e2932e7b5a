// quorbel-sort driven as a process: inputs, record splitting, output and every way of failing.
#include "fields/field_file.h"
#include "tests/test_files.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run runSort(const QStringList &arguments, const QByteArray &input = QByteArray(),
            const QString &program = QStringLiteral(QUORBEL_SORT_PATH))
{
    QProcess process;
    process.start(program, arguments);
    Run run;
    if (!process.waitForStarted())
        return run;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

using TestFiles::putBytes;

// The text in that encoding, led by its byte-order mark.
QByteArray withByteOrderMark(const char *codec, const char *text)
{
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QString marked = QStringLiteral("\uFEFF") + QString::fromUtf8(text);
    return QTextCodec::codecForName(codec)->fromUnicode(marked.constData(), marked.size(), &state);
}

const QList<FieldDef> fields { { QStringLiteral("姓名"), QStringLiteral("^[^\\x00-\\xff]{2,4}$") },
                               { QStringLiteral("性别"), QStringLiteral("[01男女]") },
                               { QStringLiteral("年龄"), QStringLiteral("^\\d{1,2}$") } };

} // namespace

class TestQuorbelSort : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void records_data();
    void records();
    void duplicateNotes_data();
    void duplicateNotes();
    void inputsInOrder();
    void header();
    void xlsx();
    void encoding();
    void verbose();
    void help();
    void badArguments_data();
    void badArguments();
    void unreadableInputIsSkipped();
    void defaultFieldFile();

private:
    QString path(const char *name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir m_dir;
    QStringList m_fieldsOption;
};

void TestQuorbelSort::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(putBytes(path("fields.txt"), fieldsToText(fields).toUtf8()));
    const QList<FieldDef> contacts { fields.first(),
                                     { QStringLiteral("手机"), QStringLiteral("^1\\d{10}$") },
                                     { QStringLiteral("邮箱"), QStringLiteral("@") } };
    QVERIFY(putBytes(path("contacts.txt"), fieldsToText(contacts).toUtf8()));
    m_fieldsOption = QStringList { QStringLiteral("--fields"), path("fields.txt") };
}

void TestQuorbelSort::records_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("blocks between blank lines")
        << QStringList() << QByteArray("\n张三 男 20\n\n\n李四\n女\n \t\n王五，33\n")
        << QByteArray("张三\t男\t20\n李四\t女\t\n王五\t\t33\n");
    QTest::newRow("ideographic space and CR make blank lines")
        << QStringList() << QByteArray("张三\r\n\r\n李四\n\u3000\n25")
        << QByteArray("张三\t\t\n李四\t\t\n\t\t25\n");
    QTest::newRow("no records") << QStringList() << QByteArray(" \n\n") << QByteArray();
    QTest::newRow("CR alone ends a line")
        << QStringList() << QByteArray("张三\r男\r\r李四\r25") << QByteArray("张三\t男\t\n李四\t\t25\n");
    // The CR is the last byte of the first 64 KiB read.
    QTest::newRow("CR LF cut between reads")
        << QStringList() << QByteArray(65529, ' ') + "张三\r\n男" << QByteArray("张三\t男\t\n");
    for (const char *codec : { "UTF-16LE", "UTF-16BE", "UTF-32LE", "UTF-32BE" }) {
        QTest::newRow(codec) << QStringList() << withByteOrderMark(codec, "张三\r\n男\r\n\r\n25")
                             << QByteArray("张三\t男\t\n\t\t25\n");
    }
    QTest::newRow("whole input is one record")
        << QStringList { QStringLiteral("--whole") } << QByteArray("张三\n\n男\n\n20\n\n")
        << QByteArray("张三\t男\t20\n");
    QTest::newRow("whole empty input gives one row")
        << QStringList { QStringLiteral("--whole") } << QByteArray() << QByteArray("\t\t\n");
    QTest::newRow("lines: one record a line, blank ones skipped")
        << QStringList { QStringLiteral("--lines") } << QByteArray("张三 男\r\n\r\n \u3000\n李四 33\r王五")
        << QByteArray("张三\t男\t\n李四\t\t33\n王五\t\t\n");
    QTest::newRow("json: glued label, check and suggestion")
        << QStringList { QStringLiteral("--json") } << QByteArray("性别女 张三")
        << QByteArray("{\"cells\": [\"张三\", \"性别女\", \"\"], \"suggested\": [\"张三\", \"女\", \"\"], "
                      "\"leftover\": [], \"notes\": [{\"field\": 1, \"kind\": \"check\", \"text\": "
                      "\"含有标签“性别”\"}, "
                      "{\"field\": 1, \"kind\": \"suggestion\", \"text\": \"建议：女（来自“性别女”）\", "
                      "\"values\": [\"女\"]}]}\n");
    QTest::newRow("json: escaping, with --header and --whole")
        << QStringList { QStringLiteral("--json"), QStringLiteral("--header"), QStringLiteral("--whole") }
        << QByteArray("张三\n\na\"b\\c\x01")
        << QByteArray("{\"header\": [\"姓名\", \"性别\", \"年龄\"]}\n"
                      "{\"cells\": [\"张三\", \"\", \"\"], \"suggested\": [\"张三\", \"\", \"\"], "
                      "\"leftover\": [\"a\\\"b\\\\c\\u0001\"], \"notes\": []}\n");
}

void TestQuorbelSort::records()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);

    const Run run = runSort(m_fieldsOption + options, input);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, expected);
}

void TestQuorbelSort::duplicateNotes_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("notes"); // "record: field>earlier text" per duplicate note

    QTest::newRow("later occurrences name the first")
        << QStringList { QStringLiteral("--lines") }
        << QByteArray("张三 13800138000\n李四 a@b.cn\n王五 13800138000 A@b.cn\n赵六 a@b.cn \n")
        << QStringList { "2: 1>0 与第 1 条重复（手机）", "2: 2>1 与第 2 条重复（邮箱）",
                         "3: 2>1 与第 2 条重复（邮箱）" };
    QTest::newRow("a name alone is no duplicate")
        << QStringList() << QByteArray("张三 13800138000\n\n张三 13900139000") << QStringList();
}

void TestQuorbelSort::duplicateNotes()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, input);
    QFETCH(QStringList, notes);

    const QStringList fieldsOption { QStringLiteral("--fields"), path("contacts.txt") };
    const Run run = runSort(fieldsOption + options + QStringList { QStringLiteral("--json") }, input);
    QCOMPARE(run.exitCode, 0);
    QStringList found;
    const QList<QByteArray> lines = run.out.split('\n');
    for (int record = 0; record < lines.size(); ++record) {
        for (const QJsonValue note :
             QJsonDocument::fromJson(lines.at(record)).object().value("notes").toArray()) {
            const QJsonObject object = note.toObject();
            if (object.value("kind").toString() == QLatin1String("duplicate"))
                found << QStringLiteral("%1: %2>%3 %4")
                             .arg(record)
                             .arg(object.value("field").toInt())
                             .arg(object.value("record").toInt())
                             .arg(object.value("text").toString());
        }
    }
    QCOMPARE(found, notes);
    // The plain rows stay as they were.
    QCOMPARE(runSort(fieldsOption + options, input).out.count('\n'), lines.size() - 1);
}

// Files and "-" in the order given; a record ends with its input even without a blank line.
void TestQuorbelSort::inputsInOrder()
{
    QVERIFY(putBytes(path("one.txt"), "张三\n男"));
    QVERIFY(putBytes(path("two.txt"), "25\n"));
    const Run run = runSort(
        m_fieldsOption + QStringList { path("one.txt"), QStringLiteral("-"), path("two.txt") }, "李四");
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("张三\t男\t\n李四\t\t\n\t\t25\n"));
}

void TestQuorbelSort::header()
{
    const Run run = runSort(m_fieldsOption + QStringList { QStringLiteral("--header") }, "张三");
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("姓名\t性别\t年龄\n张三\t\t\n"));

    const QList<FieldDef> oddNames { { QStringLiteral("姓\t名"), QString() },
                                     { QStringLiteral("性\n别"), QString() } };
    QVERIFY(putBytes(path("odd.txt"), fieldsToText(oddNames).toUtf8()));
    const Run odd = runSort({ QStringLiteral("--fields"), path("odd.txt"), QStringLiteral("--header") });
    QCOMPARE(odd.out, QByteArray("姓 名\t性 别\n"));
}

// The workbook instead of standard output, header included; a failed write is an error.
void TestQuorbelSort::xlsx()
{
    const QString book = path("out.xlsx");
    Run run = runSort(m_fieldsOption + QStringList { QStringLiteral("--xlsx"), book }, "张三 男\n\n20");
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out + run.err, QByteArray());
    run = runSort(m_fieldsOption + QStringList { QStringLiteral("--xlsx=") + path("no/out.xlsx") }, "张三");
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith("quorbel-sort: cannot write " + path("no/out.xlsx").toUtf8()),
             run.err.constData());

    QString missing;
    const QByteArray read = TestFiles::workbookText(book, &missing);
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing));
    QVERIFY2(read.startsWith("姓名\t性别\t年龄\n张三\t男\t\n\t20\t\ntypes s bold True True True "),
             read.constData());
}

// A leading BOM is dropped; an invalid byte becomes U+FFFD, which no separator swallows.
void TestQuorbelSort::encoding()
{
    const QList<FieldDef> startFields { { QStringLiteral("A"), QStringLiteral("^张") },
                                        { QStringLiteral("B"), QStringLiteral("^\uFFFD") } };
    QVERIFY(putBytes(path("start.txt"), fieldsToText(startFields).toUtf8()));
    const Run run =
        runSort({ QStringLiteral("--fields"), path("start.txt") }, "\xEF\xBB\xBF张三\n\n\xFF李四");
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("张三\t\n\t\xEF\xBF\xBD李四\n"));
    // A field file saved by Notepad on a Chinese Windows (GBK: 张 is D5 C5) is read as GB18030.
    QVERIFY(putBytes(path("gbk.txt"), "<field><name>A</name><pattern>^\xD5\xC5</pattern></field>"));
    QCOMPARE(runSort({ QStringLiteral("--fields"), path("gbk.txt") }, "张三").out, QByteArray("张三\n"));
}

void TestQuorbelSort::verbose()
{
    const Run quiet = runSort(m_fieldsOption, "张三 男");
    QCOMPARE(quiet.err, QByteArray());
    const Run verbose = runSort(m_fieldsOption + QStringList { QStringLiteral("--verbose") }, "张三 男");
    QCOMPARE(verbose.exitCode, 0);
    QCOMPARE(verbose.out, quiet.out);
    const QString err = QString::fromUtf8(verbose.err);
    QVERIFY2(err.contains(QStringLiteral("分割后的长度： 2")), qPrintable(err));
    QCOMPARE(err.count(QStringLiteral("正则匹配到：")), 2);

    // A pattern over the engine's limits is named, in verbose mode only.
    QVERIFY(putBytes(path("bomb.txt"), "<field><name>B</name><pattern>(a?){1000}</pattern></field>"));
    const QStringList bomb { QStringLiteral("--fields"), path("bomb.txt") };
    QCOMPARE(runSort(bomb, "a").err, QByteArray());
    QVERIFY(runSort(bomb + QStringList { QStringLiteral("--verbose") }, "a")
                .err.startsWith(QStringLiteral("quorbel-sort: field B: 表达式过于复杂，已停用：").toUtf8()));
}

void TestQuorbelSort::help()
{
    const Run run = runSort({ QStringLiteral("--help") });
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.startsWith("usage: quorbel-sort [--fields FILE] [--header] [--whole | --lines] [--json] "
                               "[--verbose] [--xlsx OUT] [FILE...]\n"));
    QCOMPARE(run.err, QByteArray());
}

void TestQuorbelSort::badArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("unknown option") << QStringList { QStringLiteral("--bogus") } << 2
                                    << QStringLiteral("quorbel-sort: unknown option: --bogus\nusage: ");
    QTest::newRow("--fields without a file")
        << QStringList { QStringLiteral("--fields") } << 2
        << QStringLiteral("quorbel-sort: option --fields needs a file name\nusage: ");
    QTest::newRow("--fields with an empty name")
        << QStringList { QStringLiteral("--fields"), QString() } << 2
        << QStringLiteral("quorbel-sort: option --fields needs a file name\nusage: ");
    QTest::newRow("--fields= with an empty name")
        << QStringList { QStringLiteral("--fields=") } << 2
        << QStringLiteral("quorbel-sort: option --fields needs a file name\nusage: ");
    QTest::newRow("--xlsx without a file")
        << QStringList { QStringLiteral("--xlsx") } << 2
        << QStringLiteral("quorbel-sort: option --xlsx needs a file name\nusage: ");
    QTest::newRow("--whole with --lines")
        << QStringList { QStringLiteral("--whole"), QStringLiteral("--lines") } << 2
        << QStringLiteral("quorbel-sort: --whole and --lines cannot be used together\nusage: ");
    QTest::newRow("missing field file")
        << QStringList { QStringLiteral("--fields"), QStringLiteral("/nonexistent/fields.txt") } << 1
        << QStringLiteral("quorbel-sort: field file not found: /nonexistent/fields.txt\n");
    QTest::newRow("unreadable field file")
        << QStringList { QStringLiteral("--fields"), QDir::tempPath() } << 1
        << QStringLiteral("quorbel-sort: cannot read field file: ") + QDir::tempPath() + QLatin1Char('\n');
}

void TestQuorbelSort::badArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    const Run run = runSort(arguments, "张三");
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(run.err).startsWith(message), run.err.constData());
    QCOMPARE(run.out, QByteArray());
}

void TestQuorbelSort::unreadableInputIsSkipped()
{
    QVERIFY(putBytes(path("a.txt"), "张三"));
    QVERIFY(putBytes(path("b.txt"), "李四"));
    const Run run =
        runSort(m_fieldsOption + QStringList { path("a.txt"), path("missing.txt"), path("b.txt") });
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, QByteArray("张三\t\t\n李四\t\t\n"));
    QVERIFY2(run.err.startsWith("quorbel-sort: cannot read " + path("missing.txt").toUtf8() + ": "),
             run.err.constData());
    QCOMPARE(run.err.count('\n'), 1);
}

// Without --fields: data/fields.txt beside the executable, else the user's folder; so run a copy in a
// folder of our own.
void TestQuorbelSort::defaultFieldFile()
{
    QTemporaryDir appDir;
    QVERIFY(appDir.isValid());
    const QString program = appDir.filePath(QStringLiteral("quorbel-sort"));
    QVERIFY(QFile::copy(QStringLiteral(QUORBEL_SORT_PATH), program));
    const QString fieldFile = appDir.filePath(QStringLiteral("data/fields.txt"));

    const Run missing = runSort({}, "张三", program);
    QCOMPARE(missing.exitCode, 1);
    QCOMPARE(missing.err, "quorbel-sort: field file not found: " + fieldFile.toUtf8() + '\n');

    QVERIFY(QDir(appDir.path()).mkdir(QStringLiteral("data")));
    QVERIFY(putBytes(fieldFile, fieldsToText(fields).toUtf8()));
    const Run found = runSort({}, "张三 男", program);
    QCOMPARE(found.exitCode, 0);
    QCOMPARE(found.out, QByteArray("张三\t男\t\n"));

#ifndef Q_OS_WIN
    // Installed (the setup's uninstaller beside it): the user's folder, as the window, and only it.
    QVERIFY(putBytes(appDir.filePath(QStringLiteral("uninstall.exe")), "MZ"));
    const QByteArray savedHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", appDir.filePath(QStringLiteral("share")).toUtf8());
    const QString userFile = appDir.filePath(QStringLiteral("share/Quorbel/fields.txt"));
    const Run notThere = runSort({}, "张三", program);
    QVERIFY(putBytes(userFile, fieldsToText(fields.mid(1)).toUtf8()));
    const Run user = runSort({}, "男", program);
    savedHome.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", savedHome);
    QCOMPARE(notThere.err, "quorbel-sort: field file not found: " + userFile.toUtf8() + '\n');
    QCOMPARE(user.exitCode, 0);
    QCOMPARE(user.out, QByteArray("男\t\n"));
#endif
}

QTEST_GUILESS_MAIN(TestQuorbelSort)
#include "tst_quorbel_sort.moc"
