// The field file's text: reading by substring search, and the writer's exact text.
#include "fields/field_file.h"
#include "fields/field_file_keeper.h"
#include "tests/test_files.h"

#include <QtTest>

namespace {

// Names and patterns in turn, so a table row can spell out a whole catalogue.
QStringList flat(const QList<FieldDef> &fields)
{
    QStringList result;
    for (const FieldDef &field : fields)
        result << field.name << field.pattern;
    return result;
}

QList<FieldDef> unflat(const QStringList &values)
{
    QList<FieldDef> fields;
    for (int i = 0; i + 1 < values.size(); i += 2)
        fields.append({ values.at(i), values.at(i + 1) });
    return fields;
}

} // namespace

class TestFieldFile : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void write_data();
    void write();
    void backupNames();
};

void TestFieldFile::read_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("zero bytes") << "" << QStringList();
    QTest::newRow("no element") << "姓名 学号" << QStringList();
    QTest::newRow("white space between elements")
        << "\n<field><name>a</name><pattern>b</pattern></field>\r\n\t <field><name>c</name></field>\n"
        << QStringList { "a", "b", "c", "" };
    QTest::newRow("white space inside a value")
        << "<field><name> 姓名 </name><pattern>\n^a$\t</pattern></field>"
        << QStringList { " 姓名 ", "\n^a$\t" };
    QTest::newRow("empty element") << "<field></field>" << QStringList { "", "" };
    QTest::newRow("unclosed element drops the rest")
        << "<field><name>a</name></field><field><name>甲</name><field><name>乙</name>"
        << QStringList { "a", "" };
    QTest::newRow("opening tag inside an element is content")
        << "<field><name>甲</name><field><name>乙</name></field><pattern>p</pattern></field>"
        << QStringList { "甲", "" };
    QTest::newRow("tags are case-sensitive")
        << "<Field><name>a</name></Field><field><NAME>b</NAME><pattern>p</pattern></field>"
        << QStringList { "", "p" };
    QTest::newRow("pattern before name")
        << "<field><pattern>p</pattern><name>n</name></field>" << QStringList { "n", "p" };
    QTest::newRow("first of each tag counts")
        << "<field><name>a</name><name>b</name><pattern>p</pattern><pattern>q</pattern></field>"
        << QStringList { "a", "p" };
    QTest::newRow("unclosed value runs to the end")
        << "<field><pattern>p<name>n</name></field>" << QStringList { "n", "p<name>n</name>" };
    // The closing tag is searched from the start of the element, so one before the value is no end.
    QTest::newRow("closing tag before the value")
        << "<field></name>x<name>n</field>" << QStringList { "n", "" };
    QTest::newRow("text around elements ignored")
        << "head<field><name>a</name><pattern>b</pattern></field>tail" << QStringList { "a", "b" };
    QTest::newRow("equal names stay two fields")
        << "<field><name>a</name><pattern></pattern></field><field><name>a</name><pattern></pattern></field>"
        << QStringList { "a", "", "a", "" };
}

void TestFieldFile::read()
{
    QFETCH(QString, text);
    QFETCH(QStringList, fields);
    QCOMPARE(flat(fieldsFromText(text)), fields);
}

void TestFieldFile::write_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("readBack");

    QTest::newRow("empty catalogue") << QStringList() << "" << QStringList();
    const QStringList two { "姓名", R"(^[^\x00-\xff]{2,4}$)", "学号", R"(^20\d{10,11}$)" };
    QTest::newRow("two fields back to back")
        << two
        << R"(<field><name>姓名</name><pattern>^[^\x00-\xff]{2,4}$</pattern></field>)"
           R"(<field><name>学号</name><pattern>^20\d{10,11}$</pattern></field>)"
        << two;
    const QStringList markers { "a%1", "%2\\d%1%" };
    QTest::newRow("place markers copied verbatim")
        << markers << "<field><name>a%1</name><pattern>%2\\d%1%</pattern></field>" << markers;
    const QStringList unescaped { "<&\"'>", "a<b>\\" };
    QTest::newRow("nothing escaped") << unescaped
                                     << "<field><name><&\"'></name><pattern>a<b>\\</pattern></field>"
                                     << unescaped;
    QTest::newRow("empty name and pattern")
        << QStringList { "", "" } << "<field><name></name><pattern></pattern></field>"
        << QStringList { "", "" };
    // Known limit of the format: nothing is escaped, so a value holding a closing tag is cut there.
    QTest::newRow("tag text inside a value")
        << QStringList { "a</name>b", "p" } << "<field><name>a</name>b</name><pattern>p</pattern></field>"
        << QStringList { "a", "p" };
}

void TestFieldFile::write()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, text);
    QFETCH(QStringList, readBack);

    QCOMPARE(fieldsToText(unflat(fields)), text);
    QCOMPARE(flat(fieldsFromText(text)), readBack);
}

void TestFieldFile::backupNames()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fields.txt"));
    QVERIFY(TestFiles::putBytes(path, "original"));
    QCOMPARE(FieldFileKeeper::backupPath(path), path + ".bak");
    // A copy of this same file serves again; someone else's file of that name is never replaced.
    QVERIFY(TestFiles::putBytes(path + ".bak", "original"));
    QCOMPARE(FieldFileKeeper::backupPath(path), path + ".bak");
    QVERIFY(TestFiles::putBytes(path + ".bak", "the user's own"));
    QCOMPARE(FieldFileKeeper::backupPath(path), path + ".bak2");
}

QTEST_GUILESS_MAIN(TestFieldFile)
#include "tst_field_file.moc"
