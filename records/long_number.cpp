// Whether any field asks for a long digit run, which spreadsheets would mangle when pasted.
#include "records/long_number.h"

#include <QRegExp>

bool hasLongNumberField(const QList<FieldDef> &fields)
{
    // A "\d" repeated with a count that starts with two or more digits ("\d{10}", "\d{10,11}", "\d{17}")
    // asks for ten or more digits: mobile, student and ID numbers, which a spreadsheet turns into
    // rounded scientific notation. Short counts such as an age's "\d{1,2}" are left out, so the note
    // is not added to every copy.
    const QRegExp longDigitRun(QStringLiteral("\\\\d\\{\\d{2,}"));
    for (const FieldDef &field : fields) {
        if (longDigitRun.indexIn(field.pattern) >= 0)
            return true;
    }
    return false;
}
