#include "registers/competitions/fEPreteky.h"
#include "controls/DbGridQPL.h"
#include "controls/QPLBtn.h"
#include "db/IBQuery.h"
#include "registers/common/RegisterControls.h"
#include "registers/competitions/CompetitionQueries.h"
#include "registers/competitions/fEPretekyDefiniciaPridaj.h"
#include "registers/competitions/fEPretekyKolaPridaj.h"
#include "registers/competitions/fEPretekyKolaTlac.h"
#include "registers/competitions/fEPretekyPretekariPridaj.h"
#include "registers/competitions/fEPretekyTlac.h"
#include <QtWidgets/QTabWidget>

TfrmEPreteky::TfrmEPreteky(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbTlac | lbHladaj, rok),
      tabs(list, QStringLiteral("ts1"), QStringLiteral("&1. Definícia pretekov")) {
  tabs.AddTab(QStringLiteral("ts2"), QStringLiteral("&2. Definícia kôl preteku"), QStringLiteral("gr2"));
  tabs.AddTab(QStringLiteral("ts3"), QStringLiteral("&3. Pretekári kola"), QStringLiteral("gr3"));
  SetupPreteky();
  SetupKola();
  SetupPretekari();
  list.FormCreate(QStringLiteral("Evidencia pretekov ZEZ-A - rok %d"), QSize(760, 420));
}

TfrmEPreteky::~TfrmEPreteky() = default;

int TfrmEPreteky::CurrentKey(const TListPattern& tab) {
  TIBQuery& q = *tab.ib1;
  return q.Active() && !q.IsEmpty() ? q.FieldByName(QStringLiteral("JEDIN")).AsInteger() : 0;
}

void TfrmEPreteky::SetupPreteky() {
  list.Table = QStringLiteral("e_preteky");
  list.PerYear = true;
  list.Select = SelectCompetitions;
  // The rounds and their competitors exist only for a competition.
  list.AfterOpen = [this] {
    const bool any = !list.ib1->IsEmpty();
    tabs.SetTabVisible(1, any);
    tabs.SetTabVisible(2, any);
  };
  list.CreateDialog = [this] { return std::make_unique<TfrmEPretekyDefiniciaPridaj>(this); };
  // The competition results print at once: their choice has this one print.
  list.Print = [this] {
    TfrmEPretekyTlac dialog(this, list);
    dialog.btn1->click();
  };
  AddListColumns(*list.gr1, {{"TERMIN_OD", "Termín od", 75, "a.termin_od", true},
                             {"LIGA", "Súťaž", 200, "b.nazov"},
                             {"MIESTO", "Miesto konania", 200, "a.miesto"},
                             {"NAZOV", "Názov preteku", 230, "a.nazov"}});
}

void TfrmEPreteky::SetupKola() {
  TListPattern& kola = Kola();
  kola.Table = QStringLiteral("e_preteky_kola");
  kola.Select = [this](TListQuery& q) { SelectRounds(q, CurrentKey(list)); };
  kola.AfterOpen = [this] { tabs.SetTabVisible(2, !Kola().ib1->IsEmpty()); };
  kola.CreateDialog = [this] { return std::make_unique<TfrmEPretekyKolaPridaj>(this); };
  // Rounds are added to the competition current when the add began.
  kola.PrepareAdd = [this](TForm& dialog) { dynamic_cast<TfrmEPretekyKolaPridaj&>(dialog).Preteky = CurrentKey(list); };
  kola.Print = [this] {
    TfrmEPretekyKolaTlac dialog(this, Kola());
    dialog.ShowModal();
  };
  AddListColumns(*kola.gr1, {{"CISLO", "P.č. kola", 70, "a.cislo"},
                             {"CISLO_V_ROKU", "P.č. v roku", 70, "a.cislo_v_roku"},
                             {"NAZOV_PRETEKU", "Názov preteku", 250, "b.nazov"},
                             {"NAZOV", "Názov kola", 250, "a.nazov"}});
}

bool TfrmEPreteky::RefreshKolaFirst() {
  Kola().btnRefreshClick();
  if (!Kola().ib1->IsEmpty()) return true;
  tabs.ShowTab(1);
  return false;
}

void TfrmEPreteky::SetupPretekari() {
  TListPattern& pretekari = Pretekari();
  pretekari.Table = QStringLiteral("e_preteky_pretekari");
  // The competitors follow the current round of the competition current now.
  pretekari.BeforeRefresh = [this] { return RefreshKolaFirst(); };
  pretekari.Select = [this](TListQuery& q) { SelectRoundEntries(q, CurrentKey(Kola())); };
  pretekari.CreateDialog = [this] { return std::make_unique<TfrmEPretekyPretekariPridaj>(this); };
  pretekari.PrepareAdd = [this](TForm& dialog) {
    auto& pridaj = dynamic_cast<TfrmEPretekyPretekariPridaj&>(dialog);
    pridaj.Preteky = CurrentKey(list);
    pridaj.Kolo = CurrentKey(Kola());
  };
  AddListColumns(*pretekari.gr1, {{"SEKTOR", "Sektor", 60, "a.sektor,a.sektor_cislo"},
                                  {"PRETEKAR", "Pretekár", 300, "b.nazov_uplny"},
                                  {"DRUZSTVO", "Družstvo", 220, "c.nazov"},
                                  {"CIPS", "CIPS", 80, "a.cips"}});
  connect(pretekari.gr1, &TDbGridQPL::OnDrawColumnCell, this, &TfrmEPreteky::gr3DrawColumnCell);
}

void TfrmEPreteky::gr3DrawColumnCell(int row, TQPLColumn* column, TGridCellCanvas& canvas) const {
  if (!column || column->FieldName.compare(QLatin1String("CIPS"), Qt::CaseInsensitive) != 0) return;
  TIBQuery& q = *tabs.List(2).ib1;
  if (!q.Active() || q.IsEmpty()) return;
  // A disqualified competitor's points do not count.
  if (q.ValueAt(row, q.FieldByName(QStringLiteral("TRESTNE_MIESTO")).Index()).toInt() > 0) {
    canvas.Brush = clRed;
    canvas.FontColor = clYellow;
  }
}
