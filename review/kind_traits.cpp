// The traits table: one row per kind, in the order of FieldKind. Checks take the value as it stands;
// shape tests and canonical forms take it half-width and trimmed (plainText).
#include "review/kind_traits.h"

#include "fields/character_classes.h"
#include "review/id_numbers.h"
#include "review/number_shapes.h"
#include "review/value_checks.h"
#include "review/value_shapes.h"
#include "review/word_lists.h"
#include "review/word_shapes.h"

#include <algorithm>
#include <iterator>

namespace {

using Check = Fault (*)(const QString &, const QDate &);
using Shape = bool (*)(const QString &, const QDate &);
using Canonical = QString (*)(const QString &);

constexpr FieldKind none = FieldKind::Other;

Fault listed(bool inList, FaultType fault)
{
    return inList ? Fault() : Fault(fault);
}

// A school, a major, a department, an employer or a post: its ending tells which.
bool endsAs(FieldKind kind, const QString &text)
{
    return kindByEnding(text) == kind;
}

// 经理, 计算机, 办公室: the ending word alone is a major, a department or a post.
bool isEndingWord(FieldKind kind, const QString &text)
{
    return text.size() >= 2 && kindOfEndingWord(text) == kind;
}

// The row against its ID number: either side may be the wrong one, so a mismatch is only noted.
Fault genderAgainstId(const QString &value, const IdNumberFacts &id)
{
    if ((value == QStringLiteral("男")) == id.male)
        return Fault();
    Fault fault(FaultType::GenderAgainstId);
    fault.number = id.male ? 1 : 0;
    return fault;
}

// A year either way: the age may have been written before or after this year's birthday.
Fault ageAgainstId(const QString &value, const IdNumberFacts &id)
{
    if (qAbs(canonicalAge(plainText(value)).toInt() - id.age) <= 1)
        return Fault();
    Fault fault(FaultType::AgeAgainstId);
    fault.number = id.age;
    return fault;
}

Fault birthDateAgainstId(const QString &value, const IdNumberFacts &id)
{
    if (agreesWithDate(value, id.birth))
        return Fault();
    Fault fault(FaultType::BirthDateAgainstId);
    fault.date = id.birth;
    return fault;
}

const KindTraits table[] = {
    { FieldKind::Other,
      LooseShape,
      { none, none },
      nullptr,
      nullptr,
      nullptr,
      ShapeRule::None,
      RepeatUse::None,
      FieldKind::Other,
      nullptr },
    { FieldKind::Name,
      NamedValue | LooseShape,
      { none, none },
      nullptr,
      [](const QString &t, const QDate &) { return looksLikeName(t); },
      nullptr,
      ShapeRule::Surname,
      RepeatUse::Soft,
      FieldKind::Name,
      nullptr },
    { FieldKind::Gender,
      0,
      { none, none },
      [](const QString &v, const QDate &) {
          return listed(v == QStringLiteral("男") || v == QStringLiteral("女"), FaultType::Gender);
      },
      [](const QString &t, const QDate &) { return looksLikeGender(t); },
      canonicalGender,
      ShapeRule::Plain,
      RepeatUse::None,
      FieldKind::Gender,
      genderAgainstId },
    { FieldKind::Age,
      GluedShape,
      { none, none },
      [](const QString &v, const QDate &) { return ageFault(v); },
      [](const QString &t, const QDate &) { return looksLikeAge(t); },
      canonicalAge,
      ShapeRule::Plain,
      RepeatUse::None,
      FieldKind::Age,
      ageAgainstId },
    { FieldKind::Class,
      NamedValue,
      { none, none },
      nullptr,
      [](const QString &t, const QDate &) { return looksLikeClass(t); },
      nullptr,
      ShapeRule::Plain,
      RepeatUse::None,
      FieldKind::Class,
      nullptr },
    { FieldKind::Mobile,
      NarrowShape | GluedShape,
      { none, none },
      [](const QString &v, const QDate &) { return mobileFault(v); },
      [](const QString &t, const QDate &) { return !mobileDigits(t).isEmpty(); },
      canonicalMobile,
      ShapeRule::Distinct,
      RepeatUse::Hard,
      FieldKind::Mobile,
      nullptr },
    { FieldKind::Landline,
      NarrowShape | GluedShape,
      { none, none },
      [](const QString &v, const QDate &) { return listed(isLandlineNumber(v, false), FaultType::Landline); },
      [](const QString &t, const QDate &) { return isLandlineNumber(t, false); },
      withoutSpaces,
      ShapeRule::Distinct,
      RepeatUse::None,
      FieldKind::Landline,
      nullptr },
    // A 联系电话 column mostly holds mobile numbers, and meets the 手机 column of another row.
    { FieldKind::Phone,
      NarrowShape | GluedShape,
      { FieldKind::Mobile, FieldKind::Landline },
      [](const QString &v, const QDate &) { return phoneFault(v); },
      [](const QString &t, const QDate &) {
          return !mobileDigits(t).isEmpty() || isLandlineNumber(t, false);
      },
      canonicalPhone,
      ShapeRule::Distinct,
      RepeatUse::Hard,
      FieldKind::Mobile,
      nullptr },
    { FieldKind::Email,
      NarrowShape | AsciiValue | CaselessValue | GluedShape,
      { none, none },
      [](const QString &v, const QDate &) { return emailFault(v); },
      [](const QString &t, const QDate &) { return looksLikeEmail(t); },
      nullptr,
      ShapeRule::Distinct,
      RepeatUse::Hard,
      FieldKind::Email,
      nullptr },
    { FieldKind::StudentNumber,
      NarrowShape | GluedShape,
      { none, none },
      [](const QString &v, const QDate &) { return listed(allDigits(v), FaultType::StudentNumber); },
      looksLikeCode,
      withoutSpaces,
      ShapeRule::Plain,
      RepeatUse::None,
      FieldKind::StudentNumber,
      nullptr },
    { FieldKind::IdNumber,
      NarrowShape | GluedShape,
      { none, none },
      idNumberProblem,
      [](const QString &t, const QDate &) { return looksLikeIdNumber(t); },
      canonicalIdNumber,
      ShapeRule::Distinct,
      RepeatUse::Hard,
      FieldKind::IdNumber,
      nullptr },
    { FieldKind::Major,
      NamedValue | OpenShape | LooseShape,
      { none, none },
      nullptr,
      [](const QString &t, const QDate &today) {
          return isEndingWord(FieldKind::Major, t)
              || (endsAs(FieldKind::Major, t) && looksLikeNamedThing(t, today));
      },
      nullptr,
      ShapeRule::Plain,
      RepeatUse::None,
      FieldKind::Major,
      nullptr },
    { FieldKind::School,
      NamedValue | OpenShape | LooseShape,
      { none, none },
      nullptr,
      [](const QString &t, const QDate &today) {
          return endsAs(FieldKind::School, t) && looksLikeNamedThing(t, today);
      },
      nullptr,
      ShapeRule::Plain,
      RepeatUse::None,
      FieldKind::School,
      nullptr },
    { FieldKind::Grade,
      NamedValue,
      { none, none },
      nullptr,
      [](const QString &t, const QDate &) { return looksLikeGrade(t); },
      nullptr,
      ShapeRule::Plain,
      RepeatUse::None,
      FieldKind::Grade,
      nullptr },
    { FieldKind::BirthDate,
      DateValue | GluedShape,
      { FieldKind::Date, none },
      [](const QString &v, const QDate &today) { return dateFault(v, today, true); },
      [](const QString &t, const QDate &) { return looksLikeDate(t); },
      nullptr,
      ShapeRule::Distinct,
      RepeatUse::None,
      FieldKind::BirthDate,
      birthDateAgainstId },
    { FieldKind::Date,
      DateValue | GluedShape,
      { FieldKind::BirthDate, none },
      [](const QString &v, const QDate &today) { return dateFault(v, today, false); },
      [](const QString &t, const QDate &) { return looksLikeDate(t); },
      nullptr,
      ShapeRule::Distinct,
      RepeatUse::None,
      FieldKind::Date,
      nullptr },
    { FieldKind::Address,
      0,
      { none, none },
      [](const QString &v, const QDate &) { return addressFault(v); },
      [](const QString &t, const QDate &) { return addressShape(t).looks; },
      nullptr,
      ShapeRule::Distinct,
      RepeatUse::None,
      FieldKind::Address,
      nullptr },
    { FieldKind::Remark,
      LooseShape,
      { none, none },
      nullptr,
      looksLikeRemark,
      nullptr,
      ShapeRule::PhraseLeft,
      RepeatUse::None,
      FieldKind::Remark,
      nullptr },
    // A college of a university (计算机学院) is a department.
    { FieldKind::Department,
      NamedValue | OpenShape | LooseShape,
      { none, none },
      nullptr,
      [](const QString &t, const QDate &today) {
          return isEndingWord(FieldKind::Department, t)
              || ((endsAs(FieldKind::Department, t) || isCollegeName(t)) && looksLikeNamedThing(t, today));
      },
      nullptr,
      ShapeRule::Plain,
      RepeatUse::None,
      FieldKind::Department,
      nullptr },
    { FieldKind::Ethnicity,
      0,
      { none, none },
      [](const QString &v, const QDate &) { return listed(isEthnicity(v), FaultType::Ethnicity); },
      [](const QString &t, const QDate &) { return isEthnicity(t); },
      nullptr,
      ShapeRule::Plain,
      RepeatUse::None,
      FieldKind::Ethnicity,
      nullptr },
    { FieldKind::Qq,
      GluedShape,
      { none, none },
      [](const QString &v, const QDate &) { return listed(isQqNumber(v), FaultType::Qq); },
      looksLikeQq,
      withoutSpaces,
      ShapeRule::Plain,
      RepeatUse::None,
      FieldKind::Qq,
      nullptr },
    { FieldKind::WeChat,
      0,
      { FieldKind::Mobile, none },
      [](const QString &v, const QDate &) {
          return listed(isWeChatId(v) || mobileFault(v).isNone(), FaultType::WeChat);
      },
      [](const QString &t, const QDate &) { return isWeChatId(t) || !mobileDigits(t).isEmpty(); },
      canonicalPhone,
      ShapeRule::Plain,
      RepeatUse::None,
      FieldKind::WeChat,
      nullptr },
    { FieldKind::PoliticalStatus,
      0,
      { none, none },
      [](const QString &v, const QDate &) {
          return listed(isPoliticalStatus(v), FaultType::PoliticalStatus);
      },
      [](const QString &t, const QDate &) { return isPoliticalStatus(t); },
      nullptr,
      ShapeRule::Plain,
      RepeatUse::None,
      FieldKind::PoliticalStatus,
      nullptr },
    // 户籍 is written as a whole address as often as a province and a city.
    { FieldKind::NativePlace,
      0,
      { FieldKind::Address, none },
      nullptr,
      [](const QString &t, const QDate &) { return looksLikeNativePlace(t); },
      nullptr,
      ShapeRule::Plain,
      RepeatUse::None,
      FieldKind::NativePlace,
      nullptr },
    { FieldKind::Position,
      OpenShape | LooseShape,
      { none, none },
      nullptr,
      [](const QString &t, const QDate &today) {
          return isEndingWord(FieldKind::Position, t)
              || (endsAs(FieldKind::Position, t) && looksLikeNamedThing(t, today));
      },
      nullptr,
      ShapeRule::Plain,
      RepeatUse::None,
      FieldKind::Position,
      nullptr },
    { FieldKind::EmployeeNumber,
      0,
      { none, none },
      nullptr,
      looksLikeCode,
      withoutSpaces,
      ShapeRule::Plain,
      RepeatUse::None,
      FieldKind::EmployeeNumber,
      nullptr },
    // An employer may be a school.
    { FieldKind::Company,
      OpenShape | LooseShape,
      { none, none },
      nullptr,
      [](const QString &t, const QDate &today) {
          return (endsAs(FieldKind::Company, t) || endsAs(FieldKind::School, t))
              && looksLikeNamedThing(t, today);
      },
      nullptr,
      ShapeRule::Plain,
      RepeatUse::None,
      FieldKind::Company,
      nullptr },
    { FieldKind::PostCode,
      GluedShape,
      { none, none },
      [](const QString &v, const QDate &) { return listed(isPostCode(v), FaultType::PostCode); },
      looksLikePostCode,
      withoutSpaces,
      ShapeRule::Plain,
      RepeatUse::None,
      FieldKind::PostCode,
      nullptr },
    { FieldKind::Education,
      0,
      { none, none },
      [](const QString &v, const QDate &) { return listed(isEducation(v), FaultType::Education); },
      [](const QString &t, const QDate &) { return isEducation(t); },
      nullptr,
      ShapeRule::Plain,
      RepeatUse::None,
      FieldKind::Education,
      nullptr },
};

static_assert(std::size(table) == std::size_t(FieldKind::Education) + 1, "one row per kind");

} // namespace

