// The word lists the paste generator draws from, read from data files embedded in the bench data
// library. Each list is split in a half the review may be tuned on ("taught") and a half kept from it
// ("held-out"), so that its figures can be read on text it was not written from.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

enum class Half { Taught, HeldOut };

// "taught" or "held-out"; false for anything else.
bool halfFromName(const QString &name, Half *half);
const char *halfName(Half half);

class Vocabulary final
{
public:
    explicit Vocabulary(Half half);

    // The lines of the list's half (or of the whole list when the file has no halves); the list is
    // named by its file, "schools" for schools.txt. Empty for an unknown list.
    QStringList words(const QString &list) const;
    // Of a list of "key text" lines, the texts under that key.
    QStringList keyed(const QString &list, const QString &key) const;
    // Every list's name.
    static QStringList listNames();

private:
    Half m_half;
    mutable QHash<QString, QStringList> m_loaded;
};
