// Preset patterns: the lookup by exact name, and that each preset recognises its kind of detail.
#include "fields/known_fields.h"

#include <QRegExp>
#include <QtTest>

class TestPresetPatterns : public QObject
{
    Q_OBJECT

private slots:
    void presets_data();
    void presets();
    void nearMisses_data();
    void nearMisses();
};

void TestPresetPatterns::presets_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("fits"); // tokens the engine must accept (QRegExp::indexIn >= 0)
    QTest::addColumn<QStringList>("misses");

    const QString school = QStringLiteral(R"(^[^\x00-\xff]{2,10}(大学|学校|学院)$)");
    QTest::newRow("姓名") << "姓名"
                          << R"(^[^\x00-\xff]{2,4}$)" << QStringList { "张三", "欧阳娜娜" }
                          << QStringList { "张", "Tom", "欧阳娜娜娜" };
    QTest::newRow("性别") << "性别"
                          << "[01男女]" << QStringList { "男", "女", "1" } << QStringList { "M" };
    QTest::newRow("年龄") << "年龄"
                          << R"(^\d{1,2}$)" << QStringList { "7", "19" } << QStringList { "120" };
    QTest::newRow("班级") << "班级"
                          << R"(^[^\x00-\xff]{2,15}\d{2,4}班?级?$)"
                          << QStringList { "计算机1801班", "软件工程2020" } << QStringList { "1801班" };
    QTest::newRow("手机") << "手机"
                          << R"(^1\d{10}$)" << QStringList { "13812345678" }
                          << QStringList { "23812345678", "1381234567" };
    QTest::newRow("手机号") << "手机号"
                            << R"(^1\d{10}$)" << QStringList { "13812345678" } << QStringList();
    QTest::newRow("邮箱") << "邮箱"
                          << R"(^[A-Za-z\d]+([-_.][A-Za-z\d]+)*@([A-Za-z\d]+[-.])+[A-Za-z\d]{2,4}$)"
                          << QStringList { "li.lei@mail.example.com", "a_b-c@x.cn" }
                          << QStringList { "@x.cn", "a@b", "a..b@x.cn" };
    QTest::newRow("学号") << "学号"
                          << R"(^20\d{10,11}$)" << QStringList { "201812345678" }
                          << QStringList { "191812345678" };
    QTest::newRow("身份证") << "身份证"
                            << R"(^\d{17}.$)" << QStringList { "11010519491231002X" }
                            << QStringList { "1101051949123100" };
    QTest::newRow("专业") << "专业"
                          << R"(^[^\x00-\xff]{2,15}$)" << QStringList { "计算机科学与技术" }
                          << QStringList { "CS" };
    QTest::newRow("学校") << "学校" << school << QStringList { "北京大学", "第一中学学校" }
                          << QStringList { "北京", "大学" };
    QTest::newRow("大学") << "大学" << school << QStringList { "清华大学" } << QStringList();
    // One grade character out of four: the group "(一二三四)" would match no real grade.
    QTest::newRow("年级") << "年级"
                          << "(小学|初中?|高中?|大学?|研)[一二三四](年级)?"
                          << QStringList { "高三", "大一", "初二年级", "研二", "小学四年级" }
                          << QStringList { "高五", "三年级", "中三" };
    QTest::newRow("unknown") << "电话" << QString() << QStringList() << QStringList();
    QTest::newRow("empty name") << QString() << QString() << QStringList() << QStringList();
}

void TestPresetPatterns::presets()
{
    QFETCH(QString, name);
    QFETCH(QString, pattern);
    QFETCH(QStringList, fits);
    QFETCH(QStringList, misses);

    QCOMPARE(presetPattern(name), pattern);
    const QRegExp rx(pattern);
    QVERIFY(rx.isValid());
    for (const QString &token : fits)
        QVERIFY2(rx.indexIn(token) >= 0, qPrintable(token));
    for (const QString &token : misses)
        QVERIFY2(rx.indexIn(token) < 0, qPrintable(token));
}

void TestPresetPatterns::nearMisses_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("leading space") << " 姓名";
    QTest::newRow("trailing space") << "姓名 ";
    QTest::newRow("space inside") << "姓 名";
    QTest::newRow("full-width space") << "姓名　";
    QTest::newRow("another language") << "Name";
    QTest::newRow("traditional script") << "學號";
    QTest::newRow("part of a name") << "手";
    QTest::newRow("longer name") << "手机号码";
}

void TestPresetPatterns::nearMisses()
{
    QFETCH(QString, name);
    QCOMPARE(presetPattern(name), QString());
}

QTEST_GUILESS_MAIN(TestPresetPatterns)
#include "tst_preset_patterns.moc"
