// The table of known fields: field names as people type them, label words in a paste, glued
// labels, and that every kind the table names reads back.
#include "fields/character_classes.h"
#include "fields/known_fields.h"
#include "review/kind_traits.h"

#include <QtTest>

Q_DECLARE_METATYPE(FieldKind)

class TestKnownFields : public QObject
{
    Q_OBJECT

private slots:
    void fieldKinds_data();
    void fieldKinds();
    void labelWords_data();
    void labelWords();
    void gluedLabels_data();
    void gluedLabels();
    void presetNamesKeepTheirKinds();
    void widerFields();
    void namesOfMegabytes();
    void everyKindHasItsRow();
    void characterClasses_data();
    void characterClasses();
};

void TestKnownFields::fieldKinds_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<FieldKind>("kind");

    QTest::newRow("手机号码") << "手机号码" << FieldKind::Mobile;
    QTest::newRow("space inside") << "手机 号" << FieldKind::Mobile;
    QTest::newRow("联系电话") << "联系电话" << FieldKind::Phone;
    QTest::newRow("电话") << "电话" << FieldKind::Phone;
    QTest::newRow("colon after") << "地址：" << FieldKind::Address;
    QTest::newRow("E-mail") << "E-mail" << FieldKind::Email;
    QTest::newRow("Email") << "Email" << FieldKind::Email;
    QTest::newRow("full-width letters") << "ＥＭＡＩＬ" << FieldKind::Email;
    QTest::newRow("身份证号") << "身份证号" << FieldKind::IdNumber;
    QTest::newRow("身份证号码") << "身份证号码" << FieldKind::IdNumber;
    QTest::newRow("证件号码") << "证件号码" << FieldKind::IdNumber;
    QTest::newRow("出生年月") << "出生年月" << FieldKind::BirthDate;
    QTest::newRow("毕业院校") << "毕业院校" << FieldKind::School;
    QTest::newRow("入职日期") << "入职日期" << FieldKind::Date;
    QTest::newRow("QQ号, any case") << "qq号" << FieldKind::Qq;
    QTest::newRow("bracketed remark") << "手机号（必填）" << FieldKind::Mobile;
    QTest::newRow("full-width angle brackets") << "手机号＜必填＞" << FieldKind::Mobile;
    QTest::newRow("corner brackets") << "『备注』" << FieldKind::Remark;
    QTest::newRow("required star") << "*姓名" << FieldKind::Name;
    QTest::newRow("numbered column") << "1.电话2" << FieldKind::Phone;
    QTest::newRow("traditional script") << "聯繫電話" << FieldKind::Phone;
    QTest::newRow("ends in a known name") << "家长联系电话" << FieldKind::Phone;
    QTest::newRow("ends in 地址") << "学校地址" << FieldKind::Address;
    QTest::newRow("zero-width space") << "民\u200B族" << FieldKind::Ethnicity;
    QTest::newRow("a name's field, not a label") << "班主任" << FieldKind::Name;
    QTest::newRow("unknown") << "爱好" << FieldKind::Other;
    QTest::newRow("one character of a name") << "号" << FieldKind::Other;
    QTest::newRow("empty") << "" << FieldKind::Other;
}

void TestKnownFields::fieldKinds()
{
    QFETCH(QString, name);
    QFETCH(FieldKind, kind);
    QCOMPARE(fieldKind(name), kind);
}

void TestKnownFields::labelWords_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<FieldKind>("kind");

    QTest::newRow("with colon") << "手机号码：" << FieldKind::Mobile;
    QTest::newRow("in brackets") << "【联系电话】" << FieldKind::Phone;
    QTest::newRow("Tel") << "Tel:" << FieldKind::Phone;
    QTest::newRow("E-mail") << "E-mail" << FieldKind::Email;
    QTest::newRow("电子邮箱") << "电子邮箱" << FieldKind::Email;
    QTest::newRow("证件号") << "（证件号）" << FieldKind::IdNumber;
    QTest::newRow("名字") << "名字" << FieldKind::Name;
    QTest::newRow("院校") << "院校" << FieldKind::School;
    QTest::newRow("家庭住址") << "家庭住址=" << FieldKind::Address;
    QTest::newRow("备注") << "《备注》" << FieldKind::Remark;
    // A value as often as a label: it names a field, but in a paste it may be the value.
    QTest::newRow("大学 names a field only") << "大学" << FieldKind::Other;
    QTest::newRow("班主任 is a position too") << "班主任：" << FieldKind::Other;
    QTest::newRow("a value") << "张三" << FieldKind::Other;
    QTest::newRow("numbered") << "2、手机" << FieldKind::Other;
}

void TestKnownFields::labelWords()
{
    QFETCH(QString, word);
    QFETCH(FieldKind, kind);
    QCOMPARE(labelKind(word), kind);
}

