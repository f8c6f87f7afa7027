#include "registers/members/fEBrigady.h"
#include "app/QPLUnit.h"
#include "app/ToolBar.h"
#include "controls/DbGridQPL.h"
#include "controls/IBComboBox.h"
#include "db/IBQuery.h"
#include "registers/members/MemberQueries.h"
#include "registers/members/MemberRecordsSupport.h"
#include "registers/members/fEBrigadyPridaj.h"
#include "registers/members/fEBrigadyTlac.h"
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QStatusBar>

TfrmEBrigady::TfrmEBrigady(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbTlac | lbFilter | lbHladaj, rok) {
  list.Table = QStringLiteral("e_brigady");
  list.Select = SelectWorkDuty;
  list.PerYear = true;
  list.Filter = [this](TListQuery& q) {
    AddKeyFilter(q, *eDBClen, QStringLiteral("a.c_clenov=:C_CLENOV"), QStringLiteral("C_CLENOV"));
    AddKeyFilter(q, *eDBTypyBrigad, QStringLiteral("a.c_typy_brigad=:C_TYPY_BRIGAD"), QStringLiteral("C_TYPY_BRIGAD"));
    AddKeyFilter(q, *eDBRevir, QStringLiteral("a.C_REVIRY_JUX=:C_REVIRY_JUX"), QStringLiteral("C_REVIRY_JUX"));
    AddKeyFilter(q, *eDBPopis, QStringLiteral("a.popis=:POPIS"), QStringLiteral("POPIS"));
  };
  list.AfterOpen = [this] { SumHours(); };
  list.CreateDialog = [this] { return std::make_unique<TfrmEBrigadyPridaj>(this); };
  list.Print = [this] {
    TfrmEBrigadyTlac dialog(this, list);
    dialog.ShowModal();
  };

  const QList<TQPLColumn*> columns =
      AddListColumns(*list.gr1, {{"DATUM", "Dátum", 64, "a.datum", true},
                                 {"CLEN", "Priezvisko a meno", 293, "b.nazov_uplny", true},
                                 {"POPIS", "Popis", 183, "a.popis", true},
                                 {"HODINY", "Hodín", 35, "a.hodiny", true},
                                 {"SUKROMNE_VOZIDLO", "Súkr. vozidlo", 66, "", true}});
  columns[3]->DisplayFormat = QStringLiteral("0.0");
  columns[4]->Alignment = Qt::AlignHCenter;
  connect(list.gr1, &TDbGridQPL::OnDrawColumnCell, this, &TfrmEBrigady::gr1DrawColumnCell);

  BuildFilter();
  QStatusBar* sb = list.AddStatusBar();
  for (QLabel*& panel : sbPanels) {
    panel = new QLabel(sb);
    sb->addWidget(panel);
  }
  list.FormCreate(QStringLiteral("Evidencia brigád - rok %d"), QSize(688, 343));
}

TfrmEBrigady::~TfrmEBrigady() = default;

void TfrmEBrigady::BuildFilter() {
  QWidget& panel = *list.pnlFilter;
  eDBClen = AddFilterCombo(panel, QStringLiteral("Člen:"), QStringLiteral("eDBClen"), &lblClen,
                           QStringLiteral("TfrmCClenov"));
  SetupMemberCombo(*eDBClen);
  eDBTypyBrigad = AddFilterCombo(panel, QStringLiteral("Typ:"), QStringLiteral("eDBTypyBrigad"), &lblTypyBrigad,
                                 QStringLiteral("TfrmCTypyBrigad"));
  SetupTextCombo(*eDBTypyBrigad, QStringLiteral("c_typy_brigad"), QStringLiteral("nazov"), 50, 0);
  eDBTypyBrigad->SetSKeyField(QStringLiteral("jedin"));
  eDBTypyBrigad->SetSOrderBy(QStringLiteral("nazov"));
  eDBRevir = AddFilterCombo(panel, QStringLiteral("Revír:"), QStringLiteral("eDBRevir"), &lblRevir,
                            QStringLiteral("TfrmCReviryJUX"));
  SetupRevirCombo(*eDBRevir);
  eDBPopis = AddFilterCombo(panel, QStringLiteral("Popis:"), QStringLiteral("eDBPopis"), &lblPopis);
  SetupTextCombo(*eDBPopis, QStringLiteral("e_brigady"), QStringLiteral("popis"), 50, 1019);
  // The types and grounds of the listed year: keys of another year would filter nothing.
  eDBTypyBrigad->SetSWhere(YearCondition(list.Rok));
  eDBRevir->SetSWhere(YearCondition(list.Rok));
}

void TfrmEBrigady::SumHours() {
  TIBQuery& q = *list.ib1;
  q.DisableControls();
  long double sum = 0;
  for (q.First(); !q.Eof(); q.Next())
    sum += q.FieldByName(QStringLiteral("HODINY")).AsFloat();
  q.EnableControls();
  sbPanels[0]->setText(FormatIntegers(QStringLiteral("Počet záznamov: %d"), {q.RecordCount()}));
  sbPanels[1]->setText(QStringLiteral("Spolu hodín: %L1").arg(double(sum), 9, 'f', 1));
  FitStatusBarPanels(*list.sb);
}

void TfrmEBrigady::gr1DrawColumnCell(int row, TQPLColumn* column, TGridCellCanvas& canvas) const {
  TIBQuery& q = *list.ib1;
  if (!q.Active() || q.IsEmpty() || !column || column->FieldName != QLatin1String("SUKROMNE_VOZIDLO")) return;
  const QVariant paid = q.ValueAt(row, q.FieldByName(QStringLiteral("UHRADENE")).Index());
  if (!paid.isNull() && paid.toInt() == 0) {
    canvas.Brush = TColor(0x0000FF);
    canvas.FontColor = TColor(0x00FFFF);
  }
}

void TfrmEBrigady::OpenForMember(QWidget* owner, int clen, int rok) {
  TfrmEBrigady form(owner, quint16(rok));
  ShowForMember(form, *form.eDBClen, clen);
}
