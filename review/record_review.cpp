// The review. Checks look at each cell alone and at the row as a whole; suggestions only ever move
// text that stands in the record (a whole token, the value part of a glued label, a piece of a token
// cut at a separator the rules do not know, a full-width token made half-width), and only where
// exactly one piece of text fits.
#include "review/record_review.h"

#include "engine/pattern_prefilter.h"
#include "engine/record_classifier.h"
#include "fields/known_fields.h"
#include "review/value_checks.h"
#include "review/word_lists.h"

#include <QHash>
#include <QSet>
#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <bitset>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct Ending
{
    FieldKind kind;
    QString text;
};

// Longer endings first, so that 大学 is read as a school before 学 as a major.
const QList<Ending> &endings()
{
    static const QList<Ending> list = {
        { FieldKind::School, QStringLiteral("大学") },     { FieldKind::School, QStringLiteral("学院") },
        { FieldKind::School, QStringLiteral("学校") },     { FieldKind::School, QStringLiteral("中学") },
        { FieldKind::School, QStringLiteral("小学") },     { FieldKind::Major, QStringLiteral("专业") },
        { FieldKind::Major, QStringLiteral("工程") },      { FieldKind::Major, QStringLiteral("技术") },
        { FieldKind::Major, QStringLiteral("管理") },      { FieldKind::Major, QStringLiteral("科学") },
        { FieldKind::Major, QStringLiteral("贸易") },      { FieldKind::Major, QStringLiteral("设计") },
        { FieldKind::Major, QStringLiteral("教育") },      { FieldKind::Major, QStringLiteral("护理") },
        { FieldKind::Major, QStringLiteral("艺术") },      { FieldKind::Major, QStringLiteral("金融") },
        { FieldKind::Department, QStringLiteral("中心") }, { FieldKind::Major, QStringLiteral("学") },
        { FieldKind::Class, QStringLiteral("班") },        { FieldKind::Department, QStringLiteral("部") },
        { FieldKind::Department, QStringLiteral("科") },   { FieldKind::Department, QStringLiteral("处") },
        { FieldKind::Department, QStringLiteral("组") },   { FieldKind::Department, QStringLiteral("室") },
        { FieldKind::Department, QStringLiteral("办") },
    };
    return list;
}

// The ending that tells the text's kind, or nullptr.
const Ending *endingOf(const QString &text)
{
    static const QHash<ushort, QVector<const Ending *>> byLastCharacter = [] {
        QHash<ushort, QVector<const Ending *>> index;
        for (const Ending &ending : endings())
            index[ending.text.back().unicode()].append(&ending);
        return index;
    }();
    if (text.isEmpty())
        return nullptr;
    const auto found = byLastCharacter.constFind(text.back().unicode());
    if (found == byLastCharacter.constEnd())
        return nullptr;
    for (const Ending *candidate : *found) {
        const Ending &ending = *candidate;
        if (text.size() > ending.text.size() && text.endsWith(ending.text))
            return &ending;
    }
    return nullptr;
}

// (小学|初中?|高中?|大学?|研)[一二三四](年级)?, the whole text.
bool looksLikeGrade(const QString &text)
{
    if (text.size() < 2 || text.size() > 6)
        return false;
    static const QString stages[] = { QStringLiteral("小学"), QStringLiteral("初中"), QStringLiteral("高中"),
                                      QStringLiteral("大学"), QStringLiteral("初"),   QStringLiteral("高"),
                                      QStringLiteral("大"),   QStringLiteral("研") };
    switch (text.at(0).unicode()) {
    case u'小':
    case u'初':
    case u'高':
    case u'大':
    case u'研':
        break;
    default:
        return false;
    }
    QStringRef rest(&text);
    for (const QString &prefix : stages) {
        if (rest.startsWith(prefix)) {
            rest = rest.mid(prefix.size());
            break;
        }
    }
    if (rest.size() == text.size() || rest.isEmpty() || !QStringLiteral("一二三四").contains(rest.at(0)))
        return false;
    rest = rest.mid(1);
    return rest.isEmpty() || rest == QStringLiteral("年级");
}

