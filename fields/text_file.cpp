// Reading and writing whole text files.
#include "fields/text_file.h"

#include "fields/fields_log.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextCodec>
#include <QTextStream>

namespace {

constexpr int utf8Mib = 106;

bool cannotRead(const QString &what, const QString &path, QString *errorText)
{
    qCDebug(lcFieldFile).noquote() << what << QLatin1Char('"') + path + QLatin1Char('"');
    *errorText = QStringLiteral("无法打开文件\n路径：%1").arg(path);
    return false;
}

// In slices, so that checking a large file costs no second copy of its whole text.
bool isValidUtf8(const QByteArray &bytes)
{
    QTextCodec *utf8 = QTextCodec::codecForMib(utf8Mib);
    QTextCodec::ConverterState state;
    constexpr int slice = 1 << 20;
    for (int from = 0; from < bytes.size(); from += slice) {
        utf8->toUnicode(bytes.constData() + from, qMin(slice, bytes.size() - from), &state);
        if (state.invalidChars > 0)
            return false;
    }
    return state.remainingChars == 0; // a sequence cut off at the end
}

// Qt's GB18030 decoder does not count what it replaces, but GB18030 maps every valid byte sequence to
// its own character and back, so clean bytes are exactly those that survive the round trip.
bool isValidIn(QTextCodec *codec, const QByteArray &bytes)
{
    return codec->fromUnicode(codec->toUnicode(bytes)) == bytes;
}

// The rest of an open file through a text stream, so CR LF arrives as LF and a byte-order mark is dropped.
bool readThrough(QFile &file, QTextCodec *codec, const QString &path, QString *text, QString *errorText)
{
    QTextStream stream(&file);
    stream.setCodec(codec);
    *text = stream.readAll();
    if (file.error() != QFileDevice::NoError) {
        text->clear();
        return cannotRead(QStringLiteral("无法读取文件："), path, errorText);
    }
    return true;
}

} // namespace

bool fileExists(const QString &path)
{
    return QFileInfo::exists(path);
}

bool readTextFile(const QString &path, QTextCodec *codec, QString *text, QString *errorText)
{
    text->clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return cannotRead(QStringLiteral("无法打开文件："), path, errorText);
    return readThrough(file, codec, path, text, errorText);
}

QStringList readDataLines(const QString &path)
{
    QStringList lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    QTextStream in(&file);
    in.setCodec("utf-8");
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines.append(line);
    }
    return lines;
}

bool readUserTextFile(const QString &path, QString *text, TextEncoding *encoding, QString *errorText)
{
    text->clear();
    *encoding = TextEncoding::Unicode;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return cannotRead(QStringLiteral("无法打开文件："), path, errorText);
    // The bytes as they are decide the encoding; the text is then read as readTextFile reads it.
    file.setTextModeEnabled(false);
    const QByteArray bytes = file.readAll();
    file.setTextModeEnabled(true);
    if (file.error() != QFileDevice::NoError || !file.seek(0))
        return cannotRead(QStringLiteral("无法读取文件："), path, errorText);

    QTextCodec *codec = QTextCodec::codecForMib(utf8Mib);
    const bool readAsUtf8 = QTextCodec::codecForUtfText(bytes, codec)->mibEnum() == utf8Mib;
    if (readAsUtf8 && !isValidUtf8(bytes)) {
        QTextCodec *gb18030 = QTextCodec::codecForName("GB18030");
        // A UTF-8 byte-order mark is the writer's word that the rest is UTF-8, however broken; a Qt
        // built without the codec finds such files valid in neither.
        if (!gb18030 || bytes.startsWith("\xEF\xBB\xBF") || !isValidIn(gb18030, bytes)) {
            qCDebug(lcFieldFile).noquote() << QStringLiteral("既非 UTF-8 也非 GB18030 编码：")
                                           << QLatin1Char('"') + path + QLatin1Char('"');
            *errorText =
                QStringLiteral("文件既不是 UTF-8 编码，也不是 GB18030 编码，无法读取\n路径：%1").arg(path);
            return false;
        }
        qCDebug(lcFieldFile).noquote()
            << QStringLiteral("按 GB18030 编码读取：") << QLatin1Char('"') + path + QLatin1Char('"');
        codec = gb18030;
        *encoding = TextEncoding::Gb18030;
    }
    return readThrough(file, codec, path, text, errorText);
}

bool writeTextTo(QIODevice &device, const QString &text, QTextCodec *codec)
{
    const QByteArray bytes = codec->fromUnicode(text);
    return device.write(bytes) == bytes.size();
}

bool writeTextFile(const QString &path, const QString &text, QTextCodec *codec, QString *errorText)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *errorText = QStringLiteral("打开文件失败\n路径：%1").arg(path);
        return false;
    }
    if (!writeTextTo(file, text, codec) || !file.flush()) {
        file.cancelWriting();
        *errorText = QStringLiteral("写入文件失败\n路径：%1").arg(path);
        return false;
    }
    if (!file.commit()) {
        *errorText = QStringLiteral("写入文件失败\n路径：%1").arg(path);
        return false;
    }
    return true;
}

QStringList removeSaveLeftovers(const QString &path)
{
    const QFileInfo target(path);
    const QString prefix = target.fileName() + QLatin1Char('.');
    QStringList removed;
    const QFileInfoList entries = target.dir().entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo &entry : entries) {
        const QString name = entry.fileName();
        if (name.size() != prefix.size() + 6 || !name.startsWith(prefix))
            continue;
        const QString random = name.mid(prefix.size());
        const bool letters = std::all_of(random.begin(), random.end(), [](QChar c) {
            return (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
        });
        const QString tail = random.mid(1);
        const bool wordLike = tail == tail.toLower() || random == random.toUpper();
        if (letters && !wordLike && QFile::remove(entry.filePath())) {
            qCDebug(lcFieldFile).noquote() << QStringLiteral("已删除保存中断留下的临时文件：")
                                           << QLatin1Char('"') + entry.filePath() + QLatin1Char('"');
            removed.append(name);
        }
    }
    return removed;
}
