// Reading a text file for a batch: which encoding it is in, and the refusals for files that are too
// large, not text, or unreadable.
#pragma once

#include <QString>

constexpr qint64 importSizeLimit = 50 * 1024 * 1024;

struct ImportedText
{
    QString text; // line ends made LF, the byte-order mark dropped
    QString encoding; // "UTF-8", "UTF-16LE", "GB18030"…, as the dialog names it
};

// False with a message for the user in *errorText, saying why nothing can be added; then *imported
// is left empty.
bool importTextFile(const QString &path, ImportedText *imported, QString *errorText,
                    qint64 sizeLimit = importSizeLimit);
