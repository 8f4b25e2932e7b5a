// The varied generator. People are consistent (the ID number's birth date and sex agree with the age,
// the gender and the birth date); the truth of a field is the value as the user means it: without its
// label, half-width, a mobile number without its groups or +86, every other value as written.
#include "bench/varied_pastes.h"

#include "bench/sample_records.h"

#include "fields/known_fields.h"

#include <algorithm>
#include <iterator>

namespace {

struct KindInfo
{
    const char *name;
    int inList; // how likely a field list holds the kind, in percent
    int present; // how likely a paste holds a value of a listed kind
    int labelled; // how likely a free-standing value is written after a label
};

const KindInfo kindTable[] = {
    { "name", 92, 97, 30 },   { "gender", 60, 85, 25 },     { "age", 35, 80, 35 },
    { "class", 30, 85, 35 },  { "mobile", 85, 92, 35 },     { "landline", 12, 70, 60 },
    { "email", 40, 80, 30 },  { "student", 30, 85, 45 },    { "idnumber", 45, 85, 40 },
    { "major", 35, 85, 40 },  { "school", 35, 85, 35 },     { "grade", 20, 80, 35 },
    { "birth", 25, 85, 50 },  { "date", 12, 80, 70 },       { "address", 25, 75, 50 },
    { "remark", 20, 45, 50 }, { "department", 15, 85, 70 }, { "ethnicity", 20, 85, 40 },
    { "qq", 20, 75, 60 },     { "political", 15, 85, 50 },
};

const char *const traitNames[] = { "synonym label",    "bracket label", "glued label",     "invisible glue",
                                   "punctuation glue", "numbered",      "spreadsheet row", "grouped number",
                                   "full-width",       "old ID number", "extra value",     "faulty value" };

// Separators the rules cut at, alone and in the runs people type.
const QStringList knownSeparators =
    QString::fromUtf8(" |，|,|、|。|\n|\t|：|:| ，|, |。\n|  |\r\n").split(QLatin1Char('|'));
const QStringList invisibleGlue = { QString(QChar(0xFEFF)), QString(QChar(0x200B)), QString(QChar(0x200C)),
                                    QString(QChar(0x200D)), QString(QChar(0x2060)), QString(QChar(0x00A0)),
                                    QString(QChar(0x3000)) };
const QStringList punctuationGlue = { QStringLiteral("-"),     QStringLiteral("/"), QStringLiteral("."),
                                      QString::fromUtf8("；"), QStringLiteral(";"), QStringLiteral("|") };

QString fullWidth(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        if (c.isLetterOrNumber() && c.unicode() < 0x7F)
            c = QChar(c.unicode() + 0xFEE0);
    }
    return result;
}

bool hasAsciiAlnum(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() < 0x7F && c.isLetterOrNumber(); });
}

// Province codes, the first two digits of a real ID number's region.
const int provinces[] = { 11, 12, 13, 14, 15, 21, 22, 23, 31, 32, 33, 34, 35, 36, 37, 41,
                          42, 43, 44, 45, 46, 50, 51, 52, 53, 54, 61, 62, 63, 64, 65 };

const KindInfo &infoOf(const QString &kind)
{
    for (const KindInfo &info : kindTable) {
        if (kind == QLatin1String(info.name))
            return info;
    }
    return kindTable[0];
}

// A field name ends in a colon now and then; as a label the colon is written by the decoration.
QString labelWord(QString name)
{
    while (name.endsWith(QLatin1Char(':')) || name.endsWith(QChar(0xFF1A)))
        name.chop(1);
    return name;
}

} // namespace

const char *pasteTraitName(int bit)
{
    return bit >= 0 && bit < pasteTraitCount ? traitNames[bit] : "";
}

QStringList VariedPastes::kindNames()
{
    QStringList names;
    for (const KindInfo &info : kindTable)
        names.append(QLatin1String(info.name));
    return names;
}

VariedPastes::VariedPastes(quint32 seed, Half half, const QDate &today, int batchSize)
    : m_random(seed)
    , m_words(half)
    , m_today(today)
    , m_batchSize(qMax(1, batchSize))
{
    newFieldList();
}

