// Reading and writing whole text files.
#include "fields/text_file.h"

#include "fields/fields_log.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextCodec>
#include <QTextStream>

bool fileExists(const QString &path)
{
    return QFileInfo::exists(path);
}

bool readTextFile(const QString &path, QTextCodec *codec, QString *text, QString *errorText)
{
    text->clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qCDebug(lcFieldFile).noquote()
            << QStringLiteral("无法打开文件：") << QLatin1Char('"') + path + QLatin1Char('"');
        *errorText = QStringLiteral("无法打开文件\n路径：%1").arg(path);
        return false;
    }
    QTextStream stream(&file);
    stream.setCodec(codec);
    *text = stream.readAll();
    if (file.error() != QFileDevice::NoError) {
        qCDebug(lcFieldFile).noquote()
            << QStringLiteral("无法读取文件：") << QLatin1Char('"') + path + QLatin1Char('"');
        text->clear();
        *errorText = QStringLiteral("无法打开文件\n路径：%1").arg(path);
        return false;
    }
    return true;
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
