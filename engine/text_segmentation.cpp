// One-pass segmentation; gives what replacing "[:,：，。、\s]+" by a line feed and splitting would.
#include "engine/text_segmentation.h"

QStringList segmentText(const QString &text, QString *rewritten)
{
    QStringList tokens;
    QString joined;
    if (rewritten)
        joined.reserve(text.size());

    const QChar *const data = text.constData();
    const int size = text.size();
    int i = 0;
    while (i < size) {
        if (isTokenSeparator(data[i])) {
            while (i < size && isTokenSeparator(data[i]))
                ++i;
            if (rewritten)
                joined += QLatin1Char('\n');
            continue;
        }
        const int start = i;
        while (i < size && !isTokenSeparator(data[i]))
            ++i;
        tokens.append(QString(data + start, i - start));
        if (rewritten)
            joined.append(data + start, i - start);
    }

    if (rewritten)
        *rewritten = joined;
    return tokens;
}