// The kind a text's shape tells (its ending, or a grade), Other when it tells none.
FieldKind kindByShape(const QString &text)
{
    if (looksLikeGrade(text))
        return FieldKind::Grade;
    const Ending *ending = endingOf(text);
    return ending ? ending->kind : FieldKind::Other;
}

QString kindWord(FieldKind kind)
{
    switch (kind) {
    case FieldKind::School:
        return QStringLiteral("学校");
    case FieldKind::Major:
        return QStringLiteral("专业");
    case FieldKind::Class:
        return QStringLiteral("班级");
    case FieldKind::Department:
        return QStringLiteral("部门");
    case FieldKind::Grade:
        return QStringLiteral("年级");
    default:
        return QStringLiteral("姓名");
    }
}

bool isOpeningBracket(QChar c)
{
    switch (c.unicode()) {
    case u'【':
    case u'[':
    case u'（':
    case u'(':
    case u'〔':
    case u'<':
    case u'《':
    case u'「':
        return true;
    default:
        return false;
    }
}

// Separators people use that the rules do not cut at.
bool isUnknownSeparator(QChar c)
{
    switch (c.unicode()) {
    case u'；':
    case u';':
    case u'|':
    case u'｜':
    case u'/':
        return true;
    default:
        return false;
    }
}

// What may stand between a label and its value when the rules do not know it as a separator.
bool isGlue(QChar c)
{
    if (isUnknownSeparator(c))
        return true;
    switch (c.unicode()) {
    case u'】':
    case u']':
    case u'）':
    case u')':
    case u'〕':
    case u'>':
    case u'》':
    case u'」':
    case u'=':
    case u'＝':
    case u'-':
    case u'－':
    case u'—':
    case u'~':
    case u'～':
    case u'.':
    case u'．':
    case u'·':
        return true;
    default:
        return false;
    }
}

// What a text is, whatever field it is asked for: worked out in one pass, once a record at most,
// and kept with the text's verdicts when the text is remembered.
struct TextFacts
{
    int gluedField = -1; // the field whose name starts it (after opening brackets), with a value after
    int gluedValueAt = 0; // where that value starts
    int separatorAt = -1; // the first separator the rules do not know
    FieldKind shape = FieldKind::Other;
    bool filler = false;
    bool fullWidth = false; // holds full-width letters or digits
    bool surname = false; // starts with a common surname
    bool noValue = false; // a field's name, a filler word or bare punctuation: no field's value
};

// What the fields' patterns and the review's own tests said about texts met before, per field list and
// thread: records share many texts (男, 女, majors, schools, filler words). The patterns themselves are
// asked through the classifier's memory, which has already tried most of the record's tokens.
class FieldMatchers final
{
public:
    // What is remembered of a text, per field.
    enum Verdict : quint8 {
        PatternKnown = 1,
        PatternFits = 2,
        CleanKnown = 64, // as a cell not filled by a label, it raises no check
        Clean = 128,
        StrictKnown = 4, // passes the pattern and every check
        StrictPasses = 8,
        LenientKnown = 16, // the same, the ID and mobile number checks aside
        LenientPasses = 32,
    };

    // Texts and field lists longer than these are not remembered: names, numbers, schools and majors fit.
    static constexpr int rememberedLength = 24;
    static constexpr int rememberedFields = 32;

    // One remembered text, kept in the slot itself: finding it touches no other memory, and replacing it
    // frees nothing. Two cache lines: the look-up reads the first, the answers are in the second.
    struct alignas(64) Entry
    {
        quint32 generation = 0;
        int length = 0;
        quint64 record = 0;
        QChar text[rememberedLength];
        bool factsKnown = false;
        TextFacts facts;
        std::array<quint8, rememberedFields> verdicts;

        bool holds(const QString &other) const
        {
            return other.size() == length
                && std::memcmp(text, other.constData(), sizeof(QChar) * size_t(length)) == 0;
        }
    };

