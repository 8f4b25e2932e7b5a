// The field file: its tag functions, read by plain substring search and never as XML, and the file itself.
#include "fields/field_file.h"

#include "fields/text_file.h"

#include <QTextCodec>

namespace {

QString openingTag(const QString &tag)
{
    return QLatin1Char('<') + tag + QLatin1Char('>');
}

QString closingTag(const QString &tag)
{
    return QLatin1String("</") + tag + QLatin1Char('>');
}

QTextCodec *fieldFileCodec()
{
    return QTextCodec::codecForName("utf-8");
}

} // namespace

QStringList textsBetween(const QString &text, const QString &openMarker, const QString &closeMarker)
{
    QStringList result;
    int from = 0;
    for (;;) {
        const int open = text.indexOf(openMarker, from);
        if (open < 0)
            return result;
        const int start = open + openMarker.size();
        const int close = text.indexOf(closeMarker, start);
        if (close < 0)
            return result;
        result.append(text.mid(start, close - start));
        from = close + closeMarker.size();
    }
}

QStringList tagElements(const QString &text, const QString &tag)
{
    return textsBetween(text, openingTag(tag), closingTag(tag));
}

QString tagValue(const QString &text, const QString &tag)
{
    const int open = text.indexOf(openingTag(tag));
    if (open < 0)
        return QString();
    const int start = open + tag.size() + 2;
    // The closing tag is looked for from the start of the text, not from the value.
    const int close = text.indexOf(closingTag(tag));
    if (close >= start)
        return text.mid(start, close - start);
    return text.mid(start);
}

QString wrapInTag(const QString &value, const QString &tag)
{
    // Concatenation, not QString::arg: a "%1" inside a pattern must survive as written.
    return openingTag(tag) + value + closingTag(tag);
}

QString fieldsToText(const QList<FieldDef> &fields)
{
    QString text;
    for (const FieldDef &field : fields) {
        const QString inner = wrapInTag(field.name, QStringLiteral("name"))
            + wrapInTag(field.pattern, QStringLiteral("pattern"));
        text += wrapInTag(inner, QStringLiteral("field"));
    }
    return text;
}

QList<FieldDef> fieldsFromText(const QString &text)
{
    QList<FieldDef> fields;
    for (const QString &element : tagElements(text, QStringLiteral("field")))
        fields.append(
            { tagValue(element, QStringLiteral("name")), tagValue(element, QStringLiteral("pattern")) });
    return fields;
}

bool readFieldFile(const QString &path, QList<FieldDef> *fields, QString *errorText)
{
    QString text;
    if (!readTextFile(path, fieldFileCodec(), &text, errorText))
        return false;
    *fields = fieldsFromText(text);
    return true;
}

bool writeFieldFile(const QString &path, const QList<FieldDef> &fields, QString *errorText)
{
    return writeTextFile(path, fieldsToText(fields), fieldFileCodec(), errorText);
}
