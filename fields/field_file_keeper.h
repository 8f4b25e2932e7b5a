// The window's field file across one run: what loading found decides what saving may do, so that no
// save ever replaces fields that were on disk but never reached the window.
#pragma once

#include "fields/field_catalogue.h"

#include <QString>

class FieldFileKeeper final
{
public:
    // Fields of the file; a missing file gives none and true. False, with a message for the user in
    // *errorText, when the file exists but cannot be read; the file is then never replaced.
    bool load(const QString &path, QList<FieldDef> *fields, QString *errorText);

    // Replaces the file with the fields unless loading found it must be kept. A file that was read
    // as GB18030 is first copied beside itself (see backupPath), once. False with a message for the
    // user in *errorText.
    bool save(const QString &path, const QList<FieldDef> &fields, QString *errorText);

    // A line for the user after the save that converted the file to UTF-8, given once; else empty.
    QString takeNote();

    // Where the copy of a file goes: "<path>.bak", or "<path>.bak2", "<path>.bak3"… when that name is
    // taken by a different file. Empty when all are taken.
    static QString backupPath(const QString &path);

private:
    QString m_keepText; // why the file must not be replaced; empty when it may be
    bool m_convertOnSave = false;
    QString m_note;
};
