// The generator behind the review measures. The truth of a field is the value as it belongs in
// the cell: half-width, without its label, empty when the paste does not hold it.
#include "bench/sample_pastes.h"

#include "bench/vocabulary.h"

#include <algorithm>

namespace {

enum Field {
    Name,
    Gender,
    Age,
    Class,
    Mobile,
    Email,
    StudentNumber,
    IdNumber,
    Major,
    School,
    Grade,
    Department
};

const int presence[] = { 95, 80, 60, 40, 85, 50, 40, 60, 60, 60, 30, 30 };

// Its own majors, departments and more junk words, read once from the bench's data files.
QStringList classicList(const char *name)
{
    const Vocabulary lists(Half::Taught); // the lists have no halves
    return lists.words(QStringLiteral("classic/") + QLatin1String(name));
}

const QStringList &majors()
{
    static const QStringList list = classicList("paste_majors");
    return list;
}

const QStringList &departments()
{
    static const QStringList list = classicList("departments");
    return list;
}

const QStringList &moreJunk()
{
    static const QStringList list = classicList("more_junk");
    return list;
}

const int provinces[] = { 11, 12, 13, 21, 31, 32, 33, 34, 35, 36, 37, 41,
                          42, 43, 44, 45, 50, 51, 52, 53, 61, 62, 65 };
const QStringList knownSeparators =
    QString::fromUtf8(" |，|,|、|。|\n|\t|：|:| ，|\u3000|, |。\n").split(QLatin1Char('|'));
const QStringList unknownGlue = QString::fromUtf8("；|;|/").split(QLatin1Char('|'));

QString fullWidth(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        if (c.unicode() > 0x20 && c.unicode() < 0x7F)
            c = QChar(c.unicode() + 0xFEE0);
    }
    return result;
}

} // namespace

QList<FieldDef> reviewFields()
{
    return presetFields() << FieldDef { QStringLiteral("部门"), QString() };
}

SamplePastes::SamplePastes(quint32 seed, const QDate &today)
    : m_records(seed)
    , m_today(today)
{ }

QString SamplePastes::idNumber(const QDate &birth, bool male, bool *faulty)
{
    QString body = QString::number(provinces[below(int(std::size(provinces)))]);
    for (int i = 0; i < 4; ++i)
        body += QLatin1Char(char('0' + below(10)));
    body += birth.toString(QStringLiteral("yyyyMMdd"));
    body += QLatin1Char(char('0' + below(10))) + QLatin1Char(char('0' + below(10)));
    body += QLatin1Char(char('0' + 2 * below(5) + (male ? 1 : 0)));
    QChar check = idCheck(body);
    if (chance(4)) {
        check = QLatin1Char(check == QLatin1Char('0') ? '1' : '0');
        *faulty = true;
    }
    return body + check;
}

// How people write a value: alone, after its label, glued to its label, in full-width forms.
QString SamplePastes::written(int field, const QString &value)
{
    const QString name = reviewFields().at(field).name;
    const int form = below(100);
    const bool hasAscii =
        std::any_of(value.cbegin(), value.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (form < 20)
        return name + QString::fromUtf8(below(2) ? "：" : ":") + value;
    if (form < 26)
        return name + QString::fromUtf8(below(2) ? "=" : "") + value;
    if (form < 29)
        return QString::fromUtf8("【") + name + QString::fromUtf8("】") + value;
    if (form < 34 && hasAscii)
        return fullWidth(value);
    return value;
}

SamplePaste SamplePastes::next()
{
    SamplePaste paste;
    paste.truth = QStringList();
    for (int i = 0; i < 12; ++i)
        paste.truth.append(QString());
    const bool male = below(2);
    const QDate birth = m_today.addDays(-(365 * 17 + below(365 * 30)));
    int age = m_today.year() - birth.year();
    if (m_today < birth.addYears(age))
        --age;

    for (int f = 0; f < 12; ++f) {
        if (!chance(presence[f]))
            continue;
        QString value;
        switch (f) {
        case Name:
            value = m_records.valueOf(0);
            break;
        case Gender:
            value = QString::fromUtf8(male ? "男" : "女");
            break;
        case Age:
            value = QString::number(age);
            break;
        case Mobile:
            if (chance(3)) {
                value = QStringLiteral("12") + m_records.valueOf(4).mid(2);
                paste.faulty = true;
            } else {
                value = m_records.valueOf(4);
            }
            break;
        case IdNumber:
            value = idNumber(birth, male, &paste.faulty);
            break;
        case Major:
            value = majors().at(below(majors().size()));
            break;
        case Department:
            value = departments().at(below(departments().size()));
            break;
        default:
            value = m_records.valueOf(f);
        }
        paste.truth[f] = value;
    }

    QStringList parts;
    for (int f = 0; f < 12; ++f) {
        if (!paste.truth.at(f).isEmpty())
            parts.append(written(f, paste.truth.at(f)));
    }
    const int junk = below(3);
    for (int i = 0; i < junk; ++i)
        parts.append(below(2) ? m_records.junk() : moreJunk().at(below(moreJunk().size())));
    std::shuffle(parts.begin(), parts.end(), std::mt19937(quint32(below(1 << 30))));

    for (int i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            const bool glue = chance(4);
            paste.text += glue ? unknownGlue.at(below(unknownGlue.size()))
                               : knownSeparators.at(below(knownSeparators.size()));
        }
        paste.text += parts.at(i);
    }
    return paste;
}