void VariedPastes::newFieldList()
{
    m_fields.clear();
    m_kinds.clear();
    QStringList kinds;
    for (const KindInfo &info : kindTable) {
        if (chance(info.inList))
            kinds.append(QLatin1String(info.name));
    }
    if (kinds.size() < 3)
        kinds << QStringLiteral("name") << QStringLiteral("mobile") << QStringLiteral("school");
    kinds.removeDuplicates();
    std::shuffle(kinds.begin(), kinds.end(), m_random);
    // Most lists start with the name, as forms do.
    const int name = kinds.indexOf(QStringLiteral("name"));
    if (name > 0 && chance(60))
        kinds.move(name, 0);
    for (const QString &kind : qAsConst(kinds)) {
        const QString fieldName = pick(m_words.keyed(QStringLiteral("field_names"), kind));
        if (fieldName.isEmpty())
            continue;
        // The window gives a preset's exact name its pattern; any other name gets what the user writes.
        QString pattern = presetPattern(fieldName);
        if (pattern.isEmpty())
            pattern = pick(m_words.keyed(QStringLiteral("patterns"), kind));
        m_fields.append({ fieldName, pattern });
        m_kinds.append(kind);
    }
    m_inBatch = 0;
}

QString VariedPastes::digits(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QLatin1Char(char('0' + below(10)));
    return text;
}

QString VariedPastes::fill(QString form)
{
    static const QString chineseDigits = QString::fromUtf8("一二三");
    const auto put = [&form](const char *key, const QString &text) {
        form.replace(QLatin1String(key), text);
    };
    const int year = 2019 + below(6);
    put("{p}", pickFrom(QStringLiteral("class_prefixes")));
    put("{cn}", chineseDigits.at(below(3)));
    put("{yyyy}", QString::number(year));
    put("{yy}", QString::number(year % 100));
    put("{n}", QString::number(1 + below(form.contains(QLatin1String("{c}")) ? 300 : 6)));
    put("{c}", pickFrom(QStringLiteral("cities")));
    put("{s}", pickFrom(QStringLiteral("streets")));
    put("{b}", QString::number(1 + below(30)));
    put("{u}", QString::number(1 + below(6)));
    put("{r}",
        QString::number(1 + below(25)) + QString::number(1 + below(6)).rightJustified(2, QLatin1Char('0')));
    put("{a}", pickFrom(QStringLiteral("area_codes")));
    put("{t}", QString::number(2 + below(7)) + digits(6 + below(2)));
    put("{x}", QString::number(1 + below(9)) + digits(below(4)));
    return form;
}

QString VariedPastes::mobile()
{
    return QLatin1Char('1') + QLatin1Char(char('3' + below(7))) + digits(9);
}

QString VariedPastes::date(const QDate &day)
{
    return day.toString(pickFrom(QStringLiteral("date_forms")));
}

QString VariedPastes::idNumber(const QDate &birth, bool male, uint *traits)
{
    // A region code the review can place: a province, then a city and a district of one to twenty.
    const QString region = QString::number(provinces[below(int(std::size(provinces)))])
        + QString::number(1 + below(20)).rightJustified(2, QLatin1Char('0'))
        + QString::number(1 + below(20)).rightJustified(2, QLatin1Char('0'));
    const QString sex = QString(QLatin1Char(char('0' + 2 * below(5) + (male ? 1 : 0))));
    if (chance(6)) {
        *traits |= OldIdNumber;
        return region + birth.toString(QStringLiteral("yyMMdd")) + digits(2) + sex;
    }
    const QString body = region + birth.toString(QStringLiteral("yyyyMMdd")) + digits(2) + sex;
    QChar check = idCheck(body);
    if (chance(3)) {
        check = QLatin1Char(check == QLatin1Char('0') ? '1' : '0');
        *traits |= FaultyValue;
    }
    return body + check;
}

