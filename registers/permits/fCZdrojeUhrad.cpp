#include "registers/permits/fCZdrojeUhrad.h"
#include "controls/DbGridQPL.h"
#include "registers/permits/PermitQueries.h"
#include "registers/permits/fCZdrojeUhradPridaj.h"

TfrmCZdrojeUhrad::TfrmCZdrojeUhrad(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbHladaj, rok) {
  list.Table = QStringLiteral("c_zdroje_uhrad");
  list.Select = SelectPaymentSources;
  list.CreateDialog = [this] { return std::make_unique<TfrmCZdrojeUhradPridaj>(this); };
  AddListColumns(*list.gr1, {{"NAZOV", "Názov zdroja úhrad", 300, "a.nazov"},
                             {"DO_VYKAZU_RADY", "Do zarybňovacích zostáv", 140, "b.text", true}});
  list.FormCreate(QStringLiteral("Číselník zdrojov úhrad"), QSize(484, 343));
}

TfrmCZdrojeUhrad::~TfrmCZdrojeUhrad() = default;
