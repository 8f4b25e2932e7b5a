// A record's review as one line of JSON, for quorbel-sort --json.
#pragma once

#include "review/record_review.h"

#include <QByteArray>
#include <QStringList>

// {"cells": [...], "suggested": [...], "leftover": [...], "notes": [...]} and a line feed, UTF-8.
QByteArray reviewJsonLine(const RecordReview &review);
// {"header": [...]} and a line feed.
QByteArray headerJsonLine(const QStringList &names);