VariedPastes::Value VariedPastes::valueOf(const QString &kind, const QDate &birth, bool male, int age)
{
    Value v;
    if (kind == QLatin1String("name")) {
        const QString given = m_words.words(QStringLiteral("given_names")).join(QString());
        v.truth = pickFrom(QStringLiteral("surnames"));
        for (int i = 1 + below(2); i > 0; --i)
            v.truth += given.at(below(given.size()));
    } else if (kind == QLatin1String("gender")) {
        v.truth = QString::fromUtf8(male ? "男" : "女");
    } else if (kind == QLatin1String("age")) {
        v.truth = QString::number(age);
    } else if (kind == QLatin1String("class")) {
        v.truth = fill(pickFrom(QStringLiteral("class_forms")));
    } else if (kind == QLatin1String("mobile")) {
        QString number = mobile();
        if (chance(2)) {
            number.replace(1, 1, QLatin1Char('2'));
            v.traits |= FaultyValue;
        }
        const QString form = pickFrom(QStringLiteral("mobile_forms"));
        if (form != QLatin1String("{m}"))
            v.traits |= GroupedNumber;
        v.truth = number;
        v.written = QString(form)
                        .replace(QLatin1String("{m1}"), number.left(3))
                        .replace(QLatin1String("{m2}"), number.mid(3, 4))
                        .replace(QLatin1String("{m3}"), number.mid(7))
                        .replace(QLatin1String("{m}"), number);
    } else if (kind == QLatin1String("landline")) {
        v.truth = fill(pickFrom(QStringLiteral("landline_forms")));
    } else if (kind == QLatin1String("email")) {
        v.truth = pickFrom(QStringLiteral("email_users"));
        if (chance(40))
            v.truth += digits(2 + below(3));
        v.truth += QLatin1Char('@') + pickFrom(QStringLiteral("email_domains"));
    } else if (kind == QLatin1String("student")) {
        v.truth = QStringLiteral("20") + digits(10 + below(2));
    } else if (kind == QLatin1String("idnumber")) {
        v.truth = idNumber(birth, male, &v.traits);
    } else if (kind == QLatin1String("major")) {
        v.truth = pickFrom(QStringLiteral("majors"));
    } else if (kind == QLatin1String("school")) {
        v.truth = pickFrom(QStringLiteral("schools"));
    } else if (kind == QLatin1String("grade")) {
        v.truth = pickFrom(QStringLiteral("grades"));
    } else if (kind == QLatin1String("birth")) {
        v.truth = date(birth);
    } else if (kind == QLatin1String("date")) {
        v.truth = date(m_today.addDays(-below(1000)));
    } else if (kind == QLatin1String("address")) {
        v.truth = fill(pickFrom(QStringLiteral("address_forms")));
    } else if (kind == QLatin1String("remark")) {
        v.truth = pickFrom(QStringLiteral("remarks"));
    } else if (kind == QLatin1String("department")) {
        v.truth = pickFrom(QStringLiteral("departments"));
    } else if (kind == QLatin1String("ethnicity")) {
        v.truth = pickFrom(QStringLiteral("ethnicities"));
    } else if (kind == QLatin1String("qq")) {
        v.truth = QString::number(1 + below(9)) + digits(4 + below(7));
    } else if (kind == QLatin1String("political")) {
        v.truth = pickFrom(QStringLiteral("political"));
    }
    if (v.written.isEmpty()) {
        v.written = v.truth;
        if (hasAsciiAlnum(v.truth) && chance(5)) {
            v.written = fullWidth(v.truth);
            v.traits |= FullWidth;
        }
    }
    return v;
}

// A value alone, or after a label word (its field's name or a synonym) in one of the ways people
// write one: with a colon, in brackets, with a space, or glued.
QString VariedPastes::labelled(const QString &kind, const QString &fieldName, const QString &written,
                               uint *traits)
{
    QString word = labelWord(fieldName);
    if (fieldName.isEmpty() || chance(m_synonyms)) {
        const QString synonym = pick(m_words.keyed(QStringLiteral("labels"), kind));
        if (!synonym.isEmpty() && synonym != word) {
            word = synonym;
            *traits |= SynonymLabel;
        }
    }
    if (word.isEmpty())
        return written;
    // People keep to one way of writing labels, mostly.
    const int form = chance(80) ? m_decoration : below(100);
    const QString space = chance(30) ? QStringLiteral(" ") : QString();
    if (form < 35)
        return word + QString::fromUtf8("：") + space + written;
    if (form < 50)
        return word + QLatin1Char(':') + space + written;
    if (form < 65) {
        *traits |= BracketLabel;
        const bool glued = chance(50);
        if (glued)
            *traits |= GluedLabel;
        const QString decorated = form < 60
            ? QString(QString::fromUtf8("【") + word + QString::fromUtf8("】"))
            : QString(QLatin1Char('[') + word + QLatin1Char(']'));
        return decorated + (glued ? QString() : QStringLiteral(" ")) + written;
    }
    if (form < 80)
        return word + QLatin1Char(' ') + written;
    *traits |= GluedLabel;
    return word + (form < 85 ? QStringLiteral("=") : QString()) + written;
}