    static FieldMatchers &forFields(const QList<FieldDef> &fields, const QDate &today)
    {
        thread_local FieldMatchers matchers;
        // Each call starts a record: a slot taken in it keeps its text until the record is done.
        ++matchers.m_record;
        if (today != matchers.m_today)
            ++matchers.m_generation;
        matchers.m_today = today;
        if (fields != matchers.m_fields) {
            ++matchers.m_generation;
            matchers.m_fields = fields;
            matchers.m_prefilters.clear();
            matchers.m_nameInitials.reset();
            matchers.m_names.clear();
            matchers.m_kinds.clear();
            for (const FieldDef &field : fields) {
                matchers.m_kinds.push_back(fieldKind(field.name));
                matchers.m_names.insert(field.name);
                if (!field.name.isEmpty())
                    matchers.m_nameInitials.set(field.name.at(0).unicode());
                matchers.m_prefilters.push_back(
                    field.pattern.isEmpty() ? nullptr : std::make_unique<PatternPrefilter>(field.pattern));
            }
        }
        return matchers;
    }

    const std::vector<FieldKind> &kinds() const { return m_kinds; }
    // True when the field's pattern surely does not fit: a cheap test before the costly ones.
    bool ruledOut(int field, const QString &text) const
    {
        const PatternPrefilter *prefilter = m_prefilters[size_t(field)].get();
        return prefilter && prefilter->rulesOut(text);
    }

    bool hasPattern(int field) const { return m_prefilters[size_t(field)] != nullptr; }

    // With the text's entry already looked up (nullptr: not remembered).
    bool fits(int field, const QString &text, Entry *entry)
    {
        quint8 *verdict = entry ? &entry->verdicts[size_t(field)] : nullptr;
        if (verdict && (*verdict & PatternKnown))
            return *verdict & PatternFits;
        const bool fit = hasPattern(field) && fieldPatternFits(m_fields, field, text);
        if (verdict)
            *verdict |= PatternKnown | (fit ? PatternFits : 0);
        return fit;
    }

    TextFacts factsOf(const QString &text, Entry *entry) const
    {
        if (entry && entry->factsKnown)
            return entry->facts;
        const TextFacts facts = worked(text);
        if (entry) {
            entry->facts = facts;
            entry->factsKnown = true;
        }
        return facts;
    }

    // What is remembered of the text, or nullptr for a text too long to be worth keeping.
    // A table of fixed size, one text a slot, rather than a hash that grows: memory stays flat on endless
    // distinct input, and a text met again is found without an allocation. A slot another text of the same
    // record holds is not taken (the record keeps pointers into it): that text is then not remembered.
    Entry *entryFor(const QString &text)
    {
        if (text.size() > rememberedLength || m_fields.size() > rememberedFields)
            return nullptr;
        if (m_slots.empty())
            m_slots.resize(slotCount);
        Entry &slot = m_slots[qHash(text) & (slotCount - 1)];
        if (slot.generation == m_generation && slot.holds(text)) {
            slot.record = m_record;
            return &slot;
        }
        if (slot.record == m_record)
            return nullptr;
        std::memcpy(slot.text, text.constData(), sizeof(QChar) * size_t(text.size()));
        slot.length = text.size();
        slot.generation = m_generation;
        slot.record = m_record;
        slot.factsKnown = false;
        slot.verdicts.fill(0);
        return &slot;
    }

private:
    TextFacts worked(const QString &text) const
    {
        TextFacts facts;
        bool letterOrNumber = false;
        const QChar *characters = text.constData();
        for (int i = 0; i < text.size(); ++i) {
            const QChar c = characters[i];
            // Common Chinese characters first: letters, none of them a separator or full-width form.
            if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FEF) {
                letterOrNumber = true;
                continue;
            }
            if (facts.separatorAt < 0 && isUnknownSeparator(c))
                facts.separatorAt = i;
            facts.fullWidth = facts.fullWidth || isFullWidthAlnum(c);
            letterOrNumber = letterOrNumber || c.isLetterOrNumber();
        }
        facts.shape = kindByShape(text);
        facts.filler = isFillerWord(text);
        facts.surname = startsWithCommonSurname(text);
        const bool name = !text.isEmpty() && m_nameInitials[text.at(0).unicode()] && m_names.contains(text);
        facts.noValue = facts.filler || name || !letterOrNumber;
        findGluedLabel(text, &facts);
        return facts;
    }

    // The longest field name that starts the text, after opening brackets, with a value after it.
    void findGluedLabel(const QString &text, TextFacts *facts) const
    {
        int start = 0;
        while (start < text.size() && isOpeningBracket(text.at(start)))
            ++start;
        if (start >= text.size() || !m_nameInitials[text.at(start).unicode()])
            return;
        int best = -1;
        const QChar initial = text.at(start);
        for (int g = 0; g < m_fields.size(); ++g) {
            const QString &name = m_fields.at(g).name;
            if (!name.isEmpty() && name.at(0) == initial && text.size() - start >= name.size()
                && QStringRef(&text, start, name.size()) == name
                && (best < 0 || name.size() > m_fields.at(best).name.size()))
                best = g;
        }
        if (best < 0)
            return;
        int at = start + m_fields.at(best).name.size();
        while (at < text.size() && isGlue(text.at(at)))
            ++at;
        if (at < text.size()) {
            facts->gluedField = best;
            facts->gluedValueAt = at;
        }
    }

    QList<FieldDef> m_fields;
    QDate m_today;
    std::vector<std::unique_ptr<PatternPrefilter>> m_prefilters;
    static constexpr uint slotCount = 4096;
    std::vector<Entry> m_slots;
    quint32 m_generation = 1;
    quint64 m_record = 0;
    std::bitset<65536> m_nameInitials; // the first characters of the field names: most texts start with none
    QSet<QString> m_names;
    std::vector<FieldKind> m_kinds;
};

