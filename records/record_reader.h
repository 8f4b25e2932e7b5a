// Reading records from an input as it arrives, so that memory follows the largest record rather
// than the size of the input.
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

#include <QStringList>

class QIODevice;
class QTextDecoder;

class RecordReader final
{
public:
    enum class Mode {
        Blocks, // records are blocks of lines between blank lines
        Whole, // the whole input is one record, also when it is empty
        Lines, // every line that is not blank is a record
    };

    // The device must be open for reading. A leading byte-order mark chooses UTF-8, UTF-16 or UTF-32
    // (either byte order) and is dropped; without one the input is UTF-8. In blocks, a CR alone ends a
    // line as LF and CR LF do.
    RecordReader(QIODevice *device, Mode mode);
    ~RecordReader();

    // The next record's text, or false at the end of the input or when it cannot be read.
    bool next(QString *record);
    bool failed() const { return m_failed; }
    QString errorString() const { return m_errorString; }

private:
    Q_DISABLE_COPY(RecordReader)

    bool nextBlock(QString *record);
    bool readWhole(QString *record);
    // Decodes the next chunk into the buffer; false at the end of the input or on a read error.
    bool readChunk();
    void decode(const char *bytes, int size, bool atEnd);
    void append(const QString &text);

    QIODevice *m_device;
    Mode m_mode;
    std::unique_ptr<QTextDecoder> m_decoder; // made once the byte-order mark can be seen
    QByteArray m_head; // the first bytes, until then
    bool m_afterCR = false; // the last character appended was a CR, so an LF next is part of its line end
    QString m_buffer; // decoded text from m_position on is not consumed yet
    int m_position = 0;
    bool m_atEnd = false;
    bool m_failed = false;
    QString m_errorString;
};

// Every record of a text already in memory, split exactly as an input of that text would be.
QStringList splitRecordText(const QString &text, RecordReader::Mode mode);
