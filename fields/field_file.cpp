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

// textsBetween and tagValue on references into the text: a large file is read without copying each
// element first. The two must find exactly what the public functions below find.
template<typename Found>
void forEachBetween(const QString &text, const QString &openMarker, const QString &closeMarker, Found found)
{
    int from = 0;
    for (;;) {
        const int open = text.indexOf(openMarker, from);
        if (open < 0)
            return;
        const int start = open + openMarker.size();
        const int close = text.indexOf(closeMarker, start);
        if (close < 0)
            return;
        found(text.midRef(start, close - start));
        from = close + closeMarker.size();
    }
}

QStringRef valueBetween(const QStringRef &text, const QString &openMarker, const QString &closeMarker)
{
    const int open = text.indexOf(openMarker);
    if (open < 0)
        return QStringRef();
    const int start = open + openMarker.size();
    // The closing tag is looked for from the start of the text, not from the value.
    const int close = text.indexOf(closeMarker);
    if (close >= start)
        return text.mid(start, close - start);
    return text.mid(start);
}

} // namespace

QStringList textsBetween(const QString &text, const QString &openMarker, const QString &closeMarker)
{
    QStringList result;
    forEachBetween(text, openMarker, closeMarker,
                   [&result](const QStringRef &content) { result.append(content.toString()); });
    return result;
}

QStringList tagElements(const QString &text, const QString &tag)
{
    return textsBetween(text, openingTag(tag), closingTag(tag));
}

QString tagValue(const QString &text, const QString &tag)
{
    return valueBetween(QStringRef(&text), openingTag(tag), closingTag(tag)).toString();
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
    const QString name = QStringLiteral("name");
    const QString nameOpen = openingTag(name), nameClose = closingTag(name);
    const QString pattern = QStringLiteral("pattern");
    const QString patternOpen = openingTag(pattern), patternClose = closingTag(pattern);
    QList<FieldDef> fields;
    const QString field = QStringLiteral("field");
    forEachBetween(text, openingTag(field), closingTag(field), [&](const QStringRef &element) {
        fields.append({ valueBetween(element, nameOpen, nameClose).toString(),
                        valueBetween(element, patternOpen, patternClose).toString() });
    });
    return fields;
}

bool readFieldFile(const QString &path, QList<FieldDef> *fields, QString *errorText)
{
    QString text;
    TextEncoding encoding = TextEncoding::Unicode;
    if (!readUserTextFile(path, &text, &encoding, errorText))
        return false;
    *fields = fieldsFromText(text);
    return true;
}

bool writeFieldFile(const QString &path, const QList<FieldDef> &fields, QString *errorText)
{
    return writeTextFile(path, fieldsToText(fields), fieldFileCodec(), errorText);
}
