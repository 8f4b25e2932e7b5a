// Written by hand rather than through QJsonDocument, which keeps --json close to the plain output's cost:
// the line's greatest possible size is reserved once and every string is encoded straight into it.
#include "review/review_json.h"

#include <cstring>

namespace {

// The longest form of a code unit is \u00XX; two quotes and a separator around it.
int boundOf(const QString &text)
{
    return 6 * text.size() + 4;
}

int boundOf(const QStringList &texts)
{
    int bound = 2;
    for (const QString &text : texts)
        bound += boundOf(text);
    return bound;
}

class LineWriter final
{
public:
    explicit LineWriter(int bound)
        : m_line(bound, Qt::Uninitialized)
        , m_p(m_line.data())
    { }

    template<int N>
    void literal(const char (&text)[N])
    {
        std::memcpy(m_p, text, N - 1);
        m_p += N - 1;
    }

    void raw(const char *text)
    {
        const size_t size = std::strlen(text);
        std::memcpy(m_p, text, size);
        m_p += size;
    }

    void number(int value)
    {
        char digits[12];
        int n = 0;
        unsigned magnitude = value < 0 ? 0u - unsigned(value) : unsigned(value);
        do {
            digits[n++] = char('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude);
        if (value < 0)
            *m_p++ = '-';
        while (n > 0)
            *m_p++ = digits[--n];
    }

    void string(const QString &text)
    {
        char *p = m_p;
        *p++ = '"';
        if (text.isEmpty()) { // most cells
            *p++ = '"';
            m_p = p;
            return;
        }
        const ushort *c = reinterpret_cast<const ushort *>(text.constData());
        const ushort *end = c + text.size();
        for (; c < end; ++c) {
            const uint u = *c;
            // The two common cases first: Chinese text outside the surrogates, and plain ASCII.
            if (u >= 0x800 && (u < 0xD800 || u > 0xDFFF)) {
                *p++ = char(0xE0 | (u >> 12));
                *p++ = char(0x80 | ((u >> 6) & 0x3F));
                *p++ = char(0x80 | (u & 0x3F));
            } else if (u - 0x20 < 0x60 && u != '"' && u != '\\') {
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
        m_p = p;
    }

    void array(const QStringList &texts)
    {
        *m_p++ = '[';
        for (int i = 0; i < texts.size(); ++i) {
            if (i > 0)
                literal(", ");
            string(texts.at(i));
        }
        *m_p++ = ']';
    }

    QByteArray finish()
    {
        m_line.truncate(int(m_p - m_line.constData()));
        return m_line;
    }

private:
    QByteArray m_line;
    char *m_p;
};

} // namespace

QByteArray reviewJsonLine(const RecordReview &review)
{
    // Keys, punctuation and a field number: well under 100 bytes a note, 64 for the line.
    int bound = 64 + boundOf(review.cells) + boundOf(review.suggested) + boundOf(review.leftover);
    for (const ReviewNote &note : review.notes)
        bound += 100 + boundOf(note.text) + boundOf(note.values);
    LineWriter out(bound);
    out.literal("{\"cells\": ");
    out.array(review.cells);
    out.literal(", \"suggested\": ");
    out.array(review.suggested);
    out.literal(", \"leftover\": ");
    out.array(review.leftover);
    out.literal(", \"notes\": [");
    for (int i = 0; i < review.notes.size(); ++i) {
        const ReviewNote &note = review.notes.at(i);
        if (i > 0)
            out.literal(", ");
        out.literal("{\"field\": ");
        out.number(note.field);
        out.literal(", \"kind\": \"");
        out.raw(noteKindName(note.kind));
        out.literal("\", \"text\": ");
        out.string(note.text);
        if (note.kind != ReviewNote::Kind::Check) {
            out.literal(", \"values\": ");
            out.array(note.values);
        }
        out.literal("}");
    }
    out.literal("]}\n");
    return out.finish();
}

QByteArray headerJsonLine(const QStringList &names)
{
    LineWriter out(16 + boundOf(names));
    out.literal("{\"header\": ");
    out.array(names);
    out.literal("}\n");
    return out.finish();
}
