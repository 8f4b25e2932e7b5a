// A small JSON writer that only ever appends to a growing QString, so no input can run past the end of
// a buffer; the line is made UTF-8 once at the end. Qt's own JSON classes give the same text but cost
// more than the whole review of a record.
#include "review/review_json.h"

namespace {

// The short escape of a character, or an empty string.
QLatin1String escaped(QChar c)
{
    switch (c.unicode()) {
    case u'"':
        return QLatin1String("\\\"");
    case u'\\':
        return QLatin1String("\\\\");
    case u'\n':
        return QLatin1String("\\n");
    case u'\r':
        return QLatin1String("\\r");
    case u'\t':
        return QLatin1String("\\t");
    default:
        return QLatin1String();
    }
}

class JsonLine final
{
public:
    JsonLine() { m_line.reserve(1024); } // most records' lines fit

    void string(const QString &text)
    {
        m_line += QLatin1Char('"');
        int plain = 0; // start of the run of characters written as they are
        const QChar *characters = text.constData();
        for (int i = 0; i < text.size(); ++i) {
            // Nearly every character is written as it is: told so before the escapes are looked up.
            const ushort u = characters[i].unicode();
            if (u >= 0x20 && u != '"' && u != '\\')
                continue;
            const QLatin1String escape = escaped(text.at(i));
            m_line += text.midRef(plain, i - plain);
            plain = i + 1;
            if (escape.size() > 0)
                m_line += escape;
            else
                m_line += QStringLiteral("\\u%1").arg(text.at(i).unicode(), 4, 16, QLatin1Char('0'));
        }
        if (plain == 0)
            m_line += text;
        else
            m_line += text.midRef(plain);
        m_line += QLatin1Char('"');
    }

    void array(const QStringList &texts)
    {
        m_line += QLatin1Char('[');
        for (int i = 0; i < texts.size(); ++i) {
            if (i > 0)
                m_line += QLatin1String(", ");
            string(texts.at(i));
        }
        m_line += QLatin1Char(']');
    }

    // Keys and punctuation, written as they are.
    JsonLine &operator<<(QLatin1String text)
    {
        m_line += text;
        return *this;
    }

    // Field and record numbers, written without a string of their own.
    void number(int value)
    {
        if (value < 0)
            m_line += QLatin1Char('-');
        unsigned magnitude = value < 0 ? 0u - unsigned(value) : unsigned(value);
        char digits[10]; // an unsigned int has ten decimal digits at most
        int count = 0;
        do {
            digits[count++] = char('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude > 0);
        while (count > 0)
            m_line += QLatin1Char(digits[--count]);
    }

    QByteArray finish()
    {
        m_line += QLatin1Char('\n');
        return m_line.toUtf8();
    }

private:
    QString m_line;
};

} // namespace

QByteArray reviewJsonLine(const RecordReview &review)
{
    JsonLine out;
    out << QLatin1String("{\"cells\": ");
    out.array(review.cells);
    out << QLatin1String(", \"suggested\": ");
    out.array(review.suggested);
    out << QLatin1String(", \"leftover\": ");
    out.array(review.leftover);
    out << QLatin1String(", \"notes\": [");
    for (int i = 0; i < review.notes.size(); ++i) {
        const ReviewNote &note = review.notes.at(i);
        out << QLatin1String(i > 0 ? ", {\"field\": " : "{\"field\": ");
        out.number(note.field);
        out << QLatin1String(", \"kind\": \"") << QLatin1String(noteKindName(note.kind))
            << QLatin1String("\", \"text\": ");
        out.string(note.text);
        if (note.kind == ReviewNote::Kind::Duplicate) {
            out << QLatin1String(", \"record\": ");
            out.number(note.record);
        } else if (note.kind != ReviewNote::Kind::Check) {
            out << QLatin1String(", \"values\": ");
            out.array(note.values);
        }
        out << QLatin1String("}");
    }
    out << QLatin1String("]}");
    return out.finish();
}

QByteArray headerJsonLine(const QStringList &names)
{
    JsonLine out;
    out << QLatin1String("{\"header\": ");
    out.array(names);
    out << QLatin1String("}");
    return out.finish();
}