struct Source
{
    QString text;
    int cell = -1; // the field whose cell holds it, or -1 for a left-over token or a piece of one
    bool piece = false; // cut from a token or a cell at a separator the rules do not know
    QString whole; // the token or cell it stands in
    bool used = false;
    TextFacts facts;
    QString half; // the text made half-width, once asked for
    QVarLengthArray<qint8, 32> fits; // per field: -1 not tried, 0 no, 1 as it is, 2 made half-width
    QVarLengthArray<qint8, 32> patternFits; // per field: -1 not tried, 0 no, 1 yes
    FieldMatchers::Entry *entry = nullptr; // remembered across records, or nullptr
};

struct Proposal
{
    bool made = false;
    QString value;
    QString reason;
};

class Reviewer final
{
public:
    Reviewer(const ReviewInput &input, const QDate &today)
        : m_in(input)
        , m_today(today)
        , m_matchers(FieldMatchers::forFields(input.fields, today))
        , m_count(input.fields.size())
    {
        m_broken.resize(m_count);
        std::fill(m_broken.begin(), m_broken.end(), false);
        m_vacated.resize(m_count);
        std::fill(m_vacated.begin(), m_vacated.end(), -1);
        m_proposals.resize(m_count);
        m_settled.resize(m_count);
        for (int f = 0; f < m_count; ++f)
            m_settled[f] = m_in.settled.value(f, false);
        while (m_cells.size() < m_count)
            m_cells.append(QString());
    }

    RecordReview run()
    {
        RecordReview review;
        review.cells = m_in.cells;
        review.leftover = m_in.leftover;
        review.labelled = m_in.labelled;
        for (int f = 0; f < m_count; ++f)
            checkCell(f);
        checkAgainstIdNumber();
        if (m_count > 0
            && (!m_in.leftover.isEmpty() || std::count(m_broken.begin(), m_broken.end(), true) > 0)) {
            collectSources();
            // Again when a cell gave its text to another field: it may then take a text of its own.
            for (int round = 0;
                 round < 2 && (round == 0 || std::count(m_vacated.begin(), m_vacated.end(), -1) < m_count);
                 ++round) {
                proposeGlued();
                proposeHalfWidth();
                proposeByCheck();
                proposeByShape();
            }
        }
        review.suggested = m_in.cells;
        m_notes.reserve(int(m_checks.size()) + m_count);
        for (int f = 0; f < m_count; ++f) {
            noteCandidates(f);
            for (ReviewNote &note : m_checks) {
                if (note.field == f)
                    m_notes.append(std::move(note));
            }
            Proposal proposal = m_proposals[f];
            if (!proposal.made && m_vacated[f] >= 0)
                proposal = { true, QString(),
                             QStringLiteral("移至“") + m_in.fields.at(m_vacated[f]).name
                                 + QStringLiteral("”") };
            else if (!proposal.made && !settled(f) && isFillerWord(cell(f)))
                proposal = { true, QString(), QStringLiteral("常见附言") };
            if (proposal.made) {
                review.suggested[f] = proposal.value;
                const QString shown = proposal.value.isEmpty() ? QStringLiteral("清空") : proposal.value;
                m_notes.append({ f,
                                 ReviewNote::Kind::Suggestion,
                                 QStringLiteral("建议：") + shown + QStringLiteral("（") + proposal.reason
                                     + QStringLiteral("）"),
                                 { proposal.value } });
            }
        }
        review.notes = std::move(m_notes);
        return review;
    }

private:
    const QString &cell(int f) const { return m_cells.at(f); }
    bool settled(int f) const { return m_settled[f]; }
    bool open(int f) const
    {
        return !settled(f) && (cell(f).isEmpty() || m_broken[f]) && !m_proposals[f].made;
    }

