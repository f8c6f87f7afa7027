#include "app/MyUnitsForms.h"
#include "app/AppContext.h"
#include "app/MyUnits.h"
#include "app/PrintForm.h"
#include "app/QPLUnit.h"
#include "app/ToolBar.h"
#include "app/UnitOfWork.h"
#include "controls/DbGridQPL.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "controls/IBTime.h"
#include "controls/QPLBtn.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "db/ServerSql.h"
#include <QtCore/QScopeGuard>
#include <QtCore/QSet>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QWidget>

namespace {

TDataEntryControl* CheckedControl(QWidget* widget) {
  if (auto* c = qobject_cast<TIBDate*>(widget)) return c;
  if (auto* c = qobject_cast<TIBComboBox*>(widget)) return c;
  if (auto* c = qobject_cast<TIBCurrencyEdit*>(widget)) return c;
  if (auto* c = qobject_cast<TIBEdit*>(widget)) return c;
  if (auto* c = qobject_cast<TIBTime*>(widget)) return c;
  if (auto* c = qobject_cast<TIBMemo*>(widget)) return c;
  return nullptr;
}

void Bind(TIBQuery& query, const QVariantMap& params) {
  for (auto it = params.begin(); it != params.end(); ++it)
    query.ParamByName(it.key()).SetValue(it.value());
}

// Deletes the rows of the keys, each key bound to one prepared statement, all
// in one unit of work: the rows go together or none goes.
bool DeleteRowsByKey(const QString& table, const QString& keyField, const QList<int>& keys, const QString& tail) {
  TIBTransaction transaction(MainDatabase());
  TIBQuery query;
  query.SetDatabase(MainDatabase());
  query.SetTransaction(&transaction);
  return RunUnitOfWork(transaction,
                       [&] {
                         query.SetSQL(QStringLiteral("delete from ") + table + QStringLiteral(" where ") + keyField +
                                      QStringLiteral("=:KEY ") + tail);
                         for (const int key : keys) {
                           query.ParamByName(QStringLiteral("KEY")).SetValue(key);
                           query.ExecSQL();
                         }
                       })
      .Done;
}

// The frame of every selection-set writer: its own read-committed
// transaction on the main connection, one unit of work.
bool RunSelectionSetAction(const std::function<void(TIBQuery&, TIBTransaction&)>& action) {
  TIBTransaction transaction(MainDatabase(), TIBTransactionKind::ReadCommitted);
  TIBQuery query;
  query.SetDatabase(MainDatabase());
  query.SetTransaction(&transaction);
  return RunUnitOfWork(transaction, [&] { action(query, transaction); }).Done;
}

const QString kClearSet = QStringLiteral("delete from temp_spracuj where connection_id=current_connection\n"
                                         "and zaradenie=:ZARADENIE");
const QString kAddToSet = QStringLiteral("insert into temp_spracuj (jedin,cislo,zaradenie,connection_id)\nvalues (") +
                          ServerSql::NextKey(QStringLiteral("temp_spracuj_id")) +
                          QStringLiteral(",:CISLO,:ZARADENIE,current_connection)");

void ClearSet(TIBQuery& query, const QString& tag) {
  query.SetSQL(kClearSet);
  query.ParamByName(QStringLiteral("ZARADENIE")).SetValue(tag);
  query.ExecSQL();
}

void AddToSet(TIBQuery& query, int key) {
  query.ParamByName(QStringLiteral("CISLO")).SetValue(key);
  query.ExecSQL();
}

} // namespace

bool CheckRequiredInputs(QWidget& form) {
  for (QWidget* widget : form.findChildren<QWidget*>()) {
    TDataEntryControl* control = CheckedControl(widget);
    if (control && control->CanFocus() && control->ValidationFailed()) return true;
  }
  return false;
}

void SetFormReadOnly(QWidget& form) {
  static const QSet<QString> kDialogButtons = {QStringLiteral("btnDalsi"), QStringLiteral("btnZapis"),
                                               QStringLiteral("btnNezapis")};
  for (QWidget* widget : form.findChildren<QWidget*>()) {
    if (auto* c = qobject_cast<TIBComboBox*>(widget))
      c->SetReadOnly(true);
    else if (auto* c = qobject_cast<TIBCurrencyEdit*>(widget))
      c->SetReadOnly(true);
    else if (auto* c = qobject_cast<TIBEdit*>(widget))
      c->SetReadOnly(true);
    else if (auto* c = qobject_cast<TIBDate*>(widget))
      c->SetReadOnly(true);
    else if (auto* c = qobject_cast<TIBTime*>(widget))
      c->SetReadOnly(true);
    else if (auto* c = qobject_cast<TIBMemo*>(widget))
      c->SetReadOnly(true);
    else if (qobject_cast<TIBCheckBox*>(widget) || qobject_cast<TUxMemo*>(widget))
      widget->setEnabled(false);
    else if (qobject_cast<TSpeedButton*>(widget))
      widget->hide();
    else if (qobject_cast<TQPLBtn*>(widget)) {
      if (!kDialogButtons.contains(widget->objectName())) widget->setEnabled(false);
      if (widget->objectName() == QLatin1String("btnNezapis")) widget->hide();
    }
  }
}

