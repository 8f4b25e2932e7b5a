// Reading the table of known fields from its data file. Names and label words are kept in their
// comparison form, so that a look-up normalises only the text asked about.
#include "fields/known_fields_table.h"

#include "fields/fields_log.h"

#include <QFile>
#include <QTextStream>

// Resources of a static library need an explicit start, outside any namespace.
static void initFieldsResource()
{
    Q_INIT_RESOURCE(fields);
}

namespace {

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

void addName(KnownFieldsTable &table, FieldKind kind, QString word)
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
    table.longestName = qMax(table.longestName, int(key.size()));
    table.labels.insert(key, use);
    if (use != LabelUse::None) {
        for (int length = 1; length <= key.size(); ++length)
            table.labelBeginnings.insert(key.left(length));
        table.labelInitials.insert(key.at(0).unicode());
        if (key.size() >= 2)
            table.labelPairs.insert(quint32(key.at(0).unicode()) << 16 | key.at(1).unicode());
    }
}

KnownFieldsTable readTable()
{
    initFieldsResource();
    KnownFieldsTable table;
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

} // namespace

const KnownFieldsTable &knownFieldsTable()
{
    static const KnownFieldsTable known = readTable();
    return known;
}
