// Chunked decoding, and splitting at blank lines or at every line.
#include "records/record_reader.h"

#include <QBuffer>
#include <QIODevice>
#include <QTextCodec>
#include <QTextDecoder>

namespace {

constexpr qint64 chunkSize = 64 * 1024;
constexpr int longestByteOrderMark = 4; // UTF-32

// A line of nothing or only white space, U+3000 included, separates records.
bool isBlank(const QChar *begin, const QChar *end)
{
    for (const QChar *c = begin; c != end; ++c) {
        if (!c->isSpace())
            return false;
    }
    return true;
}

} // namespace

RecordReader::RecordReader(QIODevice *device, Mode mode)
    : m_device(device)
    , m_mode(mode)
{ }

RecordReader::~RecordReader() = default;

bool RecordReader::next(QString *record)
{
    return m_mode == Mode::Whole ? readWhole(record) : nextBlock(record);
}

bool RecordReader::readChunk()
{
    if (m_atEnd)
        return false;
    // Drop what is consumed so the buffer holds at most one chunk and the record's last line.
    if (m_position > 0) {
        m_buffer.remove(0, m_position);
        m_position = 0;
    }
    char chunk[chunkSize];
    const qint64 count = m_device->read(chunk, chunkSize);
    if (count < 0) {
        m_atEnd = true;
        m_failed = true;
        m_errorString = m_device->errorString();
        return false;
    }
    if (count == 0) {
        m_atEnd = true;
        if (!m_decoder)
            decode(nullptr, 0, true); // an input shorter than the longest mark
#if QT_VERSION >= QT_VERSION_CHECK(5, 15, 0)
        // A sequence cut off by the end of the input is invalid too (older Qt 5 cannot tell).
        if (m_decoder->needsMoreData())
            m_buffer += QChar(QChar::ReplacementCharacter);
#endif
        return false;
    }
    decode(chunk, int(count), false);
    return true;
}

void RecordReader::decode(const char *bytes, int size, bool atEnd)
{
    if (m_decoder) {
        append(m_decoder->toUnicode(bytes, size));
        return;
    }
    // The same detection the field file's reader gets from QTextStream. The default decoders drop the
    // mark and turn invalid bytes into U+FFFD.
    m_head.append(bytes, size);
    if (m_head.size() < longestByteOrderMark && !atEnd)
        return;
    QTextCodec *codec = QTextCodec::codecForUtfText(m_head, QTextCodec::codecForName("UTF-8"));
    m_decoder.reset(codec->makeDecoder());
    append(m_decoder->toUnicode(m_head));
    m_head = QByteArray();
}

void RecordReader::append(const QString &text)
{
    if (m_mode == Mode::Whole || (!m_afterCR && !text.contains(QLatin1Char('\r')))) {
        m_buffer += text;
        return;
    }
    // CR and CR LF become LF. A CR LF may be cut by a chunk's end, so whether the CR came last is kept.
    m_buffer.reserve(m_buffer.size() + text.size());
    for (const QChar c : text) {
        if (m_afterCR && c == QLatin1Char('\n')) {
            m_afterCR = false;
            continue;
        }
        m_afterCR = c == QLatin1Char('\r');
        m_buffer += m_afterCR ? QChar(QLatin1Char('\n')) : c;
    }
}

bool RecordReader::nextBlock(QString *record)
{
    record->clear();
    bool hasLines = false;
    int searchFrom = m_position;
    for (;;) {
        int end = m_buffer.indexOf(QLatin1Char('\n'), searchFrom);
        if (end < 0) {
            // A long line arrives over many chunks; search only what is new.
            const int searched = m_buffer.size() - m_position;
            if (readChunk()) {
                searchFrom = m_position + searched;
                continue;
            }
            if (m_failed)
                return false; // an unfinished record from an unreadable input is not trusted
            end = m_buffer.size();
            if (end == m_position)
                return hasLines;
        }
        const QChar *lineBegin = m_buffer.constData() + m_position;
        const QChar *lineEnd = m_buffer.constData() + end;
        m_position = qMin(end + 1, m_buffer.size());
        searchFrom = m_position;
        if (isBlank(lineBegin, lineEnd)) {
            if (hasLines)
                return true;
            continue;
        }
        if (hasLines)
            *record += QLatin1Char('\n');
        record->append(lineBegin, int(lineEnd - lineBegin));
        if (m_mode == Mode::Lines)
            return true;
        hasLines = true;
    }
}

bool RecordReader::readWhole(QString *record)
{
    if (m_atEnd)
        return false;
    while (readChunk()) { }
    if (m_failed)
        return false;
    *record = m_buffer;
    m_buffer.clear();
    return true;
}

QStringList splitRecordText(const QString &text, RecordReader::Mode mode)
{
    // Through the reader itself, so that the window and quorbel-sort can never split differently.
    QByteArray bytes = text.toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    RecordReader reader(&buffer, mode);
    QStringList records;
    QString record;
    while (reader.next(&record))
        records.append(record);
    return records;
}