QList<int> MarkedKeysInList(const TDbGridQPL& grid) {
  TDataSet* dataSet = grid.DataSet();
  if (grid.CheckedCount() == 0 || !dataSet || !dataSet->Active()) return {};
  const TField* keyField = dataSet->FindField(grid.KeyField());
  if (!keyField) return {};
  QSet<int> inList;
  for (int row = 0; row < dataSet->RecordCount(); ++row)
    inList.insert(dataSet->ValueAt(row, keyField->Index()).toInt());
  QList<int> keys;
  for (int key : grid.CheckedList().Keys())
    if (inList.contains(key)) keys.append(key);
  return keys;
}

bool DeleteMarkedRecords(TDbGridQPL& grid, const QString& table, const QString& tail) {
  TDataSet* dataSet = grid.DataSet();
  if (!dataSet || !dataSet->Active() || dataSet->IsEmpty()) return false;
  const TBookmark bookmark = dataSet->GetBookmark();
  const QList<int> keys = MarkedKeysInList(grid);
  grid.SetOznacNaCerveno(true);
  auto restore = qScopeGuard([&] {
    grid.SetOznacNaCerveno(false);
    grid.DisplayGrid();
    if (dataSet->Active() && !dataSet->IsEmpty() && dataSet->BookmarkValid(bookmark)) dataSet->GotoBookmark(bookmark);
  });
  const QString keyField = grid.KeyField();
  if (keys.isEmpty()) {
    if (RedMessageDlg(QStringLiteral("Naozaj vymazať označený záznam?"), TMsgDlgType::Confirmation, mbYes | mbNo, 0,
                      mrYes) != mrYes)
      return false;
    return DeleteRowsByKey(table, keyField, {dataSet->FieldByName(keyField).AsInteger()}, tail);
  }
  if (RedMessageDlg(QStringLiteral("Naozaj vymazať všetky označené záznamy?"), TMsgDlgType::Confirmation, mbYes | mbNo,
                    0, mrYes) != mrYes)
    return false;
  if (!DeleteRowsByKey(table, keyField, keys, tail)) return false;
  // Unmarks the rows of the list (the deleted ones); marks of rows that the
  // filter hid stay, as those rows were not deleted.
  grid.UncheckAll();
  return true;
}

bool RunInOwnTransaction(const std::function<void(TIBQuery&)>& work) {
  TIBTransaction transaction(MainDatabase());
  TIBQuery query;
  query.SetDatabase(MainDatabase());
  query.SetTransaction(&transaction);
  return RunUnitOfWork(transaction, [&] { work(query); }).Done;
}

bool ExecSQLInOwnTransaction(const QString& sql, const QVariantMap& params) {
  return RunInOwnTransaction([&](TIBQuery& query) {
    query.SetSQL(sql);
    Bind(query, params);
    query.ExecSQL();
  });
}

void CheckShowMarkedButton(const TDbGridQPL& grid, TToolButton& button) {
  if (button.Down() && grid.CheckedCount() == 0) {
    GrayMessageDlg(QStringLiteral("Nie je označený žiadny záznam!"), TMsgDlgType::Information, mbOK, 0, mrOk);
    button.SetDown(false);
  }
  button.SetImageIndex(button.Down() ? 8 : 7);
}

