#pragma once
#include <QtCore/QList>
#include <QtCore/QSize>

class TrpPage;
class TrpView;
class TrpDesignerSelection;

// The designer's arranging commands on the selected objects of a page. Only
// objects that may be moved (restriction 32 clear) move, only those that may
// be resized (16 clear) change size.

// Whether alignment button 1..10 applies to the selection.
bool rpAlignmentApplies(const TrpDesignerSelection& selection, int button);
// Alignment button 1..10 (stacking inside the selected band for 1 and 5);
// `workspace` is the size the group is centred in by 3 and 8.
void rpAlignSelection(TrpPage& page, const TrpDesignerSelection& selection, int button, QSize workspace);
// The selected movable objects to the end (front) or the start (back) of
// the page's list, keeping their order; bands stay first.
void rpBringToFront(TrpPage& page);
void rpSendToBack(TrpPage& page);
// Every selected object's position and size to the nearest grid multiple; no size becomes 0.
void rpFitToGrid(TrpPage& page, int gridSize);
// Ctrl+arrow moves the selected movable objects by (dx, dy); Shift+arrow
// (`resize`) sizes them instead, moving those that may not be resized.
void rpNudgeSelection(TrpPage& page, int dx, int dy, bool resize);
// The object an arrow key (dx, dy of -1, 0 or 1) leads to from `from`:
// the nearest in that direction that is neither selected nor a band; null when none.
TrpView* rpArrowNeighbour(const TrpPage& page, const TrpView& from, int dx, int dy);
// Alt+arrow: puts the object against the neighbour's facing edge.
void rpPlaceAgainst(TrpView& object, const TrpView& neighbour, int dx, int dy);
// The selected objects a delete removes: those that may be deleted (64 clear).
QList<TrpView*> rpDeletableSelection(const TrpPage& page);
// Deletes them (last to first); a deleted child band is unlinked from the bands naming it.
void rpDeleteSelection(TrpPage& page);
