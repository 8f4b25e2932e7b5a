// The field catalogue: moves up and down, removal, bad indices, and entries held as values.
#include "fields/field_catalogue.h"

#include <QtTest>

namespace {

FieldCatalogue lettered(const QString &letters)
{
    FieldCatalogue catalogue;
    for (const QChar c : letters)
        catalogue.append({ QString(c), QStringLiteral("p") + c });
    return catalogue;
}

QString letters(const FieldCatalogue &catalogue)
{
    return catalogue.names().join(QString());
}

} // namespace

class TestFieldCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void move_data();
    void move();
    void removeAt_data();
    void removeAt();
    void entriesAreValues();
};

void TestFieldCatalogue::move_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("expected");

    QTest::newRow("down by three") << 1 << 4 << "ACDEBF";
    QTest::newRow("up by three") << 4 << 1 << "AEBCDF";
    QTest::newRow("down by one") << 2 << 3 << "ABDCEF";
    QTest::newRow("up by one") << 3 << 2 << "ABDCEF";
    QTest::newRow("to the top") << 5 << 0 << "FABCDE";
    QTest::newRow("to the bottom") << 0 << 5 << "BCDEFA";
    QTest::newRow("onto its own place") << 2 << 2 << "ABCDEF";
    QTest::newRow("from below the range") << -1 << 2 << "ABCDEF";
    QTest::newRow("to past the end") << 2 << 6 << "ABCDEF";
}

void TestFieldCatalogue::move()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, expected);

    FieldCatalogue catalogue = lettered(QStringLiteral("ABCDEF"));
    catalogue.move(from, to);
    QCOMPARE(letters(catalogue), expected);
    // Patterns travel with their names.
    for (int i = 0; i < catalogue.size(); ++i)
        QCOMPARE(catalogue.at(i).pattern, QStringLiteral("p") + catalogue.at(i).name);
}

void TestFieldCatalogue::removeAt_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first") << 0 << "BC";
    QTest::newRow("middle") << 1 << "AC";
    QTest::newRow("last") << 2 << "AB";
    QTest::newRow("minus one") << -1 << "ABC";
    QTest::newRow("size") << 3 << "ABC";
    QTest::newRow("far out") << 1000 << "ABC";
}

void TestFieldCatalogue::removeAt()
{
    QFETCH(int, index);
    QFETCH(QString, expected);

    FieldCatalogue catalogue = lettered(QStringLiteral("ABC"));
    catalogue.removeAt(index);
    QCOMPARE(letters(catalogue), expected);

    FieldCatalogue empty;
    empty.removeAt(index);
    QCOMPARE(empty.size(), 0);
}

void TestFieldCatalogue::entriesAreValues()
{
    FieldCatalogue catalogue;
    catalogue.append({ QStringLiteral("姓名"), QString() });
    catalogue.append({ QStringLiteral("姓名"), QString() });
    catalogue.append({ QString(), QString() });
    // Equal and empty names stay separate entries.
    QCOMPARE(catalogue.size(), 3);

    const QList<FieldDef> copy = catalogue.fields();
    catalogue[0].name = QStringLiteral("学号");
    catalogue[0].pattern = QStringLiteral("^20\\d{10,11}$");
    QCOMPARE(copy.at(0).name, QStringLiteral("姓名"));
    QVERIFY(copy.at(0).pattern.isEmpty());
    QCOMPARE(catalogue.names(), QStringList({ QStringLiteral("学号"), QStringLiteral("姓名"), QString() }));
}

QTEST_GUILESS_MAIN(TestFieldCatalogue)
#include "tst_field_catalogue.moc"
