// The decoding is the field file's (fields/text_file): UTF-8, a byte-order mark's UTF-16 or UTF-32,
// or GB18030. What is added here is only what a list picked by the user needs before that.
#include "batch/text_import.h"

#include "fields/text_file.h"

#include <QFile>
#include <QFileInfo>
#include <QTextCodec>

namespace {

constexpr int utf8Mib = 106;

bool refuse(QString *errorText, const QString &why, const QString &path)
{
    *errorText = why + QStringLiteral("，未添加任何记录\n路径：") + path;
    return false;
}

// UTF-16 and UTF-32 are full of NUL bytes; a text in any other encoding holds none.
bool hasWideByteOrderMark(const QByteArray &bytes)
{
    QTextCodec *codec = QTextCodec::codecForUtfText(bytes, nullptr);
    return codec && codec->mibEnum() != utf8Mib;
}

// Control characters and replaced sequences: a text has a few at most; more than one character in ten
// means the bytes were never text.
bool mostlyUnreadable(const QString &text)
{
    int odd = 0;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if ((u < 0x20 && u != '\t' && u != '\n' && u != '\r' && u != '\f')
            || u == QChar::ReplacementCharacter)
            ++odd;
    }
    return 10 * qint64(odd) > text.size();
}

QString encodingName(const QByteArray &bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Gb18030)
        return QStringLiteral("GB18030");
    QTextCodec *codec = QTextCodec::codecForUtfText(bytes, nullptr);
    if (!codec || codec->mibEnum() == utf8Mib)
        return QStringLiteral("UTF-8");
    return QString::fromLatin1(codec->name());
}

} // namespace

bool importTextFile(const QString &path, ImportedText *imported, QString *errorText, qint64 sizeLimit)
{
    *imported = ImportedText();
    const QFileInfo info(path);
    if (!info.isFile())
        return refuse(errorText, QStringLiteral("找不到文件，或它不是普通文件"), path);
    if (info.size() > sizeLimit)
        return refuse(errorText,
                      QStringLiteral("文件大于 %1 MB，过大无法导入").arg(sizeLimit / (1024 * 1024)), path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(errorText, QStringLiteral("无法读取文件（%1）").arg(file.errorString()), path);
    // The file may grow between the look and the read; never more than the limit is taken in.
    const QByteArray bytes = file.read(sizeLimit + 1);
    if (file.error() != QFileDevice::NoError)
        return refuse(errorText, QStringLiteral("无法读取文件（%1）").arg(file.errorString()), path);
    if (bytes.size() > sizeLimit)
        return refuse(errorText,
                      QStringLiteral("文件大于 %1 MB，过大无法导入").arg(sizeLimit / (1024 * 1024)), path);
    if (!hasWideByteOrderMark(bytes) && bytes.contains('\0'))
        return refuse(errorText, QStringLiteral("这不是文本文件（含有空字节）"), path);

    // The bytes were just read, so a failure here is the encoding's: GB18030 takes almost any byte
    // sequence, and one that neither encoding takes is not text.
    TextEncoding encoding = TextEncoding::Unicode;
    QString readError;
    const QString notText = QStringLiteral("这不是文本文件（大部分内容无法解读）");
    if (!readUserTextFile(path, &imported->text, &encoding, &readError) || mostlyUnreadable(imported->text)) {
        *imported = ImportedText();
        return refuse(errorText, notText, path);
    }
    // Said here, not later as an empty input box and clipboard, which the user did not touch.
    if (imported->text.trimmed().isEmpty()) {
        *imported = ImportedText();
        return refuse(errorText, QStringLiteral("文件里没有文字"), path);
    }
    imported->encoding = encodingName(bytes, encoding);
    return true;
}