QString DefaultToolbarHint(bool large, int imageIndex) {
  const QString marked = QStringLiteral("Zobraz len označené záznamy alebo zobraz všetky záznamy (neber do úvahy "
                                        "označenie záznamu) (/,*)");
  const QString sum = QStringLiteral("Súčet hodnôt zobrazený v spodnom riadku (S)");
  const QString clearFilter = QStringLiteral("Zruš nadefinovaný filter (X)");
  const QString refresh = QStringLiteral("Obnovenie zobrazenia (R)");
  const QString add = QStringLiteral("Pridanie záznamu (P,F2)");
  const QString edit = QStringLiteral("Oprava záznamu (O,F4)");
  const QString remove = QStringLiteral("Vymazanie záznamu (DELETE,F8)");
  const QString markAll = QStringLiteral("Označ všetky záznamy (+)");
  const QString unmarkAll = QStringLiteral("Odznač všetky záznamy (-)");
  if (large) {
    switch (imageIndex) {
    case 0:
      return add;
    case 1:
      return edit;
    case 2:
      return remove;
    case 3:
      return QStringLiteral("Tlač (T)");
    case 4:
      return refresh;
    case 5:
    case 6:
      return QStringLiteral("Zmena smeru zotriedenia (A)");
    case 7:
    case 8:
      return marked;
    case 9:
      return markAll;
    case 10:
      return unmarkAll;
    case 11:
      return QStringLiteral("Ukáž záznam");
    case 12:
      return QStringLiteral("Informácie (I)");
    case 13:
      return QStringLiteral("Opakuj");
    case 14:
      return QStringLiteral("Kópia záznamu (K,F5)");
    case 15:
      return QStringLiteral("Ulož na disk");
    case 16:
      return QStringLiteral("Hľadaj v aktuálnom stĺpci (V)");
    case 17:
      return QStringLiteral("Filtrovanie záznamov (F)");
    case 18:
      return clearFilter;
    case 20:
      return sum;
    case 26:
      return QStringLiteral("Služby");
    default:
      return QString();
    }
  }
  switch (imageIndex) {
  case 3:
    return clearFilter;
  case 4:
    return refresh;
  case 5:
    return add;
  case 6:
    return edit;
  case 7:
    return remove;
  case 8:
    return QStringLiteral("Vykonaj");
  case 9:
    return sum;
  case 10:
  case 11:
    return marked;
  case 12:
    return markAll;
  case 13:
    return unmarkAll;
  default:
    return QString();
  }
}

void SetDefaultToolbarHints(TToolBar& toolBar) {
  const bool large = toolBar.Images() && toolBar.Images() == ImageList32();
  const bool small = toolBar.Images() && toolBar.Images() == ImageList16();
  if (!large && !small) return;
  toolBar.SetShowHint(true);
  for (TToolButton* button : toolBar.Buttons())
    if (button->Hint().trimmed().isEmpty()) button->SetHint(DefaultToolbarHint(large, button->ImageIndex()));
}

void TempSpracujStoreGrid(TDbGridQPL& grid, const QString& tag, bool allRows) {
  QGuiApplication::setOverrideCursor(Qt::BusyCursor);
  auto cursor = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
  TDataSet* dataSet = grid.DataSet();
  const QList<int> marked = MarkedKeysInList(grid);
  RunSelectionSetAction([&](TIBQuery& query, TIBTransaction& transaction) {
    ClearSet(query, tag);
    transaction.CommitRetaining();
    query.SetSQL(kAddToSet);
    query.ParamByName(QStringLiteral("ZARADENIE")).SetValue(tag);
    if (!dataSet || !dataSet->Active()) return;
    const int keyIndex = dataSet->FieldByName(grid.KeyField()).Index();
    QList<int> keys = marked;
    if (keys.isEmpty() && allRows) {
      for (int row = 0; row < dataSet->RecordCount(); ++row)
        keys.append(dataSet->ValueAt(row, keyIndex).toInt());
    } else if (keys.isEmpty() && !dataSet->IsEmpty()) {
      keys.append(dataSet->FieldByNumber(keyIndex).AsInteger());
    }
    // Committed row by row so that a long selection holds no locks.
    for (int key : keys) {
      AddToSet(query, key);
      transaction.CommitRetaining();
    }
  });
}

bool TempSpracujClear(const QString& tag) {
  return RunSelectionSetAction([&](TIBQuery& query, TIBTransaction&) { ClearSet(query, tag); });
}

bool TempSpracujAdd(int key, const QString& tag) {
  return RunSelectionSetAction([&](TIBQuery& query, TIBTransaction&) {
    query.SetSQL(kAddToSet);
    query.ParamByName(QStringLiteral("ZARADENIE")).SetValue(tag);
    AddToSet(query, key);
  });
}

void SetOrganizaciaVariable(IPrintForm& report, const QString& name, const QString& value) {
  report.SetVariable(QStringLiteral(" Organizacia"), QStringLiteral("''"));
  report.SetVariable(name, ReportStringLiteral(value));
}

void AddOrganizaciaVariables(IPrintForm& report) {
  const TOrganizacia& o = Organizacia;
  const std::pair<const char*, const QString*> variables[] = {{"Nazov", &o.Nazov},
                                                              {"Ulica", &o.Ulica},
                                                              {"PSC", &o.PSC},
                                                              {"Mesto", &o.Mesto},
                                                              {"ICO", &o.ICO},
                                                              {"DIC", &o.DIC},
                                                              {"ICDPH", &o.ICDPH},
                                                              {"Banka_Predcislie", &o.Banka_Predcislie},
                                                              {"Banka_Cislo", &o.Banka_Cislo},
                                                              {"Banka_Kod", &o.Banka_Kod},
                                                              {"Banka_IBAN", &o.Banka_IBAN}};
  for (const auto& [name, value] : variables)
    SetOrganizaciaVariable(report, QString::fromLatin1(name), *value);
}

