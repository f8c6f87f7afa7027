#include "registers/members/fEPriestupky.h"
#include "app/ToolBar.h"
#include "controls/DbGridQPL.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "db/IBQuery.h"
#include "registers/common/PrintProtocol.h"
#include "registers/members/MemberPrints.h"
#include "registers/members/MemberQueries.h"
#include "registers/members/MemberRecordsSupport.h"
#include "registers/members/fEPriestupkyPridaj.h"

TfrmEPriestupky::TfrmEPriestupky(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbTlac | lbFilter | lbHladaj, rok) {
  list.Table = QStringLiteral("e_priestupky");
  list.Select = [this](TListQuery& q) {
    SelectOffences(q, list.Rok, list.btnFilter->Down() && eDBVybaveny->CheckedValue() == 1);
  };
  list.Filter = [this](TListQuery& q) {
    AddKeyFilter(q, *eDBClen, QStringLiteral("a.c_clenov=:C_CLENOV"), QStringLiteral("C_CLENOV"));
    AddKeyFilter(q, *eDBOstatni, QStringLiteral("a.nazov_uplny=:NAZOV_UPLNY"), QStringLiteral("NAZOV_UPLNY"));
    AddKeyFilter(q, *eDBPriestupok, QStringLiteral("a.priestupok=:PRIESTUPOK"), QStringLiteral("PRIESTUPOK"));
  };
  list.CreateDialog = [this] { return std::make_unique<TfrmEPriestupkyPridaj>(this); };
  list.Print = [this] { PrintRegister(list, OffencesPrint(Caption())); };
  const QList<TQPLColumn*> columns =
      AddListColumns(*list.gr1, {{"NAZOV_UPLNY", "Priezvisko, Meno", 363, "a.nazov_uplny", true},
                                 {"DATUM", "Dátum", 64, "a.datum", true},
                                 {"PRIESTUPOK", "Priestupok", 237, "a.priestupok", true},
                                 {"POKUTA", "Pokuta", 85, "a.pokuta", true}});
  columns[3]->DisplayFormat = QStringLiteral("#,##0.00");
  connect(list.gr1, &TDbGridQPL::OnDrawColumnCell, this, &TfrmEPriestupky::gr1DrawColumnCell);

  QWidget& panel = *list.pnlFilter;
  eDBClen = AddFilterCombo(panel, QStringLiteral("Člen ZO:"), QStringLiteral("eDBClen"));
  SetupMemberCombo(*eDBClen);
  eDBOstatni = AddFilterCombo(panel, QStringLiteral("Ostatní:"), QStringLiteral("eDBOstatni"));
  SetupMemberCombo(*eDBOstatni);
  eDBOstatni->SetSTableName(QStringLiteral("e_priestupky"));
  eDBOstatni->SetSKeyField(QStringLiteral("nazov_uplny"));
  eDBOstatni->SetSOrderBy(QStringLiteral("1"));
  eDBOstatni->SetSWhere(QStringLiteral("c_clenov is null"));
  eDBOstatni->SetSDistinct(true);
  eDBPriestupok = AddFilterCombo(panel, QStringLiteral("Priestupok:"), QStringLiteral("eDBPriestupok"));
  SetupTextCombo(*eDBPriestupok, QStringLiteral("e_priestupky"), QStringLiteral("priestupok"), 50, 1019);
  eDBVybaveny = AddFilterCheck(panel, QStringLiteral("eDBVybaveny"),
                               QStringLiteral("Zobraz aj vybavené priestupky z minulých rokov:"));
  list.FormCreate(QStringLiteral("Evidencia disciplinárnych priestupkov - rok %d"), QSize(795, 343));
}

TfrmEPriestupky::~TfrmEPriestupky() = default;

void TfrmEPriestupky::gr1DrawColumnCell(int row, TQPLColumn* column, TGridCellCanvas& canvas) const {
  TIBQuery& q = *list.ib1;
  if (!q.Active() || q.IsEmpty() || !column) return;
  auto value = [&](const char* field) { return q.ValueAt(row, q.FieldByName(QString::fromLatin1(field)).Index()); };
  if (column->FieldName == QLatin1String("POKUTA") && value("VYBAVENY").toInt() == 0) {
    canvas.Brush = TColor(0x0000FF);
    canvas.FontColor = TColor(0x00FFFF);
  }
  if (column->FieldName == QLatin1String("NAZOV_UPLNY") && value("C_CLENOV").isNull()) canvas.Font.setBold(true);
}

void TfrmEPriestupky::OpenForMember(QWidget* owner, int clen, int rok) {
  TfrmEPriestupky form(owner, quint16(rok));
  // The member's whole history: settled cases of earlier years too.
  form.eDBVybaveny->SetCheckedValue(1);
  ShowForMember(form, *form.eDBClen, clen);
}
