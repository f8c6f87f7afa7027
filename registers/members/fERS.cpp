#include "registers/members/fERS.h"
#include "app/MyUnits.h"
#include "app/MyUnitsForms.h"
#include "app/PrintForm.h"
#include "app/QPLUnit.h"
#include "controls/DbGridQPL.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "registers/common/PrintProtocol.h"
#include "registers/members/MemberPrints.h"
#include "registers/members/MemberQueries.h"
#include "registers/members/fERSPridaj.h"

TfrmERS::TfrmERS(QWidget* owner, quint16 rok) : TListForm(owner, kStandardListButtons | lbTlac | lbHladaj, rok) {
  list.Table = QStringLiteral("e_rs");
  list.Select = SelectInspections;
  list.PerYear = true;
  list.CreateDialog = [this] { return std::make_unique<TfrmERSPridaj>(this); };
  list.Print = [this] { btnTlacClick(); };
  const QList<TQPLColumn*> columns =
      AddListColumns(*list.gr1, {{"DATUM", "Dátum", 69, "a.kontrola_od", true},
                                 {"REVIR", "Kontrolovaný revír", 251, ""},
                                 {"KONTROLOR", "Člen rybárskej stráže", 305, "c.nazov_uplny"},
                                 {"SUKROMNE_VOZIDLO", "Súkromné vozidlo", 91, "b.text", true}});
  columns[1]->Order = TOrderSets::osNone;
  connect(list.gr1, &TDbGridQPL::OnDrawColumnCell, this, &TfrmERS::gr1DrawColumnCell);
  list.FormCreate(QStringLiteral("Evidencia kontrol rybárskej stráže - rok %d"), QSize(762, 343));
}

TfrmERS::~TfrmERS() = default;

void TfrmERS::gr1DrawColumnCell(int row, TQPLColumn* column, TGridCellCanvas& canvas) const {
  const TIBQuery& q = *list.ib1;
  if (!column || q.RecordCount() < 1 ||
      column->FieldName.compare(QLatin1String("SUKROMNE_VOZIDLO"), Qt::CaseInsensitive))
    return;
  // Marks an unpaid private-car cost (an inspection without a car is stored as paid).
  if (q.ValueAt(row, q.FieldByName(QStringLiteral("UHRADENE")).Index()).toInt() == 0) {
    canvas.Brush = TColor(0x0000FF);
    canvas.FontColor = TColor(0x00FFFF);
  }
}

void TfrmERS::btnTlacClick() { PrintRegister(list, InspectionsPrint(Caption())); }
