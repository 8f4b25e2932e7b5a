// Written by hand rather than through QJsonDocument, which keeps --json close to the plain output's cost.
#include "review/review_json.h"

namespace {

// Encodes straight into the line's bytes: no text or byte array per string.
void appendString(QByteArray *out, const QString &text)
{
    const int start = out->size();
    out->resize(start + 6 * text.size() + 2); // the longest form of a code unit is \u00XX
    char *p = out->data() + start;
    *p++ = '"';
    const ushort *c = reinterpret_cast<const ushort *>(text.constData());
    const ushort *end = c + text.size();
    for (; c < end; ++c) {
        const uint u = *c;
        if (u >= 0x20 && u < 0x80 && u != '"' && u != '\\') {
            *p++ = char(u);
        } else if (u < 0x80) {
            *p++ = '\\';
            switch (u) {
            case '"':
            case '\\':
                *p++ = char(u);
                break;
            case '\n':
                *p++ = 'n';
                break;
            case '\r':
                *p++ = 'r';
                break;
            case '\t':
                *p++ = 't';
                break;
            default:
                static const char hex[] = "0123456789abcdef";
                *p++ = 'u';
                *p++ = '0';
                *p++ = '0';
                *p++ = hex[u >> 4];
                *p++ = hex[u & 15];
            }
        } else if (u < 0x800) {
            *p++ = char(0xC0 | (u >> 6));
            *p++ = char(0x80 | (u & 0x3F));
        } else if (QChar::isHighSurrogate(u) && c + 1 < end && QChar::isLowSurrogate(c[1])) {
            const uint code = QChar::surrogateToUcs4(ushort(u), c[1]);
            ++c;
            *p++ = char(0xF0 | (code >> 18));
            *p++ = char(0x80 | ((code >> 12) & 0x3F));
            *p++ = char(0x80 | ((code >> 6) & 0x3F));
            *p++ = char(0x80 | (code & 0x3F));
        } else {
            const uint code = QChar::isSurrogate(u) ? 0xFFFD : u; // a lone half cannot be encoded
            *p++ = char(0xE0 | (code >> 12));
            *p++ = char(0x80 | ((code >> 6) & 0x3F));
            *p++ = char(0x80 | (code & 0x3F));
        }
    }
    *p++ = '"';
    out->resize(int(p - out->constData()));
}

void appendArray(QByteArray *out, const QStringList &texts)
{
    out->append('[');
    for (int i = 0; i < texts.size(); ++i) {
        if (i > 0)
            out->append(", ", 2);
        appendString(out, texts.at(i));
    }
    out->append(']');
}

} // namespace

QByteArray reviewJsonLine(const RecordReview &review)
{
    QByteArray out;
    out.reserve(4096); // one allocation for nearly every line
    out.append("{\"cells\": ");
    appendArray(&out, review.cells);
    out.append(", \"suggested\": ");
    appendArray(&out, review.suggested);
    out.append(", \"leftover\": ");
    appendArray(&out, review.leftover);
    out.append(", \"notes\": [");
    for (int i = 0; i < review.notes.size(); ++i) {
        const ReviewNote &note = review.notes.at(i);
        out.append(i > 0 ? ", {\"field\": " : "{\"field\": ");
        out.append(QByteArray::number(note.field));
        out.append(", \"kind\": \"");
        out.append(noteKindName(note.kind));
        out.append("\", \"text\": ");
        appendString(&out, note.text);
        if (note.kind != ReviewNote::Kind::Check) {
            out.append(", \"values\": ");
            appendArray(&out, note.values);
        }
        out.append('}');
    }
    out.append("]}\n");
    return out;
}

QByteArray headerJsonLine(const QStringList &names)
{
    QByteArray out("{\"header\": ");
    appendArray(&out, names);
    out.append("}\n");
    return out;
}
