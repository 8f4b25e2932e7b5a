// The table of known fields, read once from the embedded data file, and the look-ups on it.
// Names and label words are kept in their comparison form, so that a look-up normalises only the
// text asked about.
#include "fields/known_fields.h"

#include "fields/fields_log.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QTextStream>
#include <QVector>

// Resources of a static library need an explicit start, outside any namespace.
static void initFieldsResource()
{
    Q_INIT_RESOURCE(fields);
}

namespace {

enum class LabelUse {
    None, // names a field, is no label word in a paste
    Plain, // a label word, glued to its value or not
    Closed, // a label word glued to Chinese text only with a colon or bracket between
};

struct Preset
{
    QStringList names;
    QString pattern;
};

struct KnownFields
{
    QHash<QString, FieldKind> kinds;
    QHash<QString, LabelUse> labels;
    QHash<int, QString> kindNames;
    QVector<Preset> presets;
    // Every beginning of a label word, the words themselves included: a glued label is read
    // character by character, and most tokens stop at their first.
    QSet<QString> labelBeginnings;
};

FieldKind kindOfKey(const QString &key)
{
    static const QHash<QString, FieldKind> keys = {
        { QStringLiteral("name"), FieldKind::Name },
        { QStringLiteral("gender"), FieldKind::Gender },
        { QStringLiteral("age"), FieldKind::Age },
        { QStringLiteral("class"), FieldKind::Class },
        { QStringLiteral("mobile"), FieldKind::Mobile },
        { QStringLiteral("landline"), FieldKind::Landline },
        { QStringLiteral("phone"), FieldKind::Phone },
        { QStringLiteral("email"), FieldKind::Email },
        { QStringLiteral("student-number"), FieldKind::StudentNumber },
        { QStringLiteral("id-number"), FieldKind::IdNumber },
        { QStringLiteral("major"), FieldKind::Major },
        { QStringLiteral("school"), FieldKind::School },
        { QStringLiteral("grade"), FieldKind::Grade },
        { QStringLiteral("birth-date"), FieldKind::BirthDate },
        { QStringLiteral("date"), FieldKind::Date },
        { QStringLiteral("address"), FieldKind::Address },
        { QStringLiteral("remark"), FieldKind::Remark },
        { QStringLiteral("department"), FieldKind::Department },
        { QStringLiteral("ethnicity"), FieldKind::Ethnicity },
        { QStringLiteral("qq"), FieldKind::Qq },
        { QStringLiteral("wechat"), FieldKind::WeChat },
        { QStringLiteral("political-status"), FieldKind::PoliticalStatus },
        { QStringLiteral("native-place"), FieldKind::NativePlace },
        { QStringLiteral("position"), FieldKind::Position },
        { QStringLiteral("employee-number"), FieldKind::EmployeeNumber },
        { QStringLiteral("company"), FieldKind::Company },
        { QStringLiteral("post-code"), FieldKind::PostCode },
        { QStringLiteral("education"), FieldKind::Education },
    };
    return keys.value(key, FieldKind::Other);
}

void addName(KnownFields &table, FieldKind kind, QString word)
{
    LabelUse use = LabelUse::Plain;
    if (word.startsWith(QLatin1Char('!')))
        use = LabelUse::None;
    else if (word.startsWith(QLatin1Char('~')))
        use = LabelUse::Closed;
    if (use != LabelUse::Plain)
        word.remove(0, 1);
    const QString key = normalizedFieldName(word);
    const auto known = table.kinds.constFind(key);
    if (known != table.kinds.constEnd() && *known != kind)
        qCWarning(lcFieldFile) << "known fields: name given to two kinds:" << word;
    table.kinds.insert(key, kind);
    table.labels.insert(key, use);
    if (use != LabelUse::None) {
        for (int length = 1; length <= key.size(); ++length)
            table.labelBeginnings.insert(key.left(length));
    }
}

KnownFields readTable()
{
    initFieldsResource();
    KnownFields table;
    QFile file(QStringLiteral(":/fields/known_fields.txt"));
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcFieldFile) << "known fields: table missing";
        return table;
    }
    QTextStream in(&file);
    in.setCodec("utf-8");
    FieldKind kind = FieldKind::Other;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int space = line.indexOf(QLatin1Char(' '));
        const QString keyword = line.left(space);
        const QString rest = line.mid(space + 1);
        if (keyword == QLatin1String("kind")) {
            const QStringList words = rest.simplified().split(QLatin1Char(' '));
            kind = kindOfKey(words.value(0));
            if (kind == FieldKind::Other)
                qCWarning(lcFieldFile) << "known fields: unknown kind" << words.value(0);
            table.kindNames.insert(int(kind), words.value(1));
        } else if (keyword == QLatin1String("preset")) {
            // The pattern is the rest of the line as it stands: it may hold any character.
            static const QString arrow = QStringLiteral(" => ");
            const int at = rest.indexOf(arrow);
            const QStringList names = rest.left(at).simplified().split(QLatin1Char(' '));
            table.presets.append({ names, rest.mid(at + arrow.size()) });
            for (const QString &name : names)
                addName(table, kind, name);
        } else if (keyword == QLatin1String("names")) {
            for (const QString &name : rest.simplified().split(QLatin1Char(' ')))
                addName(table, kind, name);
        }
    }
    return table;
}

const KnownFields &table()
{
    static const KnownFields known = readTable();
    return known;
}

QChar halfWidthCharacter(QChar c)
{
    const ushort u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E)
        return QChar(u - 0xFEE0);
    return c;
}

bool isOpeningBracket(QChar c)
{
    return c.category() == QChar::Punctuation_Open || c == QLatin1Char('<') || c == QChar(u'《');
}

