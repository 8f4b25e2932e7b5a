// Reading records from an input as it arrives, so that memory follows the largest record rather
// than the size of the input.
#pragma once

#include <QString>

#include <memory>

class QIODevice;
class QTextDecoder;

class RecordReader final
{
public:
    enum class Mode {
        Blocks, // records are blocks of lines between blank lines
        Whole, // the whole input is one record, also when it is empty
    };

    // The device must be open for reading; it is decoded as UTF-8, a leading BOM dropped.
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

    QIODevice *m_device;
    Mode m_mode;
    std::unique_ptr<QTextDecoder> m_decoder;
    QString m_buffer; // decoded text from m_position on is not consumed yet
    int m_position = 0;
    bool m_atEnd = false;
    bool m_failed = false;
    QString m_errorString;
};