    void addCheck(int f, const QString &text, bool breaks = true)
    {
        m_checks.push_back({ f, ReviewNote::Kind::Check, text, {} });
        if (breaks)
            m_broken[f] = true;
    }

    // Lenient: a value moved from another cell or a glued label may still break the ID number's or
    // the mobile number's own check; that note follows it to its cell.
    // Without explain, a found problem is only marked, not worded: most questions only want a yes or no.
    QString cellProblem(int f, const QString &value, const TextFacts &facts, bool lenient = false,
                        bool labelled = false, FieldMatchers::Entry *entry = nullptr, bool explain = true)
    {
        static const QString marked = QStringLiteral("!");
        const FieldKind kind = m_kinds[f];
        const int label = facts.gluedField;
        if (label >= 0)
            return explain ? QStringLiteral("含有标签“") + m_in.fields.at(label).name + QStringLiteral("”")
                           : marked;
        if (facts.filler)
            return QStringLiteral("像是附言而非数据");
        const int separator = kind == FieldKind::BirthDate ? -1 : facts.separatorAt;
        if (separator >= 0)
            return explain ? QStringLiteral("含有分隔符“") + value.at(separator) + QStringLiteral("”")
                           : marked;
        QString problem = valueProblem(kind, value, m_today);
        if (lenient && (kind == FieldKind::IdNumber || kind == FieldKind::Mobile))
            problem.clear();
        if (!problem.isEmpty())
            return problem;
        if (facts.fullWidth)
            return QStringLiteral("含全角字母或数字");
        if (labelled && m_matchers.hasPattern(f) && !m_matchers.fits(f, value, entry))
            return QStringLiteral("“") + value + QStringLiteral("”不符合本字段的格式");
        // Text fields whose patterns fit one another's values: the shape of the text tells them apart.
        const bool textKind = kind == FieldKind::Name || kind == FieldKind::Major || kind == FieldKind::School
            || kind == FieldKind::Class || kind == FieldKind::Department || kind == FieldKind::Grade;
        const FieldKind shape = facts.shape;
        if (textKind && shape != FieldKind::Other && shape != kind)
            return explain ? QStringLiteral("像是") + kindWord(shape) : marked;
        if (kind == FieldKind::Name && !facts.surname)
            return QStringLiteral("不像姓名（姓氏不常见）");
        if (kind == FieldKind::Major && shape == FieldKind::Other && value.size() <= 4 && facts.surname)
            return QStringLiteral("像是姓名");
        return QString();
    }

    void checkCell(int f)
    {
        const QString &value = cell(f);
        if (value.isEmpty())
            return;
        const bool labelled = m_in.labelled.value(f);
        FieldMatchers::Entry *entry = m_matchers.entryFor(value);
        quint8 *verdict = entry ? &entry->verdicts[size_t(f)] : nullptr;
        if (verdict && (*verdict & FieldMatchers::CleanKnown) && (*verdict & FieldMatchers::Clean)) {
            // A cell a label filled is checked against its field's pattern as well, and only that is left.
            if (!labelled || !m_matchers.hasPattern(f) || m_matchers.fits(f, value, entry))
                return;
            addCheck(f, QStringLiteral("“") + value + QStringLiteral("”不符合本字段的格式"));
            return;
        }
        const QString problem =
            cellProblem(f, value, m_matchers.factsOf(value, entry), false, labelled, entry);
        // A labelled cell's checks include all the others: only its passing says something of them.
        if (verdict && (!labelled || problem.isEmpty()))
            *verdict |= FieldMatchers::CleanKnown | (problem.isEmpty() ? FieldMatchers::Clean : 0);
        if (!problem.isEmpty())
            addCheck(f, problem);
    }