void TestKnownFields::gluedLabels_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<int>("length");
    QTest::addColumn<FieldKind>("kind");

    QTest::newRow("colon") << "手机号码：13812345678" << 5 << FieldKind::Mobile;
    QTest::newRow("longest word") << "手机号码13812345678" << 4 << FieldKind::Mobile;
    QTest::newRow("brackets") << "【联系电话】13812345678" << 6 << FieldKind::Phone;
    QTest::newRow("half-width colon") << "Email:li@qq.com" << 6 << FieldKind::Email;
    QTest::newRow("ASCII before digits") << "QQ123456" << 2 << FieldKind::Qq;
    QTest::newRow("Chinese before Chinese") << "姓名张三" << 2 << FieldKind::Name;
    QTest::newRow("whole token") << "身份证号：" << 5 << FieldKind::IdNumber;
    QTest::newRow("marked as required") << "*姓名：张三" << 4 << FieldKind::Name;
    // The label word starts a value instead.
    QTest::newRow("专业 starts a name") << "专业技术学院" << 0 << FieldKind::Other;
    QTest::newRow("专业 with colon") << "专业：软件工程" << 3 << FieldKind::Major;
    QTest::newRow("mail starts an address") << "mail123@qq.com" << 0 << FieldKind::Other;
    QTest::newRow("English word, whole") << "Telephone" << 9 << FieldKind::Landline;
    QTest::newRow("letters run on") << "mailto" << 0 << FieldKind::Other;
    QTest::newRow("no label") << "13812345678" << 0 << FieldKind::Other;
    QTest::newRow("bracket alone") << "【" << 0 << FieldKind::Other;
    QTest::newRow("empty") << "" << 0 << FieldKind::Other;
}

void TestKnownFields::gluedLabels()
{
    QFETCH(QString, token);
    QFETCH(int, length);
    QFETCH(FieldKind, kind);
    FieldKind found = FieldKind::Other;
    QCOMPARE(labelPrefix(token, &found), length);
    QCOMPARE(found, kind);
}

// The preset names are names of their kinds too, and each kind has a name for sentences.
void TestKnownFields::presetNamesKeepTheirKinds()
{
    const struct
    {
        const char *name;
        FieldKind kind;
    } presets[] = { { "姓名", FieldKind::Name },         { "手机", FieldKind::Mobile },
                    { "邮箱", FieldKind::Email },        { "身份证", FieldKind::IdNumber },
                    { "大学", FieldKind::School },       { "年级", FieldKind::Grade },
                    { "学号", FieldKind::StudentNumber } };
    for (const auto &preset : presets) {
        const QString name = QString::fromUtf8(preset.name);
        QVERIFY2(!presetPattern(name).isEmpty(), preset.name);
        QCOMPARE(fieldKind(name), preset.kind);
    }
    for (int kind = int(FieldKind::Name); kind <= int(FieldKind::Education); ++kind)
        QVERIFY2(!kindName(FieldKind(kind)).isEmpty(), qPrintable(QString::number(kind)));
    QCOMPARE(kindName(FieldKind::Other), QString());
}

// Which fields take a value of another kind: a lax pattern taking one is no fault where they do.
void TestKnownFields::widerFields()
{
    const struct
    {
        FieldKind field, value;
        bool covers;
    } pairs[] = {
        { FieldKind::Phone, FieldKind::Mobile, true },
        { FieldKind::Phone, FieldKind::Landline, true },
        { FieldKind::Mobile, FieldKind::Landline, false },
        { FieldKind::Mobile, FieldKind::Phone, false },
        { FieldKind::Date, FieldKind::BirthDate, true },
        { FieldKind::BirthDate, FieldKind::Date, true },
        { FieldKind::WeChat, FieldKind::Mobile, true },
        { FieldKind::Qq, FieldKind::Mobile, false },
        { FieldKind::NativePlace, FieldKind::Address, true },
        { FieldKind::Address, FieldKind::NativePlace, false },
        { FieldKind::Email, FieldKind::Email, true },
    };
    for (const auto &pair : pairs) {
        QVERIFY2(kindCovers(pair.field, pair.value) == pair.covers,
                 qPrintable(kindName(pair.field) + QLatin1Char('/') + kindName(pair.value)));
    }
}

