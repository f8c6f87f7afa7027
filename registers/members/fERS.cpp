#include "registers/members/fERS.h"
#include "app/MyUnits.h"
#include "app/MyUnitsForms.h"
#include "app/PrintForm.h"
#include "app/QPLUnit.h"
#include "controls/DbGridQPL.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "registers/common/PrintProtocol.h"
#include "registers/members/MemberQueries.h"
#include "registers/members/fERSPridaj.h"

namespace {
const QString kPrintTag = QStringLiteral("F58D66B0-7A38-41E2");
} // namespace

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

void TfrmERS::btnTlacClick() {
  TRegisterPrint print;
  print.Tag = kPrintTag;
  print.Title = Caption();
  print.Template = QStringLiteral("KontrolaRS.rpf");
  print.MasterSql = {QStringLiteral("SELECT A.JEDIN,A.KONTROLA_OD, A.KONTROLA_DO, A.SUKROMNE_VOZIDLO,"),
                     QStringLiteral("A.SPZ, A.TYP, A.SPOTREBA, A.NAHRADA, A.KM, A.CENA_PALIVA,"),
                     QStringLiteral("A.UHRADENE,A.POZNAMKA,b.nazov_uplny as revir"),
                     QStringLiteral("from temp_spracuj x"),
                     QStringLiteral("left join E_RS a on a.jedin=x.cislo"),
                     QStringLiteral("left join c_reviry_jux b on b.jedin=a.c_reviry_jux"),
                     SelectionSetWhere(),
                     QStringLiteral("order by x.jedin")};
  print.Details = {
      {QStringLiteral("DETAIL_KONTROLORI"),
       {QStringLiteral("SELECT A.JEDIN,B.CISLO_ODZNAKU,B.CISLO_OSVEDCENIA,C.NAZOV_UPLNY as KONTROLOR"),
        QStringLiteral("FROM E_RS_KONTROLORI A"), QStringLiteral("LEFT JOIN C_CLENOV_RS B ON B.JEDIN=A.C_CLENOV_RS"),
        QStringLiteral("LEFT JOIN C_CLENOV C ON C.JEDIN=B.C_CLENOV"), QStringLiteral("WHERE A.E_RS=:JEDIN"),
        QStringLiteral("order by a.jedin")}},
      {QStringLiteral("DETAIL_KONTROLOVANI"),
       {QStringLiteral("SELECT A.JEDIN,A.NAZOV_UPLNY AS KONTROLOVANY,A.CISLO_POVOLENIA,"),
        QStringLiteral("A.PRIESTUPOK,b.CISLO_ODZNAKU,D.NAZOV AS REVIR,E.NAZOV AS ZO,"), QStringLiteral("a.poznamka"),
        QStringLiteral("FROM E_RS_KONTROLOVANI A"), QStringLiteral("LEFT JOIN C_CLENOV_RS B ON B.JEDIN=A.C_CLENOV_RS"),
        QStringLiteral("LEFT JOIN C_CLENOV C ON C.JEDIN=B.C_CLENOV"),
        QStringLiteral("LEFT JOIN C_REVIRY_JUX D ON D.JEDIN=A.C_REVIRY_JUX"),
        QStringLiteral("LEFT JOIN C_ZO E ON E.JEDIN=A.C_ZO"), QStringLiteral("WHERE A.E_RS=:JEDIN ORDER BY A.JEDIN")}},
  };
  PrintRegister(list, print);
}