    // Gender, age and birth date told by the row's ID number; a mismatch is noted, never fixed,
    // since either side may be the wrong one.
    void checkAgainstIdNumber()
    {
        QDate birth;
        bool male = false;
        bool known = false;
        for (int f = 0; f < m_count && !known; ++f) {
            if (m_kinds[f] == FieldKind::IdNumber && !m_broken[f] && !cell(f).isEmpty())
                known = idNumberFacts(cell(f), &birth, &male);
        }
        if (!known)
            return;
        const int age = ageOn(birth, m_today);
        for (int f = 0; f < m_count; ++f) {
            if (m_broken[f] || cell(f).isEmpty())
                continue;
            if (m_kinds[f] == FieldKind::Gender && (cell(f) == QStringLiteral("男")) != male) {
                addCheck(f,
                         QStringLiteral("性别与身份证不符（身份证为")
                             + (male ? QStringLiteral("男") : QStringLiteral("女")) + QStringLiteral("）"),
                         false);
            } else if (m_kinds[f] == FieldKind::Age && qAbs(cell(f).toInt() - age) > 1) {
                addCheck(f, QStringLiteral("年龄与身份证不符（按身份证为%1岁）").arg(age), false);
            } else if (m_kinds[f] == FieldKind::BirthDate && parseDate(cell(f)) != birth) {
                addCheck(f,
                         QStringLiteral("出生日期与身份证不符（身份证为%1）")
                             .arg(birth.toString(QStringLiteral("yyyy-MM-dd"))),
                         false);
            }
        }
    }

    // Returns where the text has a separator the rules do not know, or -1.
    int addSource(const QString &text, int cell, bool piece, const QString &whole)
    {
        FieldMatchers::Entry *entry = m_matchers.entryFor(text);
        const TextFacts facts = m_matchers.factsOf(text, entry);
        if (facts.noValue)
            return facts.separatorAt;
        Source source { text, cell, piece, whole, false, facts, {}, {}, {}, entry };
        m_anyFullWidth = m_anyFullWidth || facts.fullWidth;
        source.fits.resize(m_count);
        source.patternFits.resize(m_count);
        std::fill(source.fits.begin(), source.fits.end(), -1);
        std::fill(source.patternFits.begin(), source.patternFits.end(), -1);
        if (cell < 0 && !piece)
            ++m_wholeLeftovers;
        m_sources.push_back(std::move(source));
        return facts.separatorAt;
    }

    void addWithPieces(const QString &text, int cell)
    {
        if (addSource(text, cell, false, text) < 0)
            return;
        int start = 0;
        for (int i = 0; i <= text.size(); ++i) {
            if (i < text.size() && !isUnknownSeparator(text.at(i)))
                continue;
            if (i > start)
                addSource(text.mid(start, i - start), cell, true, text);
            start = i + 1;
        }
    }

    void collectSources()
    {
        m_sources.reserve(size_t(m_in.leftover.size() + m_count));
        for (const QString &token : m_in.leftover)
            addWithPieces(token, -1);
        for (int f = 0; f < m_count; ++f) {
            if (m_broken[f] && !settled(f))
                addWithPieces(cell(f), f);
        }
    }

    // The value passes the field's pattern and checks, made half-width when that is what fits.
    bool fitsField(int g, QString *value, bool lenient)
    {
        if (passes(g, *value, lenient))
            return true;
        const QString half = halfWidth(*value);
        if (half == *value || !passes(g, half, lenient))
            return false;
        *value = half;
        return true;
    }

    // Whether the source passes the field's pattern and checks as it is (1), made half-width (2), or not
    // (0); remembered, since the rules ask the same question many times.
    int sourceFit(int g, Source &source)
    {
        qint8 &verdict = source.fits[g];
        if (verdict < 0) {
            const bool lenient = source.cell >= 0;
            if (passes(g, source.text, lenient, source.entry, &source.facts))
                verdict = 1;
            else
                verdict = source.facts.fullWidth && passes(g, halfOf(source), lenient) ? 2 : 0;
        }
        return verdict;
    }

