#pragma once
#include <QtCore/QRect>
#include <QtCore/QString>

class TrpPage;
class TrpReport;

// Rearranges a page's objects: bands first, other objects after them (each
// group in its order), the first overlay band at the very top of the list and
// the cross bands last among the bands.
void rpNormaliseObjectOrder(TrpPage& page);

// The caption of a page's tab: the name of a subreport object that prints
// the page, else "Strana" and the page number from 1.
QString rpPageTabCaption(const TrpReport& report, int index);

// Deletes the page at `index` with every subreport object pointing at it;
// subreports of later pages follow their page. False (nothing changed) when
// the report has one page or the index is out of range.
bool rpDeleteReportPage(TrpReport& report, int index);

// Moves a page to `to`; the subreport links of every page follow it.
void rpMoveReportPage(TrpReport& report, int from, int to);

// Where the workspace lies in the scroll box and how far the box scrolls.
struct TrpWorkspacePlacement {
  QRect Bounds;   // the workspace inside the scroll box's content
  QSize Scrolled; // the content size
};
// A report page of width x height pixels in a client area `clientWidth`
// wide: 10 from the top; at left 10 when the page does not fit or the
// position is 3 (left), centred for 5, right for 4.
TrpWorkspacePlacement rpPlaceWorkspace(int clientWidth, int pageWidth, int pageHeight, int pagePosition,
                                       int scrollBarWidth);
