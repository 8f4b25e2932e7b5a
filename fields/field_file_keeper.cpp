// Loading and saving the window's field file without ever losing what was on disk.
#include "fields/field_file_keeper.h"

#include "fields/field_file.h"
#include "fields/text_file.h"
#include "workspace/workspace.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool sameBytes(const QString &a, const QString &b)
{
    QFile first(a), second(b);
    return first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly)
        && first.size() == second.size() && first.readAll() == second.readAll();
}

} // namespace

bool FieldFileKeeper::load(const QString &path, QList<FieldDef> *fields, QString *errorText)
{
    fields->clear();
    if (!fileExists(path))
        return true;
    QString text;
    TextEncoding encoding = TextEncoding::Unicode;
    if (!readUserTextFile(path, &text, &encoding, errorText)) {
        m_keepText =
            QStringLiteral("启动时无法读取字段文件，为保护原有字段，未覆盖该文件\n路径：%1").arg(path);
        return false;
    }
    *fields = fieldsFromText(text);
    m_convertOnSave = encoding == TextEncoding::Gb18030;
    // Something was written there, but not in this format (tags in capitals, another program's
    // file): replacing it would destroy it unread.
    if (fields->isEmpty() && !text.trimmed().isEmpty())
        m_keepText =
            QStringLiteral("字段文件中没有可读的字段，为保护其内容，未覆盖该文件\n路径：%1").arg(path);
    return true;
}

bool FieldFileKeeper::save(const QString &path, const QList<FieldDef> &fields, QString *errorText)
{
    if (!m_keepText.isEmpty()) {
        *errorText = m_keepText;
        return false;
    }
    QString backup;
    if (m_convertOnSave && fileExists(path)) {
        backup = backupPath(path);
        if (backup.isEmpty() || (!QFileInfo::exists(backup) && !QFile::copy(path, backup))) {
            *errorText = QStringLiteral("无法另存原字段文件的副本，未覆盖该文件\n路径：%1").arg(path);
            return false;
        }
    }
    if (!writeFieldFile(path, fields, errorText)) {
        const QString problem = dataDirectoryProblem(QFileInfo(path).path());
        if (!problem.isEmpty())
            *errorText = problem;
        return false;
    }
    if (m_convertOnSave && !backup.isEmpty())
        m_note = QStringLiteral("字段文件已由 GB18030 编码改存为 UTF-8，原文件保留为 %1")
                     .arg(QFileInfo(backup).fileName());
    m_convertOnSave = false;
    return true;
}

QString FieldFileKeeper::takeNote()
{
    QString note;
    note.swap(m_note);
    return note;
}

QString FieldFileKeeper::backupPath(const QString &path)
{
    for (int n = 1; n < 100; ++n) {
        const QString candidate = path + QStringLiteral(".bak") + (n > 1 ? QString::number(n) : QString());
        // A copy already made of this same file serves again; anything else there is someone's own.
        if (!QFileInfo::exists(candidate) || sameBytes(path, candidate))
            return candidate;
    }
    return QString();
}