    const QString &halfOf(Source &source)
    {
        if (source.half.isNull())
            source.half = halfWidth(source.text);
        return source.half;
    }

    const QString &valueOf(Source &source, int fit) { return fit == 1 ? source.text : halfOf(source); }

    bool passes(int g, const QString &value, bool lenient)
    {
        return passes(g, value, lenient, m_matchers.entryFor(value));
    }

    // With the text's entry already looked up, and its facts when known.
    bool passes(int g, const QString &value, bool lenient, FieldMatchers::Entry *entry,
                const TextFacts *facts = nullptr)
    {
        const quint8 known = lenient ? FieldMatchers::LenientKnown : FieldMatchers::StrictKnown;
        const quint8 pass = lenient ? FieldMatchers::LenientPasses : FieldMatchers::StrictPasses;
        quint8 *verdict = entry ? &entry->verdicts[size_t(g)] : nullptr;
        if (verdict && (*verdict & known))
            return *verdict & pass;
        // The checks before the match: they rule out most texts at a fraction of its cost.
        const bool passed = !m_matchers.ruledOut(g, value)
            && cellProblem(g, value, facts ? *facts : m_matchers.factsOf(value, entry), lenient, false,
                           nullptr, false)
                   .isEmpty()
            && (!m_matchers.hasPattern(g) || m_matchers.fits(g, value, entry));
        if (verdict)
            *verdict |= known | (passed ? pass : 0);
        return passed;
    }

    void propose(int f, Source &source, const QString &value, const QString &reason)
    {
        m_proposals[f] = { true, value, reason };
        source.used = true;
        // The text moves to another cell: the cell it stood in gives it up, unless it finds its own.
        if (source.cell >= 0 && source.cell != f && m_vacated[source.cell] < 0)
            m_vacated[source.cell] = f;
    }

    QString from(const Source &source) const
    {
        return QStringLiteral("来自“") + source.whole + QStringLiteral("”");
    }

    void proposeGlued()
    {
        for (Source &source : m_sources) {
            const int g = source.used ? -1 : source.facts.gluedField;
            if (g < 0 || !open(g))
                continue;
            QString value = source.text.mid(source.facts.gluedValueAt);
            if (fitsField(g, &value, true))
                propose(g, source, value, from(source));
        }
    }

    // The one source that fits the field (made half-width where needed) among those accepted, or -1.
    template<typename Accept>
    int onlySource(int g, QString *value, Accept accept)
    {
        int found = -1;
        int foundFit = 0;
        for (int s = 0; s < int(m_sources.size()); ++s) {
            Source &source = m_sources[s];
            if (source.used || (source.cell == g && !source.piece) || !accept(source))
                continue;
            const int fit = sourceFit(g, source);
            if (fit == 0)
                continue;
            if (found < 0) {
                found = s;
                foundFit = fit;
            } else if (valueOf(source, fit) != valueOf(m_sources[found], foundFit)) {
                return -1; // two texts fit: neither is proposed
            }
        }
        if (found >= 0)
            *value = valueOf(m_sources[found], foundFit);
        return found;
    }

    void proposeHalfWidth()
    {
        for (int g = 0; g < m_count; ++g) {
            if (!open(g))
                continue;
            // The cell's own text first: it only needs to be made half-width.
            const QString &own = m_in.cells.at(g);
            const QString half = m_broken[g] && hasFullWidthAlnum(own) ? halfWidth(own) : QString();
            if (!half.isEmpty() && passes(g, half, false)) {
                m_proposals[g] = { true, half, QStringLiteral("来自“") + cell(g) + QStringLiteral("”") };
                continue;
            }
            QString value;
            const int s = m_anyFullWidth && m_matchers.hasPattern(g)
                ? onlySource(g, &value, [](const Source &source) { return source.facts.fullWidth; })
                : -1;
            if (s >= 0)
                propose(g, m_sources[s], value, from(m_sources[s]));
        }
    }

