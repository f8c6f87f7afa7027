#include "registers/accounting/fCPartneri.h"
#include "controls/DbGridQPL.h"
#include "registers/accounting/AccountingQueries.h"
#include "registers/accounting/fCPartneriPridaj.h"

TfrmCPartneri::TfrmCPartneri(QWidget* owner, quint16 rok) : TListForm(owner, kStandardListButtons | lbHladaj, rok) {
  list.Table = QStringLiteral("c_partneri");
  list.Select = SelectPartners;
  list.CreateDialog = [this] { return std::make_unique<TfrmCPartneriPridaj>(this); };
  AddListColumns(*list.gr1, {{"NAZOV", "Názov", 250, "a.nazov", true},
                             {"ULICA", "Ulica", 170, "a.ulica", true},
                             {"MESTO", "Mesto", 150, "a.mesto", true},
                             {"ICO", "IČO", 80, "a.ico", true}});
  list.FormCreate(QStringLiteral("Číselník partnerov"), QSize(700, 343));
}

TfrmCPartneri::~TfrmCPartneri() = default;
