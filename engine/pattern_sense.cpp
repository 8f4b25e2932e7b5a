// Read before QRegExp is asked: its own error for \u is none (it takes the letter), and for the
// other faults its message names no fix.
#include "engine/pattern_sense.h"

#include "engine/pattern_check.h"

#include <QRegExp>

namespace {

bool isHex(QChar c)
{
    return c.isDigit() || (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f'));
}

// Parentheses outside character classes and escapes, and brackets, must pair up.
bool balanced(const QString &pattern)
{
    int depth = 0;
    bool inClass = false;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\\')) {
            ++i;
        } else if (inClass) {
            inClass = c != QLatin1Char(']');
        } else if (c == QLatin1Char('[')) {
            inClass = true;
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')') && --depth < 0) {
            return false;
        }
    }
    return depth == 0 && !inClass;
}

} // namespace

PatternSense patternSense(const QString &pattern)
{
    if (pattern.isEmpty())
        return PatternSense::Empty;
    for (int i = 0; i + 1 < pattern.size(); ++i) {
        if (pattern.at(i) != QLatin1Char('\\'))
            continue;
        if (pattern.at(i + 1) == QLatin1Char('u') && i + 5 < pattern.size() && isHex(pattern.at(i + 2))
            && isHex(pattern.at(i + 3)) && isHex(pattern.at(i + 4)) && isHex(pattern.at(i + 5)))
            return PatternSense::UnicodeEscape;
        ++i;
    }
    if (!balanced(pattern))
        return PatternSense::Unbalanced;
    const QChar first = pattern.at(0);
    if (first == QLatin1Char('*') || first == QLatin1Char('+') || first == QLatin1Char('?'))
        return PatternSense::LoneRepeat;
    if (!checkPattern(pattern).reason.isEmpty() || !QRegExp(pattern).isValid())
        return PatternSense::Invalid;
    return PatternSense::Usable;
}

QString patternAdvice(const QString &pattern)
{
    switch (patternSense(pattern)) {
    case PatternSense::UnicodeEscape:
        return QStringLiteral("表达式中的 \\u 在这里不表示汉字（会被当作字母 u），该字段按其类型判断。"
                              "汉字范围请写成 [\\x4e00-\\x9fa5]，例如 ^[\\x4e00-\\x9fa5]{2,4}$");
    case PatternSense::Unbalanced:
        return QStringLiteral("表达式的括号不成对，任何内容都不符合，该字段按其类型判断。"
                              "请补全括号，例如 (大一|2024级)");
    case PatternSense::LoneRepeat:
        return QStringLiteral("表达式以 *、+ 或 ? 开头，前面没有可重复的内容，该字段按其类型判断。"
                              "任意内容请写 .* 或留空");
    case PatternSense::Invalid:
        return QStringLiteral("表达式无法使用，该字段按其类型判断。请检查转义和括号");
    case PatternSense::Usable:
    case PatternSense::Empty:
        break;
    }
    return QString();
}
