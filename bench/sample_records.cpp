// The first generator's values. They are made to look like what people paste: most fit one preset,
// some fit several (an age or a mobile number also holds a 0 or 1 for the gender pattern). Its word
// lists are the data files in data/classic/.
#include "bench/sample_records.h"

#include "bench/vocabulary.h"

#include <QVector>

#include <iterator>

namespace {

struct ExtraField
{
    QString name;
    QString pattern;
    QStringList samples;
};

// The first generator's word lists, read once from the bench's data files.
struct ClassicWords
{
    QStringList surnames, schools, majors, classPrefixes, grades, emailDomains, junkTokens;
    QString givenChars;
    QVector<ExtraField> extraFields; // thirty-nine common fields beyond the eleven presets
};

const ClassicWords &classic()
{
    static const ClassicWords words = [] {
        const Vocabulary lists(Half::Taught); // the lists have no halves
        const auto list = [&lists](const char *name) {
            return lists.words(QStringLiteral("classic/") + QLatin1String(name));
        };
        ClassicWords w;
        w.surnames = list("surnames");
        w.schools = list("schools");
        w.majors = list("majors");
        w.classPrefixes = list("class_prefixes");
        w.grades = list("grades");
        w.emailDomains = list("email_domains");
        w.junkTokens = list("junk_words");
        w.givenChars = list("given_names").join(QString());
        for (const QString &line : list("extra_fields")) {
            const QStringList parts = line.split(QLatin1Char('\t'));
            w.extraFields.append({ parts.value(0), parts.value(1), parts.value(2).split(QLatin1Char('|')) });
        }
        return w;
    }();
    return words;
}

// Runs of separators people actually type, and a few lone ones.
const QStringList separators =
    QString::fromUtf8(" |  |，|,|、|。|\n|\t|：|:|\r\n| ，|\n\n|\u3000|；|, |。\n").split(QLatin1Char('|'));

} // namespace

QList<FieldDef> presetFields()
{
    return {
        { QStringLiteral("姓名"), QStringLiteral("^[^\\x00-\\xff]{2,4}$") },
        { QStringLiteral("性别"), QStringLiteral("[01男女]") },
        { QStringLiteral("年龄"), QStringLiteral("^\\d{1,2}$") },
        { QStringLiteral("班级"), QStringLiteral("^[^\\x00-\\xff]{2,15}\\d{2,4}班?级?$") },
        { QStringLiteral("手机号"), QStringLiteral("^1\\d{10}$") },
        { QStringLiteral("邮箱"),
          QStringLiteral("^[A-Za-z\\d]+([-_.][A-Za-z\\d]+)*@([A-Za-z\\d]+[-.])+[A-Za-z\\d]{2,4}$") },
        { QStringLiteral("学号"), QStringLiteral("^20\\d{10,11}$") },
        { QStringLiteral("身份证"), QStringLiteral("^\\d{17}.$") },
        { QStringLiteral("专业"), QStringLiteral("^[^\\x00-\\xff]{2,15}$") },
        { QStringLiteral("学校"), QStringLiteral("^[^\\x00-\\xff]{2,10}(大学|学校|学院)$") },
        { QStringLiteral("年级"), QStringLiteral("(小学|初中?|高中?|大学?|研)[一二三四](年级)?") },
    };
}

QList<FieldDef> fiftyFields()
{
    QList<FieldDef> fields = presetFields();
    for (const ExtraField &extra : classic().extraFields)
        fields.append({ extra.name, extra.pattern });
    return fields;
}

SampleRecords::SampleRecords(quint32 seed, bool extraFields)
    : m_random(seed)
    , m_extraFields(extraFields)
    , m_fields(extraFields ? fiftyFields() : presetFields())
{ }

QString SampleRecords::digits(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QLatin1Char(char('0' + below(10)));
    return text;
}

QString SampleRecords::chineseName()
{
    QString name = pick(classic().surnames);
    const int given = 1 + below(2);
    for (int i = 0; i < given; ++i)
        name += classic().givenChars.at(below(classic().givenChars.size()));
    return name;
}

QString SampleRecords::value()
{
    return valueOf(below(m_fields.size()));
}

QString SampleRecords::valueOf(int field)
{
    switch (field) {
    case 0:
        return chineseName();
    case 1:
        return below(2) ? QString::fromUtf8("男") : QString::fromUtf8("女");
    case 2:
        return QString::number(16 + below(45));
    case 3:
        return pick(classic().classPrefixes) + QString::number(19 + below(6)) + QString::number(1 + below(4))
            + (below(2) ? QString::fromUtf8("班") : QString());
    case 4:
        return QLatin1Char('1') + QLatin1Char(char('3' + below(7))) + digits(9);
    case 5: {
        QString user = QString::fromLatin1("abcdefghijklmnopqrstuvwxyz").mid(below(20), 3 + below(5));
        if (below(3) == 0)
            user += QLatin1Char("._-"[below(3)]) + digits(2 + below(3));
        return user + QLatin1Char('@') + pick(classic().emailDomains);
    }
    case 6:
        return QStringLiteral("20") + digits(10 + below(2));
    case 7: {
        const QString id = QString::number(110000 + below(700000)) + QString::number(1970 + below(40))
            + QString::number(1 + below(12)).rightJustified(2, QLatin1Char('0'))
            + QString::number(10 + below(19)) + digits(3);
        return id + (below(11) == 0 ? QStringLiteral("X") : digits(1));
    }
    case 8:
        return pick(classic().majors);
    case 9:
        return pick(classic().schools);
    case 10:
        return pick(classic().grades);
    default: {
        const ExtraField &extra = classic().extraFields.at((field - 11) % classic().extraFields.size());
        return pick(extra.samples);
    }
    }
}

QString SampleRecords::junk()
{
    return pick(classic().junkTokens);
}

QString SampleRecords::separatorRun()
{
    return pick(separators);
}

QString SampleRecords::record()
{
    QString text;
    if (below(4) == 0)
        text += separatorRun();
    const int tokens = 7 + below(7);
    for (int i = 0; i < tokens; ++i) {
        if (i > 0)
            text += separatorRun();
        const int kind = below(10);
        if (kind == 0) {
            text += junk();
        } else if (kind <= 2) {
            // "label：value", the label sometimes written as a value of another field
            text +=
                m_fields.at(below(m_fields.size())).name + QString::fromUtf8(below(2) ? "：" : ":") + value();
        } else {
            text += value();
        }
    }
    if (below(3) == 0)
        text += separatorRun();
    return text;
}

QString SampleRecords::bigRecord(int utf8Bytes)
{
    QString text;
    int bytes = 0;
    while (bytes < utf8Bytes) {
        const QString part = record() + separatorRun();
        bytes += part.toUtf8().size();
        text += part;
    }
    return text;
}

QChar idCheck(const QString &body)
{
    static const int weights[17] = { 7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2 };
    int sum = 0;
    for (int i = 0; i < 17; ++i)
        sum += (body.at(i).unicode() - '0') * weights[i];
    return QLatin1Char("10X98765432"[sum % 11]);
}
