#pragma once
#include "core/Exception.h"
#include <QtCore/QByteArray>
#include <QtCore/QString>

class TrpReport;

// A report template kept in the repository as a short JSON description,
// turned into the engine's template by the engine's own objects and writer.
//
// {
//   "comment": "...", "orientation": "portrait" | "landscape",
//   "font": {"name": "Arial", "size": 10},          (default of every text)
//   "bands": [
//     {"band": "PageHeader", "height": 60,           (band kind without "bt")
//      "source": "rpDB1",                            (data source or group condition)
//      "flags": ["NewPage", "RepeatHeader", ...],    (added to first and last page)
//      "columns": 3, "columnWidth": 240, "columnGap": 10,
//      "script": ["line", ...],                      (run before the band prints)
//      "texts": [{"x": 0, "y": 0, "w": 300, "h": 20, (pixels, y within the band)
//                 "text": "Rok [Rok]" or ["line", "line"],
//                 "size": 14, "bold": true, "italic": true,
//                 "align": "left" | "right" | "center" | "justify",
//                 "frame": "ltrb" (sides drawn), "stretch": true,
//                 "wrap": false (one line, cut at the object's edge),
//                 "hideZeros": true (an empty date or number prints nothing)},
//                {"x": 0, "y": 20, "w": 700, "h": 18, "subreport": 1}]}], (prints sub-page 1 there)
//   "subpages": [[bands...], ...]                    (template pages 1, 2 ... for subreports)
// }
//
// Bands are stacked from the top in the order given; objects lie inside
// their band. Raises ETemplateDescriptionError naming the fault.
class ETemplateDescriptionError : public Exception {
public:
  using Exception::Exception;
};

// Replaces the report's template by the one described (the engine must run).
void rpBuildFromDescription(const QByteArray& json, TrpReport& report);
// Reads the description file and writes the template file (".rpf").
void rpMakeTemplateFile(const QString& descriptionPath, const QString& templatePath);