const KindTraits &traitsOf(FieldKind kind)
{
    const int row = int(kind);
    return row >= 0 && row < int(std::size(table)) ? table[row] : table[0];
}

bool kindCovers(FieldKind field, FieldKind value)
{
    if (field == value)
        return true;
    const KindTraits &traits = traitsOf(field);
    return value != FieldKind::Other
        && std::find(std::begin(traits.covers), std::end(traits.covers), value) != std::end(traits.covers);
}

Fault valueProblem(FieldKind kind, const QString &value, const QDate &today)
{
    if (std::any_of(value.cbegin(), value.cend(), isInvisible))
        return Fault(FaultType::Invisible);
    const Check check = traitsOf(kind).check;
    const bool fullWidth = hasFullWidthAlnum(value)
        || (traitsOf(kind).has(AsciiValue) && std::any_of(value.cbegin(), value.cend(), isFullWidthForm));
    if (!check)
        return fullWidth ? fullWidthFault(value) : Fault();
    if (!fullWidth)
        return check(value, today);
    // The digits are all there, only full-width: say that, not that the value is too short.
    const Fault problem = check(halfWidth(value), today);
    return problem.isNone() ? fullWidthFault(value) : problem;
}

bool looksLike(FieldKind kind, const QString &original, const QDate &today)
{
    const Shape shape = traitsOf(kind).shape;
    if (!shape)
        return false;
    const QString text = plainText(original);
    return !text.isEmpty() && shape(text, today);
}

QString canonicalValue(FieldKind kind, const QString &original)
{
    const Canonical canonical = traitsOf(kind).canonical;
    // Text: only its letters and digits; full-width brackets and spaces are how Chinese is written.
    return canonical ? canonical(plainText(original)) : halfWidthAlnum(original.trimmed());
}
