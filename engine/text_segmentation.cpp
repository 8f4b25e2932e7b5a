// One-pass segmentation; gives what replacing "[:,：，。、\s]+" by a line feed and splitting would.
#include "engine/text_segmentation.h"

#include <algorithm>

QStringList segmentText(const QString &text, QString *rewritten)
{
    QStringList tokens;
    const QChar *const data = text.constData();
    const int size = text.size();
    // The rewritten text is never longer than the original: written in place, then cut to length.
    QString joined;
    QChar *out = nullptr;
    if (rewritten) {
        joined.resize(size);
        out = joined.data();
    }

    int i = 0;
    while (i < size) {
        if (isTokenSeparator(data[i])) {
            while (i < size && isTokenSeparator(data[i]))
                ++i;
            if (out)
                *out++ = QLatin1Char('\n');
            continue;
        }
        const int start = i;
        while (i < size && !isTokenSeparator(data[i]))
            ++i;
        tokens.append(QString(data + start, i - start));
        if (out)
            out = std::copy(data + start, data + i, out);
    }

    if (rewritten) {
        joined.truncate(int(out - joined.constData()));
        *rewritten = joined;
    }
    return tokens;
}
