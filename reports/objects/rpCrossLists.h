#pragma once
#include <QtCore/QList>
#include <QtCore/QPointer>
#include <QtCore/QStringList>
#include <functional>
#include <memory>

class TrpCrossView;
class TrpReport;
class TrpView;

// The four report events a cross-tab takes part in.
struct TrpCrossHandlers {
  std::function<void()> BeforeBuild;
  std::function<void(QStringList& lines, TrpView* object)> BeforePrint;
  std::function<void(int column, int& width)> PrintColumn;
  std::function<void()> EndDoc;
};

// The cross-tab objects of one report, in the order they joined the chain of
// the report's four build events (before build, before print, print column,
// end of document). Each object keeps the handlers the report held when it
// joined and calls them after its own work, so the objects run from the last
// joined to the first and then the report's earlier handler runs.
class TrpCrossList {
public:
  explicit TrpCrossList(TrpReport* report) : Report(report) {}
  // Appends the object and makes its handlers the report's.
  void Hook(TrpCrossView* view);
  // Gives the report back the handlers the object saved and re-links the others.
  void Unhook(TrpCrossView* view);

  QPointer<TrpReport> Report;
  QList<TrpCrossView*> Views;
};

// The lists of every report that holds cross-tab objects.
class TrpCrossLists {
public:
  // Hooks the object into its report's list, made when the report has none.
  void AddView(TrpCrossView* view);
  // Unhooks it; a list left empty goes. Nothing for an object of no list.
  void RemoveView(TrpCrossView* view);
  TrpCrossList* ListOf(const TrpReport* report) const;

private:
  QList<std::shared_ptr<TrpCrossList>> lists_;
};

// The program's one set of lists.
TrpCrossLists& rpCrossLists();
