// The suggestions of one record as the rules make them.
#include "review/suggestions.h"

#include "review/record_context.h"

Suggestions::Suggestions(int fields, const QVector<bool> &broken, Sources sources)
    : broken(broken)
    , sources(std::move(sources))
    , proposals(fields)
    , vacated(fields, -1)
{ }

bool Suggestions::open(const RecordContext &record, int f) const
{
    return !record.settled[f] && (record.cell(f).isEmpty() || broken[f]) && !proposals[f].made;
}

int Suggestions::sourceOf(const QString &text) const
{
    for (int s = 0; s < int(sources.list.size()); ++s) {
        if (sources.list[s].text == text && !sources.list[s].used)
            return s;
    }
    return -1;
}

bool Suggestions::propose(const RecordContext &record, int f, int s, const QString &value,
                          const Reason &reason)
{
    if (proposedValues.contains(value) || value == record.cell(f))
        return false;
    proposedValues.append(value);
    proposals[f] = { true, value, reason };
    if (s < 0)
        return true;
    Source &source = sources.list[s];
    source.used = true;
    // The text moves to another cell: the cell it stood in gives it up, unless it finds its own.
    if (source.cell >= 0 && source.cell != f && vacated[source.cell] < 0)
        vacated[source.cell] = f;
    return true;
}
