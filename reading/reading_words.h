// The word lists of the reading, from the data files chat_words.txt and label_words.txt: the chat
// around the details of a paste, and the words of labels beyond the known fields' names.
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

// Kinds the known fields do not have, given to fields by words of their names (宿舍号, 参会人数).
enum class ExtraKind { None, Room, Count, YesNo };

struct ReadingWords
{
    QStringList chatMarks; // a piece holding one is chat
    QHash<ushort, QStringList> marksByInitial; // the marks by their first character
    QStringList corrections; // chat that says the next value corrects one before (正确的是)
    QStringList addressing; // words before the one a message is for (回复 会务组：)
    QStringList leads; // cut from a value's front, longest first
    QStringList numberLeads; // cut from a value's front when a number follows (住4-319)
    QStringList trails; // cut from a value's end after 在
    QString particles; // a piece ending in one is chat
    QSet<QString> wholeChat; // chat when alone
    QStringList prefixes; // before a head word, longest first
    QStringList suffixes; // after a head word, longest first
    QStringList others; // someone else's details follow
    QHash<QString, ExtraKind> extraKinds; // word → kind
    QSet<QString> foreignLabels; // label a detail no field takes
    QHash<QString, QString> sameAs; // word → a known field name it means (所在地区 → 地址)
};

const ReadingWords &readingWords();

// Whether the piece, trimmed, is chat: a whole chat reply, a piece holding a chat mark, or a
// sentence ending in a chat particle.
bool isChat(const QString &piece);
// Whether the piece says that the next value corrects an earlier one.
bool isCorrection(const QString &piece);
// The value without chat glued to its end (…1802室多谢, …2601室谢谢！).
QString withoutChatTail(const QString &value);
// What follows the last chat mark of the piece when that is a value of its own (two characters or
// more, no chat); empty otherwise.
QString afterChat(const QString &piece);
// The piece without a lead-in word (我叫, 住在, 来自…) at its front and, after 在, a trailing word.
QString withoutLeadIn(const QString &piece);
