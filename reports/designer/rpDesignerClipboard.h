#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QPoint>

class TrpPage;
class TrpReport;
class TrpView;

// The designer's own object clipboard, kept for the program's run so a copy
// made in one opening of the designer pastes in a later one. Each entry is
// one object: its type code, its class name and its template record.
class TrpObjectClipboard {
public:
  bool IsEmpty() const { return entries_.isEmpty(); }
  int Count() const { return int(entries_.size()); }
  void Clear() { entries_.clear(); }
  // Replaces the entries by the page's selected objects, in page order.
  void Copy(const TrpPage& page);
  // Adds the entries to the page as its new selection: one-per-page objects
  // the page holds already and second bands of a unique type are left out,
  // names in use are replaced, the group's left-top goes to the visible
  // workspace's left-top (`scrolled`: how far the workspace is scrolled,
  // rounded down to the grid) and onto the top of the first selected band
  // when one was selected. Returns the objects added.
  QList<TrpView*> Paste(TrpReport& report, TrpPage& page, QPoint scrolled, int gridSize) const;

private:
  QList<QByteArray> entries_;
};

// The program's one clipboard.
TrpObjectClipboard& rpObjectClipboard();

// Whether the page holds an object of the same type and class that allows
// only one of its kind per page.
bool rpOnePerPageTaken(const TrpPage& page, int kind, const QString& className);
