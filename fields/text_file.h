// Whole-file text reading and safe writing, reporting failures as text for the caller to show.
#pragma once

#include <QString>

class QIODevice;
class QTextCodec;

// True when a file or directory exists at the path.
bool fileExists(const QString &path);

// Reads the whole file through the codec (a byte-order mark is honoured and dropped; CR LF becomes LF).
// On failure returns false, leaves *text empty and puts a message for the user into *errorText.
bool readTextFile(const QString &path, QTextCodec *codec, QString *text, QString *errorText);

// Replaces the file's content through a temporary file and an atomic rename, so the old content
// survives any failure. No byte-order mark, no line-end translation. On failure returns false with
// a message for the user in *errorText.
bool writeTextFile(const QString &path, const QString &text, QTextCodec *codec, QString *errorText);

// The encoding step of writeTextFile on any open device; false when the device takes fewer bytes.
bool writeTextTo(QIODevice &device, const QString &text, QTextCodec *codec);