// A field file may hold a name of megabytes: it is read as any other, in one pass over it (the
// endings looked up are no longer than the longest known name).
void TestKnownFields::namesOfMegabytes()
{
    const int length = 4 << 20;
    QCOMPARE(fieldKind(QString(length, QChar(u'长')) + QStringLiteral("手机号")), FieldKind::Mobile);
    QCOMPARE(fieldKind(QString(length, QChar(u'长'))), FieldKind::Other);
    QCOMPARE(fieldKind(QString(length, QLatin1Char('7'))), FieldKind::Other);
    QCOMPARE(fieldKind(QStringLiteral("联系电话") + QString(length, QLatin1Char('2'))), FieldKind::Phone);
    QCOMPARE(fieldKind(QString(length, QChar(u'（')) + QStringLiteral("姓名")), FieldKind::Name);
    QCOMPARE(fieldKind(QStringLiteral("邮箱（") + QString(length, QLatin1Char('x')) + QStringLiteral("）")),
             FieldKind::Email);
}

// Every kind has its whole row in the traits table, and a name that reads back as the kind.
void TestKnownFields::everyKindHasItsRow()
{
    QCOMPARE(traitsOf(FieldKind::Other).kind, FieldKind::Other);
    QVERIFY(!traitsOf(FieldKind::Other).shape && traitsOf(FieldKind::Other).suggest == ShapeRule::None);
    for (int k = int(FieldKind::Other) + 1; k <= int(FieldKind::Education); ++k) {
        const FieldKind kind = FieldKind(k);
        const KindTraits &row = traitsOf(kind);
        const QByteArray utf8 = kindName(kind).toUtf8();
        const char *name = utf8.constData();
        QVERIFY2(row.kind == kind, name);
        QVERIFY2(!utf8.isEmpty() && fieldKind(kindName(kind)) == kind, name);
        QVERIFY2(row.shape && row.suggest != ShapeRule::None, name);
        QVERIFY2(row.repeats == RepeatUse::None || traitsOf(row.comparedAs).repeats == row.repeats, name);
        for (const FieldKind covered : row.covers)
            QVERIFY2(covered != kind && (covered == FieldKind::Other || traitsOf(covered).shape), name);
    }
}

// One definition per class of character, asked by field names, label words, checks and duplicate keys
// alike: each row a character and the classes it is in (o opening, c closing, : colon, s separator the
// rules do not know, i invisible) and its half-width form.
void TestKnownFields::characterClasses_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("classes");
    QTest::addColumn<QString>("half");

    QTest::newRow("full-width bracket") << "（"
                                        << "o"
                                        << "(";
    QTest::newRow("full-width square bracket") << "［"
                                               << "o"
                                               << "[";
    QTest::newRow("corner bracket") << "『"
                                    << "o"
                                    << "『";
    QTest::newRow("angle bracket") << "<"
                                   << "o"
                                   << "<";
    QTest::newRow("full-width angle bracket") << "＞"
                                              << "c"
                                              << ">";
    QTest::newRow("book title mark") << "》"
                                     << "c"
                                     << "》";
    QTest::newRow("lenticular bracket") << "】"
                                        << "c"
                                        << "】";
    QTest::newRow("colon") << "："
                           << ":"
                           << ":";
    QTest::newRow("equals") << "="
                            << ":"
                            << "=";
    QTest::newRow("full-width semicolon") << "；"
                                          << "s"
                                          << ";";
    QTest::newRow("full-width slash") << "／"
                                      << "s"
                                      << "/";
    QTest::newRow("bar") << "|"
                         << "s"
                         << "|";
    QTest::newRow("zero-width space") << "\u200B"
                                      << "i"
                                      << "\u200B";
    // From UTF-8 a leading byte-order mark is dropped: the character is made as a character.
    QTest::newRow("byte-order mark") << QString(QChar(0xFEFF)) << "i" << QString(QChar(0xFEFF));
    QTest::newRow("no-break space") << "\u00A0"
                                    << "i"
                                    << "\u00A0";
    QTest::newRow("ideographic space") << "\u3000"
                                       << "i"
                                       << " ";
    QTest::newRow("space") << " "
                           << "i"
                           << " ";
    QTest::newRow("full-width digit") << "７"
                                      << ""
                                      << "7";
    QTest::newRow("Chinese") << "张"
                             << ""
                             << "张";
    QTest::newRow("dash") << "-"
                          << ""
                          << "-";
}

void TestKnownFields::characterClasses()
{
    QFETCH(QString, character);
    QFETCH(QString, classes);
    QFETCH(QString, half);
    const QChar c = character.at(0);
    QString found;
    found += isOpeningBracket(c) ? QStringLiteral("o") : QString();
    found += isClosingBracket(c) ? QStringLiteral("c") : QString();
    found += isColon(c) ? QStringLiteral(":") : QString();
    found += isUnknownSeparator(c) ? QStringLiteral("s") : QString();
    found += isInvisible(c) ? QStringLiteral("i") : QString();
    QCOMPARE(found, classes);
    QCOMPARE(halfWidth(character), half);
    QCOMPARE(halfWidth(c), half.at(0));
}

QTEST_GUILESS_MAIN(TestKnownFields)
#include "tst_known_fields.moc"