bool isClosingBracket(QChar c)
{
    return c.category() == QChar::Punctuation_Close || c == QLatin1Char('>') || c == QChar(u'》');
}

bool isColon(QChar c)
{
    return c == QLatin1Char(':') || c == QChar(u'：') || c == QLatin1Char('=') || c == QChar(u'＝');
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber();
}

bool isAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// The name with every bracketed remark taken out: 手机号（必填） → 手机号.
QString withoutBracketed(const QString &name)
{
    QString result;
    int depth = 0;
    for (const QChar c : name) {
        if (isOpeningBracket(c))
            ++depth;
        else if (isClosingBracket(c))
            depth = qMax(0, depth - 1);
        else if (depth == 0)
            result.append(c);
    }
    return result;
}

} // namespace

QString normalizedFieldName(const QString &name)
{
    QString result;
    result.reserve(name.size());
    for (const QChar original : name) {
        const QChar c = halfWidthCharacter(original);
        if (c.isSpace() || c.isPunct() || c.isSymbol() || c.category() == QChar::Other_Format
            || c.unicode() == 0x3000)
            continue;
        result.append(c);
    }
    return result.toCaseFolded();
}

QString presetPattern(const QString &name)
{
    for (const Preset &preset : table().presets) {
        if (preset.names.contains(name))
            return preset.pattern;
    }
    return QString();
}

FieldKind fieldKind(const QString &fieldName)
{
    const QHash<QString, FieldKind> &kinds = table().kinds;
    const QString name = normalizedFieldName(fieldName);
    const auto exact = kinds.constFind(name);
    if (exact != kinds.constEnd())
        return *exact;
    // 1.姓名, 电话2: a number before or after the name only counts the columns.
    QString bare = name;
    while (!bare.isEmpty() && bare.front().isDigit())
        bare.remove(0, 1);
    while (!bare.isEmpty() && bare.back().isDigit())
        bare.chop(1);
    if (!bare.isEmpty() && bare != name)
        return fieldKind(bare);
    const QString plain = normalizedFieldName(withoutBracketed(fieldName));
    if (!plain.isEmpty() && plain != name)
        return fieldKind(plain);
    // 家长联系电话, 学校地址: the longest known name the field's name ends in, two characters at least.
    for (int from = 1; from + 2 <= name.size(); ++from) {
        const auto ending = kinds.constFind(name.mid(from));
        if (ending != kinds.constEnd())
            return *ending;
    }
    return FieldKind::Other;
}

FieldKind labelKind(const QString &word)
{
    const QString key = normalizedFieldName(word);
    if (table().labels.value(key, LabelUse::None) == LabelUse::None)
        return FieldKind::Other;
    return table().kinds.value(key);
}

int labelPrefix(const QString &token, FieldKind *kind)
{
    const KnownFields &known = table();
    // *姓名, ※手机: forms mark the fields that must be filled.
    int start = 0;
    while (start < token.size()
           && (token.at(start) == QLatin1Char('*') || token.at(start) == QChar(u'＊')
               || token.at(start) == QChar(u'※')))
        ++start;
    const bool opened = start < token.size() && isOpeningBracket(halfWidthCharacter(token.at(start)));
    if (opened)
        ++start;
    // The word's comparison form, grown a character at a time while it still begins some label
    // word; the longest label word met decides.
    QString key;
    QString found;
    int wordEnd = 0;
    for (int i = start; i < token.size(); ++i) {
        const QChar c = halfWidthCharacter(token.at(i));
        if (isColon(c) || isOpeningBracket(c) || isClosingBracket(c))
            break;
        if (!isWordCharacter(c)) {
            // E-mail: punctuation inside a word is dropped, as in a field name.
            if (key.isEmpty())
                break;
            continue;
        }
        key.append(c.toCaseFolded());
        if (!known.labelBeginnings.contains(key))
            break;
        if (known.labels.value(key, LabelUse::None) != LabelUse::None) {
            found = key;
            wordEnd = i + 1;
        }
    }
    if (found.isEmpty())
        return 0;
    int end = wordEnd;
    bool closed = false;
    if (opened && end < token.size() && isClosingBracket(halfWidthCharacter(token.at(end)))) {
        ++end;
        closed = true;
    }
    while (end < token.size() && isColon(token.at(end))) {
        ++end;
        closed = true;
    }
    if (end < token.size() && !closed) {
        const QChar next = halfWidthCharacter(token.at(end));
        if (isAscii(found)) {
            // mailbox, mail123@qq.com: the letters run on into a value of their own.
            if ((next.unicode() < 0x80 && next.isLetter()) || token.contains(QLatin1Char('@')))
                return 0;
        } else if (known.labels.value(found) == LabelUse::Closed && next.unicode() >= 0x2E80) {
            return 0;
        }
    }
    if (kind)
        *kind = known.kinds.value(found);
    return end;
}

QString kindName(FieldKind kind)
{
    return table().kindNames.value(int(kind));
}

bool kindCovers(FieldKind field, FieldKind value)
{
    if (field == value)
        return true;
    switch (field) {
    case FieldKind::Phone:
        return value == FieldKind::Mobile || value == FieldKind::Landline;
    case FieldKind::Date:
    case FieldKind::BirthDate:
        return value == FieldKind::Date || value == FieldKind::BirthDate;
    case FieldKind::WeChat:
        return value == FieldKind::Mobile;
    case FieldKind::NativePlace:
        // 户籍 is written as a whole address as often as a province and a city.
        return value == FieldKind::Address;
    default:
        return false;
    }
}
