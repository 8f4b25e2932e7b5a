// Reading the generators' word lists. A file is lines of text; "# " starts a comment line ("#" alone
// is a word), and the lines "[taught]" and "[held-out]" start the halves. Lines before either belong to
// both halves.
#include "bench/vocabulary.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

// Resources of a static library need an explicit start, outside any namespace.
static void startResources()
{
    Q_INIT_RESOURCE(bench_data);
}

namespace {

const char *const listDirectory = ":/bench/data";

QStringList readHalf(const QString &list, Half half)
{
    startResources();
    QFile file(QString::fromLatin1(listDirectory) + QLatin1Char('/') + list + QStringLiteral(".txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QTextStream in(&file);
    in.setCodec("utf-8");
    QStringList lines;
    bool inHalf = true;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1String("# ")))
            continue;
        if (line == QLatin1String("[taught]") || line == QLatin1String("[held-out]")) {
            inHalf = line == QLatin1String("[taught]") ? half == Half::Taught : half == Half::HeldOut;
            continue;
        }
        if (inHalf)
            lines.append(line);
    }
    return lines;
}

} // namespace

bool halfFromName(const QString &name, Half *half)
{
    if (name == QLatin1String(halfName(Half::Taught)))
        *half = Half::Taught;
    else if (name == QLatin1String(halfName(Half::HeldOut)))
        *half = Half::HeldOut;
    else
        return false;
    return true;
}

const char *halfName(Half half)
{
    return half == Half::Taught ? "taught" : "held-out";
}

Vocabulary::Vocabulary(Half half)
    : m_half(half)
{ }

QStringList Vocabulary::words(const QString &list) const
{
    auto found = m_loaded.find(list);
    if (found == m_loaded.end())
        found = m_loaded.insert(list, readHalf(list, m_half));
    return found.value();
}

QStringList Vocabulary::keyed(const QString &list, const QString &key) const
{
    QStringList texts;
    for (const QString &line : words(list)) {
        const int space = line.indexOf(QLatin1Char(' '));
        const QStringRef lineKey = space < 0 ? QStringRef(&line) : line.leftRef(space);
        if (lineKey == key)
            texts.append(space < 0 ? QString() : line.mid(space + 1));
    }
    return texts;
}

QStringList Vocabulary::listNames()
{
    startResources();
    QStringList names;
    for (const QString &file : QDir(QString::fromLatin1(listDirectory)).entryList(QDir::Files))
        names.append(file.chopped(4));
    return names;
}
