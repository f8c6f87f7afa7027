#pragma once
#include "reports/engine/rpPropertyStream.h"
#include <QtCore/QString>

class QIODevice;
class TrpReport;

// Writes the report as an XML document (root element TrpxReport, UTF-8) into
// the device at its position: the report element with its script text and
// property data, then each page's element with the elements of its objects.
void rpSaveToRP3Stream(TrpReport& report, QIODevice& stream);
