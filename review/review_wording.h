// Every sentence the record review shows, in one place: made from the faults and reasons the checks
// and rules return, when the notes are written.
#pragma once

#include "review/review_faults.h"

#include <QString>
#include <QStringList>

namespace ReviewWording {

// The sentence of a fault; empty for FaultType::None.
QString fault(const Fault &fault);
// The sentence of a suggestion's reason.
QString reason(const Reason &reason);

QString candidates(const QStringList &values);
QString faultyCandidate(const QString &value, const Fault &fault);
QString suggestion(const QString &value, const Reason &reason); // an empty value says 清空

} // namespace ReviewWording
