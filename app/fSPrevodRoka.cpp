#include "app/fSPrevodRoka.h"
#include "app/AppContext.h"
#include "app/FormActions.h"
#include "app/QPLUnit.h"
#include "app/UnitOfWork.h"
#include "controls/QPLBtn.h"
#include "controls/UxPlacemnt.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "db/ServerSql.h"
#include <QtGui/QKeyEvent>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QVBoxLayout>

namespace {

// The price references of a fishing ground: season, day and week permits
// for members and for others.
const char* const priceColumns[] = {"SEZONNA", "DENNA", "TYZDENNA", "SEZONNA_CUDZI", "DENNA_CUDZI", "TYZDENNA_CUDZI"};

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
      if (!list.allColumns)
        CopyNames(list);
      else if (list.box == eReviry)
        grounds = CopyAllColumns(list);
      else
        CopyAllColumns(list);
    }
    // After the price list, so that this run's copied prices are found too.
    TranslatePriceReferences(grounds);
  });
  SetModalResult(mrOk);
}

QList<qint64> TfrmSPrevodRoka::CopyAllColumns(const TList& list) {
  // Table and column names come from the fixed list above, never from input.
  const QString table = QLatin1String(list.table);
  const QString key = QLatin1String(list.keyColumn);
  ib1->Close();
  // NOT EXISTS with a null-safe match: an empty key in the working year
  // neither blocks the whole list nor lets a row be copied twice.
  ib1->SetSQL(QStringLiteral("select * from %1 s where s.ROK=:ROK_OLD\n"
                             "and not exists (select 1 from %1 t where t.rok=:ROK and t.%2 is not distinct from s.%2)\n"
                             "order by s.jedin")
                  .arg(table, key));
  ib1->ParamByName(QStringLiteral("ROK_OLD")).SetValue(year_ - 1);
  ib1->ParamByName(QStringLiteral("ROK")).SetValue(year_);
  ib1->Open();
  QList<qint64> added;
  if (ib1->Eof()) return added;

  QStringList columns, values;
  for (const auto& field : ib1->Fields()) {
    const QString name = field->FieldName().toUpper();
    columns << name;
    values << (name == QLatin1String("JEDIN") ? QStringLiteral(":NEW_JEDIN")
               : name == QLatin1String("ROK") ? QStringLiteral(":NEW_ROK")
                                              : QLatin1Char(':') + name);
  }
  ib2->Close();
  ib2->SetSQL(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(table, columns.join(QLatin1Char(',')), values.join(QLatin1Char(','))));
  for (; !ib1->Eof(); ib1->Next()) {
    const qint64 newKey = database_->GeneratorValue(table + QStringLiteral("_ID"), 1);
    for (const QString& name : columns) {
      if (name == QLatin1String("JEDIN"))
        ib2->ParamByName(QStringLiteral("NEW_JEDIN")).SetValue(newKey);
      else if (name == QLatin1String("ROK"))
        ib2->ParamByName(QStringLiteral("NEW_ROK")).SetValue(year_);
      else
        ib2->ParamByName(name).SetValue(ib1->FieldByName(name).AsVariant());
    }
    ib2->ExecSQL();
    added << newKey;
  }
  ib1->Close();
  return added;
}

void TfrmSPrevodRoka::CopyNames(const TList& list) {
  const QString table = QLatin1String(list.table);
  ib1->Close();
  ib1->SetSQL(
      QStringLiteral("INSERT INTO %1 (JEDIN, ROK, NAZOV)\n"
                     "SELECT %2, CAST(:ROK AS SMALLINT), NAZOV\n"
                     "FROM %1 S WHERE S.ROK=:ROK_OLD AND\n"
                     "NOT EXISTS (SELECT 1 FROM %1 T WHERE T.ROK=:ROK AND T.NAZOV IS NOT DISTINCT FROM S.NAZOV)")
          .arg(table, ServerSql::NextKey(table + QStringLiteral("_ID"))));
  ib1->ParamByName(QStringLiteral("ROK")).SetValue(year_);
  ib1->ParamByName(QStringLiteral("ROK_OLD")).SetValue(year_ - 1);
  ib1->ExecSQL();
}

void TfrmSPrevodRoka::TranslatePriceReferences(const QList<qint64>& grounds) {
  if (grounds.isEmpty()) return;
  QStringList assignments;
  for (const char* column : priceColumns)
    assignments << QStringLiteral("%1 = coalesce((select first 1 n.jedin from c_ceniny n join c_ceniny o on "
                                  "o.nazov = n.nazov where o.jedin = r.%1 and n.rok = :ROK order by n.jedin), r.%1)")
                       .arg(QLatin1String(column));
  ib2->Close();
  ib2->SetSQL(QStringLiteral("update c_reviry_jux r set ") + assignments.join(QStringLiteral(", ")) +
              QStringLiteral(" where r.jedin = :JEDIN"));
  for (const qint64 ground : grounds) {
    ib2->ParamByName(QStringLiteral("ROK")).SetValue(year_);
    ib2->ParamByName(QStringLiteral("JEDIN")).SetValue(ground);
    ib2->ExecSQL();
  }
}

bool TfrmSPrevodRoka::FormKeyDown(QKeyEvent* event) {
  if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) return false;
  switch (event->key()) {
  case Qt::Key_Escape:
    SetModalResult(mrCancel);
    return true;
  case Qt::Key_F12:
    btnZapisClick();
    return true;
  default:
    return false;
  }
}
