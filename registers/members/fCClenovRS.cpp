#include "registers/members/fCClenovRS.h"
#include "controls/DbGridQPL.h"
#include "db/IBQuery.h"
#include "registers/members/MemberQueries.h"
#include "registers/members/fCClenovRSPridaj.h"

TfrmCClenovRS::TfrmCClenovRS(QWidget* owner, quint16 rok) : TListForm(owner, kStandardListButtons | lbHladaj, rok) {
  list.Table = QStringLiteral("c_clenov_rs");
  list.Select = SelectGuards;
  list.CreateDialog = [this] { return std::make_unique<TfrmCClenovRSPridaj>(this); };
  AddListColumns(*list.gr1, {{"CISLO_ODZNAKU", "Č. odznaku", 89, "a.CISLO_ODZNAKU"},
                             {"CISLO_OSVEDCENIA", "Č. osvedčenia", 88, "a.CISLO_OSVEDCENIA"},
                             {"DATUM_OD", "RS od", 64, "a.datum_od", true},
                             {"PRIEZVISKO", "Priezvisko", 147, "b.priezvisko"},
                             {"MENO", "Meno", 91, "b.meno"},
                             {"TITUL", "Titul", 31, "b.titul"},
                             {"ADRESA", "Adresa", 143, "b.adresa"},
                             {"TELEFON", "Telefón", 88, "b.telefon"}});
  connect(list.gr1, &TDbGridQPL::OnDrawColumnCell, this, &TfrmCClenovRS::gr1DrawColumnCell);
  list.FormCreate(QStringLiteral("Číselník členov rybárskej stráže"), QSize(793, 343));
}

TfrmCClenovRS::~TfrmCClenovRS() = default;

void TfrmCClenovRS::gr1DrawColumnCell(int row, TQPLColumn* column, TGridCellCanvas& canvas) const {
  static const QStringList struck{QStringLiteral("CISLO_ODZNAKU"), QStringLiteral("CISLO_OSVEDCENIA"),
                                  QStringLiteral("DATUM_OD")};
  const TIBQuery& q = *list.ib1;
  if (!column || q.RecordCount() < 1 || !struck.contains(column->FieldName, Qt::CaseInsensitive)) return;
  const QVariant dismissed = q.ValueAt(row, q.FieldByName(QStringLiteral("DATUM_DO")).Index());
  canvas.Font.setStrikeOut(dismissed.isValid() && !dismissed.isNull());
}