    // The one text that passes the field's pattern and checks: among name candidates, the one that starts
    // with a common surname; a value that breaks a check replaced by the one text that passes it.
    void proposeByCheck()
    {
        for (int g = 0; g < m_count; ++g) {
            QString value;
            const int s = open(g) && m_matchers.hasPattern(g)
                ? onlySource(g, &value, [](const Source &) { return true; })
                : -1;
            if (s >= 0) {
                const Source &source = m_sources.at(s);
                // For a name the check that tells it apart is the surname list.
                const QString reason = m_kinds[g] == FieldKind::Name ? QStringLiteral("常见姓氏")
                                                                     : QStringLiteral("唯一通过校验的候选");
                propose(g, m_sources[s], value, source.cell >= 0 || source.piece ? from(source) : reason);
            }
        }
    }

    void proposeByShape()
    {
        for (int g = 0; g < m_count; ++g) {
            const FieldKind kind = m_kinds[g];
            if (!open(g) || kind == FieldKind::Other || kind == FieldKind::Name)
                continue;
            QString value;
            const int s =
                onlySource(g, &value, [kind](const Source &source) { return source.facts.shape == kind; });
            if (s >= 0) {
                const Ending *ending = endingOf(value);
                propose(g, m_sources[s], value,
                        ending ? QStringLiteral("以“") + ending->text + QStringLiteral("”结尾")
                               : from(m_sources[s]));
            }
        }
    }

    void noteCandidates(int f)
    {
        // Two left-over tokens at least, or there is nothing to note: most records have fewer.
        if (m_wholeLeftovers < 2 || !cell(f).isEmpty() || settled(f) || !m_matchers.hasPattern(f))
            return;
        QStringList candidates;
        for (Source &source : m_sources) {
            if (source.cell >= 0 || source.piece)
                continue;
            qint8 &fit = source.patternFits[size_t(f)];
            if (fit < 0)
                fit = m_matchers.fits(f, source.text, source.entry) ? 1 : 0;
            if (fit)
                candidates.append(source.text);
        }
        if (candidates.size() >= 2)
            m_notes.append({ f, ReviewNote::Kind::Candidates,
                             QStringLiteral("候选：") + candidates.join(QStringLiteral("、")), candidates });
    }

    const ReviewInput &m_in;
    QStringList m_cells = m_in.cells; // one for every field
    QVarLengthArray<bool, 32> m_settled;
    const QDate m_today;
    FieldMatchers &m_matchers;
    const int m_count;
    const std::vector<FieldKind> &m_kinds = m_matchers.kinds();
    // Per field; most field lists fit without an allocation.
    QVarLengthArray<bool, 32> m_broken;
    QVarLengthArray<int, 32> m_vacated; // the field a cell's text was proposed for, or -1
    std::vector<Source> m_sources;
    bool m_anyFullWidth = false; // among the sources
    int m_wholeLeftovers = 0; // sources that are a whole left-over token
    QVarLengthArray<Proposal, 32> m_proposals;
    std::vector<ReviewNote> m_checks;
    QVector<ReviewNote> m_notes;
};

} // namespace

const char *noteKindName(ReviewNote::Kind kind)
{
    switch (kind) {
    case ReviewNote::Kind::Candidates:
        return "candidates";
    case ReviewNote::Kind::Check:
        return "check";
    case ReviewNote::Kind::Suggestion:
        break;
    }
    return "suggestion";
}

RecordReview reviewRecord(const ReviewInput &input, const QDate &today)
{
    return Reviewer(input, today).run();
}

RecordReview reviewText(const QString &text, const QList<FieldDef> &fields, const QDate &today)
{
    const RecordClassifier classifier(text, fields);
    const ReviewInput input {
        fields, classifier.result(), classifier.labelledFields(), classifier.leftoverTokens(), {}
    };
    return reviewRecord(input, today);
}

bool reviewTexts(const QStringList &texts, const QList<FieldDef> &fields,
                 const std::function<bool(int done)> &keepGoing, QList<RecordReview> *reviews)
{
    reviews->clear();
    reviews->reserve(texts.size());
    const QDate today = QDate::currentDate();
    for (const QString &text : texts) {
        reviews->append(reviewText(text, fields, today));
        if (!keepGoing(reviews->size()))
            return false;
    }
    return true;
}