namespace {

// The frame of both receipts: title, template, the organisation variables,
// the master query (and the items as ib2, following the master's JEDIN).
void PrintPermitReceipt(const QString& title, const QString& templateName, const QStringList& master,
                        const QStringList& items) {
  std::unique_ptr<IPrintForm> report = CreatePrintForm();
  if (!report) return;
  RunUnitOfWork(
      report->Transaction(),
      [&] {
        report->SetTitle(title);
        report->SetTemplateName(templateName);
        report->LoadReport();
        report->ClearAliases();
        AddOrganizaciaVariables(*report);
        report->SetAlias(QStringLiteral("ib1"), QStringLiteral("MASTER"));
        report->Query(1).SetSQL(master.join(QLatin1Char('\n')));
        report->Query(1).Open();
        if (!items.isEmpty()) {
          report->SetAlias(QStringLiteral("ib2"), QStringLiteral("DETAIL"));
          report->LinkDetail(2);
          report->Query(2).SetSQL(items.join(QLatin1Char('\n')));
          report->Query(2).Open();
        }
        report->ShowModal();
      },
      TWorkEnd::KeepOpen);
}

} // namespace

void PrintHostPermitPayment() {
  PrintPermitReceipt(QStringLiteral("Tlač platby za hosťovacie povolenie"), QStringLiteral("POV_Host.rpf"),
                     {QStringLiteral("select a.jedin,a.rok,a.cislo,a.datum,a.titul,"),
                      QStringLiteral("a.meno,a.priezvisko,a.ulica,a.psc,a.mesto,a.datum_narodenia,"),
                      QStringLiteral("b.cena,b.doplnkovy_udaj,c.nazov as platba,b.cislo_zakladnej_povolenky,"),
                      QStringLiteral("d.text as platnost,b.platnost_od,b.platnost_do,e.nazov as revir,"),
                      QStringLiteral("e.cislo as revir_cislo,f.nazov as zo_jux,g.text as typ_povolenky"),
                      QStringLiteral("from temp_spracuj x"),
                      QStringLiteral("left join e_povolenky a on a.jedin=x.cislo"),
                      QStringLiteral("left join e_povolenky2 b on b.e_povolenky=a.jedin"),
                      QStringLiteral("left join c_ceniny c on c.jedin=b.c_ceniny"),
                      QStringLiteral("left join ponuky d on d.cislo=b.platnost and d.zaradenie='platnost_povolenky'"),
                      QStringLiteral("left join c_reviry_jux e on e.jedin=b.c_reviry_jux"),
                      QStringLiteral("left join c_zo f on f.jedin=b.c_zo"),
                      QStringLiteral("left join ponuky g on g.cislo=a.typ_povolenky and g.zaradenie='typ_povolenky'"),
                      QStringLiteral("where a.typ_povolenky<>0"),
                      QStringLiteral("and x.connection_id=current_connection and x.zaradenie='74FBA026-8F7F-4A58'"),
                      QStringLiteral("order by a.rok,a.cislo")},
                     {});
}

void PrintBasicPermitPayment() {
  PrintPermitReceipt(QStringLiteral("Tlač platby za základné povolenie"), QStringLiteral("POV_Zakl.rpf"),
                     {QStringLiteral("select a.jedin,a.rok,a.cislo,a.datum,a.titul,"),
                      QStringLiteral("a.meno,a.priezvisko,a.ulica,a.psc,a.mesto,a.datum_narodenia,"),
                      QStringLiteral("b.text as typ_povolenky,a.spolu"), QStringLiteral("from temp_spracuj x"),
                      QStringLiteral("left join e_povolenky a on a.jedin=x.cislo"),
                      QStringLiteral("left join ponuky b on b.cislo=a.typ_povolenky and b.zaradenie='typ_povolenky'"),
                      QStringLiteral("where"),
                      QStringLiteral("x.connection_id=current_connection and x.zaradenie='FB1E244F-A9DE-4FD8'"),
                      QStringLiteral("order by a.rok,a.cislo")},
                     {QStringLiteral("select a.cena,a.doplnkovy_udaj,b.nazov as platba"),
                      QStringLiteral("from e_povolenky2 a"),
                      QStringLiteral("left join c_ceniny b on b.jedin=a.c_ceniny"),
                      QStringLiteral("where a.e_povolenky=:JEDIN"), QStringLiteral("order by a.jedin")});
}
