#pragma once
#include "registers/common/ListForm.h"
#include "registers/common/ListTabs.h"

class TGridCellCanvas;
class TQPLColumn;

// The competitions of the list's year, on three tabs under one tool bar:
// the competitions (tab 1, `list`), the rounds of the current competition
// (tab 2) and the competitors of the current round (tab 3), each with its
// own dialog. Tabs 2 and 3 show only while the list before them has rows.
// Tab 1 prints the results of its competitions, tab 2 offers the result and
// weighing sheets of its rounds.
class TfrmEPreteky : public TListForm {
  Q_OBJECT
public:
  TfrmEPreteky(QWidget* owner, quint16 rok);
  ~TfrmEPreteky() override;

  TListTabs tabs;
  TListPattern& Preteky() { return list; }
  TListPattern& Kola() { return tabs.List(1); }
  TListPattern& Pretekari() { return tabs.List(2); }
  // The key of the current row of a tab's list; 0 when it has none.
  static int CurrentKey(const TListPattern& tab);

private:
  void SetupPreteky();
  void SetupKola();
  void SetupPretekari();
  bool RefreshKolaFirst();
  void gr3DrawColumnCell(int row, TQPLColumn* column, TGridCellCanvas& canvas) const;
};
