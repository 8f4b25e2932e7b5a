// Whole-file text reading and safe writing, reporting failures as text for the caller to show.
#pragma once

#include <QString>
#include <QStringList>

class QIODevice;
class QTextCodec;

// True when a file or directory exists at the path.
bool fileExists(const QString &path);

// Reads the whole file through the codec (a byte-order mark is honoured and dropped; CR LF becomes LF).
// On failure returns false, leaves *text empty and puts a message for the user into *errorText.
bool readTextFile(const QString &path, QTextCodec *codec, QString *text, QString *errorText);

// A data file of one entry a line, in UTF-8: lines trimmed, blank ones and # comments left out.
// Empty when the file cannot be opened.
QStringList readDataLines(const QString &path);

// How readUserTextFile decoded a file.
enum class TextEncoding { Unicode, Gb18030 };

// For files a user may have written by hand: read exactly as readTextFile reads them with UTF-8, but
// bytes that are not valid UTF-8 are read as GB18030 (what Notepad on a Chinese Windows saves as
// "ANSI") when they are valid GB18030. Files that a byte-order mark declares UTF-16 or UTF-32 are read
// as that. A file valid in neither encoding gives false, as one that cannot be opened does, with a
// message for the user in *errorText.
bool readUserTextFile(const QString &path, QString *text, TextEncoding *encoding, QString *errorText);

// Replaces the file's content through a temporary file and an atomic rename, so the old content
// survives any failure. No byte-order mark, no line-end translation. On failure returns false with
// a message for the user in *errorText.
bool writeTextFile(const QString &path, const QString &text, QTextCodec *codec, QString *errorText);

// The encoding step of writeTextFile on any open device; false when the device takes fewer bytes.
bool writeTextTo(QIODevice &device, const QString &text, QTextCodec *codec);

// Removes what an interrupted writeTextFile can leave beside the file: the atomic save's temporary
// files, named after the file, a dot and six random ASCII letters. Names that read like a word
// ("backup", "Backup", "BACKUP") are left alone: a user may have named a copy so. Returns the names removed.
QStringList removeSaveLeftovers(const QString &path);
