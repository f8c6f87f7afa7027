#pragma once
#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QString>

class QTabWidget;
class TListPattern;

// A list form that holds several lists, one per tab of its page control
// `pc1`, under the form's one tool bar. The form's own list (TListForm's
// `list`) is the first tab; AddTab gives each further tab a list of its own
// (grid, query, table, dialog), described like the first. The tool buttons,
// the form's activation and the marks act on the current tab's list; making
// a tab current refreshes its list and enables the print button only for a
// list that prints; Left and Right in a grid switch to the visible tab before
// or after (the key is used up either way).
//
//   TfrmEPreteky(...) : TListForm(owner, kStandardListButtons | lbTlac | lbHladaj, rok),
//                       tabs(list, "ts1", "&1. Definícia pretekov") {
//     TListPattern& kola = tabs.AddTab("ts2", "&2. Definícia kôl preteku", "gr2");
//     kola.Select = ...;  // as for any list
//     ...
//     list.FormCreate(caption, size); // finishes every tab's grid
//   }
class TListTabs : public QObject {
  Q_OBJECT
public:
  // Moves the form's list onto the first tab, named `name` with `caption`.
  TListTabs(TListPattern& first, const QString& name, const QString& caption);
  ~TListTabs() override;

  // Adds a tab named `name` with `caption` and its list, whose grid is `gridName`.
  TListPattern& AddTab(const QString& name, const QString& caption, const QString& gridName);

  QTabWidget* pc1;
  TListPattern& List(int index) const { return *lists_.at(index); }
  int Count() const { return int(lists_.size()); }
  int CurrentIndex() const;
  // Makes the tab current (its list refreshes as it becomes current).
  void ShowTab(int index);
  // Shows or hides a tab. A current tab that hides hands over to the visible
  // tab before it without refreshing it: a tab hides while the list before
  // it refreshes, as the rows it follows are gone.
  void SetTabVisible(int index, bool visible);
  bool IsTabVisible(int index) const;

private:
  void TabChanged(int index);
  void GridKeyDown(int& key, Qt::KeyboardModifiers modifiers);
  // The visible tab after (step 1) or before (-1) the current one; -1 for none.
  int NeighbourTab(int step) const;

  QList<TListPattern*> lists_;
  bool quiet_ = false;
};
