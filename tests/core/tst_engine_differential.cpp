// The engine against a step-by-step transcription of the rules, on seeded random records and field
// lists: same rows and same debug lines, record after record (so remembered verdicts are exercised).
#include "bench/literal_classifier.h"
#include "bench/sample_records.h"
#include "engine/analyze_text.h"
#include "engine/record_classifier.h"
#include "tests/core/engine_log_capture.h"

#include <QtTest>

#include <random>

namespace {

QList<FieldDef> fieldPool()
{
    QList<FieldDef> pool = fiftyFields();
    const char *const odd[][2] = {
        { "姓 名", "" },
        { "", "" },
        { "X", "(" },
        { "Y", "a{0,1}b" },
        { "名", "^[^\\x00-\\xff]{2,4}$" },
        { "Email", "^email$" },
        { "Z", "^a|b" },
        { "W", "\\x41" },
        { "V", "[]a]" },
        { "U", "(?!男)[^\\x00-\\xff]" },
        { "T", "1" },
        { "S", "^$" },
        { "R", "\\d+@" },
        { "Q", "." },
        { "P", "(x?){1000}" },
        { "O", "(x+)\\1" },
    };
    for (const auto &field : odd)
        pool.append({ QString::fromUtf8(field[0]), QString::fromUtf8(field[1]) });
    return pool;
}

const QStringList oddTokens {
    QStringLiteral(";"),
    QStringLiteral("a.b"),
    QStringLiteral("\u200B"),
    QStringLiteral("\uFEFF张三"),
    QStringLiteral("\U00020000\U00020001"),
    QStringLiteral("２０"),
    QStringLiteral("email"),
    QStringLiteral("男"),
    QStringLiteral("1"),
    QStringLiteral("A"),
    QStringLiteral("ab"),
    QStringLiteral("]"),
    QStringLiteral("Ab"),
    QStringLiteral("\uFFFD"),
    QString(5000, QLatin1Char('x')),
    QString(2000, QLatin1Char('x')),
};

const QStringList oddSeparators { QStringLiteral("\u0085"), QStringLiteral("\u2028"),
                                  QStringLiteral("\u1680"), QStringLiteral("\u00A0"),
                                  QStringLiteral("\u3000"), QString() };

} // namespace

class TestEngineDifferential : public QObject
{
    Q_OBJECT

private slots:
    void randomRecordsAgree();
};

void TestEngineDifferential::randomRecordsAgree()
{
    const QList<FieldDef> pool = fieldPool();
    SampleRecords sample(20240614, true);
    std::mt19937 random(4711);
    const auto below = [&random](int bound) { return int(random() % quint32(bound)); };

    QList<FieldDef> fields;
    for (int record = 0; record < 3000; ++record) {
        if (record % 20 == 0) {
            fields.clear();
            // Now and then enough fields for the name table of the label pass.
            const int count = record % 300 == 280 ? 70 + below(20) : below(15);
            for (int i = 0; i < count; ++i)
                fields.append(pool.at(below(pool.size())));
        }

        QString text;
        const int tokenCount = record % 300 == 299 ? 600 : below(20);
        for (int i = 0; i < tokenCount; ++i) {
            const int kind = below(10);
            if (kind < 5)
                text += sample.value();
            else if (kind < 7 && !fields.isEmpty())
                text += fields.at(below(fields.size())).name;
            else if (kind < 9)
                text += oddTokens.at(below(oddTokens.size()));
            else
                text += sample.junk();
            text += below(4) == 0 ? oddSeparators.at(below(oddSeparators.size())) : sample.separatorRun();
        }

        QStringList literalLines;
        RecordRow literalRow;
        {
            const EngineLogCapture capture;
            literalRow = literalAnalyzeText(text, fields);
            literalLines = capture.lines();
        }
        const EngineLogCapture capture;
        const RecordRow row = analyzeText(text, fields);
        if (row != literalRow || capture.lines() != literalLines) {
            qWarning().noquote() << "record" << record << "text" << text;
            QCOMPARE(row, literalRow);
            QCOMPARE(capture.lines(), literalLines);
        }
        // The review's questions after the record, answered from the same remembered verdicts.
        const QStringList asked = row + QStringList { oddTokens.at(below(oddTokens.size())), sample.value() };
        for (int f = 0; f < fields.size(); ++f) {
            for (const QString &token : asked)
                QCOMPARE(fieldPatternFits(fields, f, token), literalPatternFits(fields.at(f).pattern, token));
        }
    }
}

QTEST_GUILESS_MAIN(TestEngineDifferential)
#include "tst_engine_differential.moc"
