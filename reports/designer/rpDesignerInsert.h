#pragma once
#include <QtCore/QString>
#include <functional>
#include <memory>

class TrpPage;
class TrpReport;
class TrpView;
struct TrpInsertDefaults;

// The palette's tools: their tags (an add-in class has 10 + its registry index).
namespace TrpDesignerTool {
constexpr int Select = -1, Text = 0, Picture = 1, Band = 2, Subreport = 3, Line = 4, FirstAddIn = 10;
} // namespace TrpDesignerTool

// A new object of the tool, named and not yet on the page: a band of the
// type `chooseBandType` returns (none when it returns -1), a subreport on a
// page appended to the report, a text, a picture or an add-in object. A
// second object of a class allowed once per page is refused with the error
// message (nothing is made then).
std::unique_ptr<TrpView> rpNewToolObject(TrpReport& report, const TrpPage& page, int tool,
                                         const std::function<int()>& chooseBandType);
// The name prefix of a band of that type: its name with the first blank
// removed and the letter after it in capitals ("Master data" gives "MasterData").
QString rpBandNamePrefix(int bandType);
// The insertion defaults a new object takes: frame width (not add-ins),
// colours, and for texts the frame lines, font and alignment.
void rpApplyInsertDefaults(TrpView& object, const TrpInsertDefaults& defaults);
