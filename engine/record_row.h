// One classified record: one cell per field, in catalogue order.
#pragma once

#include <QStringList>

using RecordRow = QStringList;
