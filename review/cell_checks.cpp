// A cell's checks run from the plainest fault to the subtlest: a glued label or a separator says more
// than the value check it breaks, and the shape of a text is asked last, only of text fields whose
// patterns fit one another's values.
#include "review/cell_checks.h"

#include "review/id_numbers.h"
#include "review/kind_traits.h"
#include "review/record_context.h"
#include "review/review_wording.h"
#include "review/value_checks.h"
#include "review/value_shapes.h"

namespace {

void addCheck(CellChecks *checks, int f, const Fault &fault, bool breaks)
{
    ReviewNote note;
    note.field = f;
    note.kind = ReviewNote::Kind::Check;
    note.text = ReviewWording::fault(fault);
    note.fault = fault;
    checks->notes.append(note);
    if (breaks)
        checks->broken[f] = true;
}

// Gender, age and birth date told by the row's ID number; a mismatch is noted, never fixed, since
// either side may be the wrong one.
void checkAgainstIdNumber(const RecordContext &state, CellChecks *checks)
{
    QDate birth;
    bool male = false;
    bool known = false;
    for (int f = 0; f < state.count && !known; ++f) {
        if (state.kinds[f] == FieldKind::IdNumber && !checks->broken[f] && !state.cell(f).isEmpty())
            known = idNumberFacts(state.cell(f), &birth, &male);
    }
    if (!known)
        return;
    const IdNumberFacts id { birth, male, ageOn(birth, state.today) };
    for (int f = 0; f < state.count; ++f) {
        const QString &value = state.cell(f);
        const auto against = traitsOf(state.kinds[f]).againstId;
        if (checks->broken[f] || value.isEmpty() || !against)
            continue;
        const Fault fault = against(value, id);
        if (!fault.isNone())
            addCheck(checks, f, fault, false);
    }
}

} // namespace

Fault cellProblem(const RecordContext &state, int f, const QString &value, bool labelled, bool *narrow)
{
    const FieldKind kind = state.kinds[f];
    const KindTraits &traits = traitsOf(kind);
    const TextFacts facts = state.facts(value);
    if (facts.filler)
        return Fault(FaultType::Filler);
    if (facts.gluedField >= 0)
        return Fault(FaultType::HoldsLabel, value.mid(facts.gluedLabelAt, facts.gluedLabelLength));
    if (facts.labelWord != FieldKind::Other || facts.fieldName)
        return Fault(FaultType::IsLabel, value);
    if (facts.invisible)
        return Fault(FaultType::Invisible);
    if (facts.numbering > 0)
        return Fault(FaultType::HoldsNumbering, value.left(facts.numbering));
    const bool date =
        traits.has(DateValue) && (parseDate(value).isValid() || parseYearMonth(value).isValid());
    if (facts.separatorAt >= 0 && !date)
        return Fault(FaultType::HoldsSeparator, value.at(facts.separatorAt));
    if (facts.fullWidth && valueProblem(kind, halfWidth(value), state.today).isNone())
        return fullWidthFault(value);
    const Fault problem = valueProblem(kind, value, state.today);
    if (!problem.isNone())
        return problem;
    if (labelled && state.hasPattern(f) && !state.fits(f, value)) {
        // The value has its field's shape: the pattern, not the value, is too narrow. Names of
        // departments, majors, schools, employers and posts have no shape to speak of: a label's
        // value counts as one unless it plainly is something else or reads as a person's name.
        const bool openShape = traits.has(OpenShape);
        const bool otherShape = (facts.shape != FieldKind::Other && facts.shape != kind)
            || state.plainKind(value) != FieldKind::Other || (facts.surname && value.size() <= 3);
        if (state.looksLike(kind, value) || (facts.shape == kind && kind != FieldKind::Other)
            || (openShape && !otherShape)) {
            if (narrow)
                *narrow = true;
            return Fault();
        }
        return Fault(FaultType::OffPattern, value);
    }
    if (traits.has(NamedValue) && facts.shape != FieldKind::Other && facts.shape != kind)
        return Fault::looksLike(facts.shape);
    // A wide pattern for names of things takes any Chinese text: the text itself says it is a remark.
    if (traits.has(NamedValue) && (facts.toReader || facts.remark))
        return facts.toReader ? Fault(FaultType::Filler) : Fault::looksLike(FieldKind::Remark);
    if (kind == FieldKind::Name && !facts.surname)
        return Fault(FaultType::UncommonSurname);
    if (kind == FieldKind::Major && facts.shape == FieldKind::Other && value.size() <= 4 && facts.surname)
        return Fault::looksLike(FieldKind::Name);
    // A lax pattern took a value that plainly is of another kind (a mobile number in a QQ field).
    const FieldKind plain = kind == FieldKind::Other ? FieldKind::Other : state.plainKind(value);
    if (plain != FieldKind::Other && !kindCovers(kind, plain))
        return Fault::looksLike(plain);
    return Fault();
}

CellChecks checkCells(const RecordContext &state)
{
    CellChecks checks;
    checks.broken.fill(false, state.count);
    checks.narrowPattern.fill(false, state.count);
    for (int f = 0; f < state.count; ++f) {
        const QString &value = state.cell(f);
        if (value.isEmpty())
            continue;
        bool narrow = false;
        const Fault problem = cellProblem(state, f, value, state.in.labelled.value(f), &narrow);
        checks.narrowPattern[f] = narrow;
        // An old ID number is said to be one, but the cell is right: nothing is proposed for it.
        if (!problem.isNone())
            addCheck(&checks, f, problem, problem.type != FaultType::IdOld15);
    }
    checkAgainstIdNumber(state, &checks);
    return checks;
}

bool passes(const RecordContext &record, int f, const QString &value, bool byShape)
{
    if (byShape) {
        // An old 15-digit ID number is noted as such, but it is the holder's number: by shape it passes.
        const Fault problem = cellProblem(record, f, value, true);
        return problem.isNone() || problem.type == FaultType::IdOld15;
    }
    // The pattern first: it rules out most texts for less than the checks cost.
    return (!record.hasPattern(f) || record.fits(f, value)) && cellProblem(record, f, value, false).isNone();
}

QString passingForm(const RecordContext &record, int f, const QString &text, bool byShape)
{
    if (passes(record, f, text, byShape))
        return text;
    // As a value of the kind is written, else made half-width; each made only when asked.
    const QString canonical = canonicalValue(record.kinds[f], text);
    if (canonical != text && !canonical.isEmpty() && passes(record, f, canonical, byShape))
        return canonical;
    const QString half = halfWidth(text);
    if (half != text && !half.isEmpty() && passes(record, f, half, byShape))
        return half;
    return QString();
}