VariedPaste VariedPastes::next()
{
    if (m_inBatch == m_batchSize)
        newFieldList();
    ++m_inBatch;

    VariedPaste paste;
    paste.fields = m_fields;
    paste.kinds = m_kinds;
    const bool male = below(2);
    const QDate birth = m_today.addDays(-(365 * 17 + below(365 * 30)));
    int age = m_today.year() - birth.year();
    if (m_today < birth.addYears(age))
        --age;

    const int layout = below(100);
    const bool lines = layout >= 75 && layout < 87;
    const bool numbered = layout >= 87 && layout < 93;
    const bool spreadsheet = layout >= 93;
    // A person labels nothing, some values or everything, with the field names or words of their own.
    const int labelStyle = below(100);
    const int labels = labelStyle < 30 ? 3 : labelStyle < 65 || lines || numbered ? -1 : 90;
    m_synonyms = chance(35) ? 60 : 5;
    m_decoration = below(100);

    QStringList parts;
    QStringList headers; // a spreadsheet row's labels, one per field
    for (int f = 0; f < m_fields.size(); ++f) {
        const QString &kind = m_kinds.at(f);
        const KindInfo &info = infoOf(kind);
        Value v;
        if (chance(info.present))
            v = valueOf(kind, birth, male, age);
        paste.truth.append(v.truth);
        paste.written.append(v.written);
        paste.alsoRight.append(v.traits & FullWidth ? v.written : QString());
        paste.traits |= v.traits;
        if (spreadsheet) {
            if (v.truth.isEmpty() && chance(50))
                continue; // the column was left out of the copied range
            QString header = labelWord(m_fields.at(f).name);
            if (chance(m_synonyms)) {
                const QString synonym = pick(m_words.keyed(QStringLiteral("labels"), kind));
                if (!synonym.isEmpty() && synonym != header) {
                    header = synonym;
                    paste.traits |= SynonymLabel;
                }
            }
            headers.append(header);
            parts.append(v.written);
        } else if (!v.truth.isEmpty()) {
            const bool label = chance(labels < 0 ? info.labelled : labels);
            parts.append(label ? labelled(kind, m_fields.at(f).name, v.written, &paste.traits) : v.written);
        }
    }

    if (spreadsheet) {
        paste.traits |= SpreadsheetRow;
        paste.text = headers.join(QLatin1Char('\t')) + QLatin1Char('\n') + parts.join(QLatin1Char('\t'));
        return paste;
    }

    // Something the list does not ask for: a value of another kind, sometimes with its label.
    if (chance(15)) {
        QStringList others = kindNames();
        for (const QString &kind : qAsConst(m_kinds))
            others.removeOne(kind);
        if (!others.isEmpty()) {
            const QString kind = pick(others);
            const Value v = valueOf(kind, birth, male, age);
            parts.append(chance(40) ? labelled(kind, QString(), v.written, &paste.traits) : v.written);
            paste.traits |= ExtraValue | (v.traits & ~(FaultyValue | OldIdNumber));
        }
    }
    if (!numbered) {
        for (int i = chance(40) + chance(10); i > 0; --i)
            parts.append(pickFrom(QStringLiteral("junk_words")));
    }
    const QString first = parts.value(0);
    std::shuffle(parts.begin(), parts.end(), m_random);
    if (chance(50) && parts.indexOf(first) > 0)
        parts.move(parts.indexOf(first), 0);

    if (numbered) {
        paste.traits |= Numbered;
        const QString mark = chance(50) ? QStringLiteral(".") : QString::fromUtf8("、");
        for (int i = 0; i < parts.size(); ++i)
            parts[i].prepend(QString::number(i + 1) + mark);
    }
    for (int i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            const int join = below(100);
            if (lines || numbered) {
                paste.text += chance(80) ? QStringLiteral("\n") : QStringLiteral("\r\n");
            } else if (join < 3) {
                paste.text += pick(invisibleGlue);
                paste.traits |= InvisibleGlue;
            } else if (join < 6) {
                paste.text += pick(punctuationGlue);
                paste.traits |= PunctuationGlue;
            } else {
                paste.text += pick(knownSeparators);
            }
        }
        paste.text += parts.at(i);
    }
    return paste;
}
