#include "app/fSPrevodRoka.h"
#include "app/AppContext.h"
#include "app/FormActions.h"
#include "app/QPLUnit.h"
#include "app/UnitOfWork.h"
#include "app/YearTransfer.h"
#include "controls/QPLBtn.h"
#include "controls/UxPlacemnt.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QVBoxLayout>

namespace {

QCheckBox* MakeBox(QWidget* parent, const char* name, const char* caption) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
  box->setObjectName(QLatin1String(name));
  box->setChecked(true);
  return box;
}

} // namespace

TfrmSPrevodRoka::TfrmSPrevodRoka(QWidget* owner, TIBDatabase* database, int year)
    : TForm(owner), database_(database ? database : MainDatabase()), year_(year) {
  setObjectName(QStringLiteral("frmSPrevodRoka"));
  SetCaption(QStringLiteral("Prevod údajov z predchádzajúceho roku"));
  SetKeyPreview(true);
  ibt1 = new TIBTransaction(database_, TIBTransactionKind::ReadCommitted, this);
  ib1 = new TIBQuery(this);
  ib2 = new TIBQuery(this);
  for (TIBQuery* query : {ib1, ib2}) {
    query->SetDatabase(database_);
    query->SetTransaction(ibt1);
  }
  fp = new TUxFormPlacement(this);
  fp->SetOptions(fpPosition);
  fp->SetUseRegistry(true);

  eReviry = MakeBox(this, "eReviry", "Prevod číselníka revírov:");
  eDruhyDokladov = MakeBox(this, "eDruhyDokladov", "Prevod číselníka druhov dokladov:");
  eCeninyTlaciva = MakeBox(this, "eCeninyTlaciva", "Prevod číselníka cenín, tlačív, platieb");
  eTypyBrigad = MakeBox(this, "eTypyBrigad", "Prevod číselníka typov brigád");
  eKrmiv = MakeBox(this, "eKrmiv", "Prevod číselníka krmív");
  btnZapis = new TQPLBtn(QStringLiteral(" &OK"), this);
  btnZapis->setObjectName(QStringLiteral("btnZapis"));
  btnNezapis = new TQPLBtn(QStringLiteral("&Nevykonaj"), this);
  btnNezapis->setObjectName(QStringLiteral("btnNezapis"));
  btnNezapis->SetCancel(true);
  btnNezapis->SetModalResult(mrCancel);

  auto* layout = new QVBoxLayout(this);
  for (QCheckBox* box : {eReviry, eDruhyDokladov, eCeninyTlaciva, eTypyBrigad, eKrmiv})
    layout->addWidget(box);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnZapis);
  buttons->addWidget(btnNezapis);
  layout->addLayout(buttons);
  connect(btnZapis, &QPushButton::clicked, this, &TfrmSPrevodRoka::btnZapisClick);
}

QList<TfrmSPrevodRoka::TList> TfrmSPrevodRoka::Lists() const {
  return {{eReviry, "C_REVIRY_JUX", "CISLO", true},
          {eDruhyDokladov, "C_DRUHY_DOKLADOV", "SKRATKA", true},
          {eCeninyTlaciva, "C_CENINY", "NAZOV", true},
          {eTypyBrigad, "C_TYPY_BRIGAD", "NAZOV", false},
          {eKrmiv, "C_KRMIV", "NAZOV", false}};
}

void TfrmSPrevodRoka::FormShow() { eReviry->setFocus(); }

void TfrmSPrevodRoka::SetButtonsEnabled(bool on) {
  setEnabled(on);
  btnZapis->setEnabled(on);
  btnNezapis->setEnabled(on);
}

void TfrmSPrevodRoka::btnZapisClick() {
  SetButtonsEnabled(false);
  struct Enable {
    TfrmSPrevodRoka* form;
    ~Enable() { form->SetButtonsEnabled(true); }
  } enable{this};
  RunUnitOfWork(*ibt1, [this] {
    QList<qint64> grounds;
    for (const TList& list : Lists()) {
      if (!list.box->isChecked()) continue;
      const QString table = QLatin1String(list.table);
      if (!list.allColumns)
        YearTransfer::CopyNames(*ib1, table, year_);
      else if (list.box == eReviry)
        grounds = YearTransfer::CopyRows(*ib1, *ib2, table, QLatin1String(list.keyColumn), year_);
      else
        YearTransfer::CopyRows(*ib1, *ib2, table, QLatin1String(list.keyColumn), year_);
    }
    // After the price list, so that this run's copied prices are found too.
    YearTransfer::TranslatePriceReferences(*ib2, grounds, year_);
  });
  SetModalResult(mrOk);
}

bool TfrmSPrevodRoka::FormKeyDown(QKeyEvent* event) {
  return SaveCancelKeyDown(
      event, [this] { SetModalResult(mrCancel); }, [this] { btnZapisClick(); });
}
