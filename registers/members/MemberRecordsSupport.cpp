#include "registers/members/MemberRecordsSupport.h"
#include "app/AppContext.h"
#include "app/FormRegistry.h"
#include "app/MyUnits.h"
#include "app/MyUnitsForms.h"
#include "app/PrintForm.h"
#include "app/QPLUnit.h"
#include "controls/DbGridQPL.h"
#include "controls/IBComboBox.h"
#include "controls/IBDate.h"
#include "controls/fWaitPlease.h"
#include "core/DateTime.h"
#include "core/ui/Form.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "registers/common/ListPattern.h"
#include "registers/common/RegisterLayout.h"
#include <QtGui/QGuiApplication>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QToolButton>
#include <memory>

TPickerRow::TPickerRow(QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  Combo = new TIBComboBox(this);
  Button = new QToolButton(this);
  Button->setText(QStringLiteral("..."));
  Button->setFocusPolicy(Qt::NoFocus);
  row->addWidget(Combo, 1);
  row->addWidget(Button);
  setFocusProxy(Combo);
  auto pick = [this] {
    if (OnPick) OnPick();
  };
  connect(Button, &QToolButton::clicked, this, pick);
  connect(Combo, &TIBComboBox::OnCtrlEnter, this, pick);
}

void SetupComboLook(TIBComboBox& combo) {
  combo.setFont(TRegisterLayout::EntryFont());
  combo.SetDatabase(MainDatabase());
  combo.SetSAutoAppend(true);
  combo.SetDropDownCount(30);
  combo.SetSTimerUse(true);
  combo.SetSTimerInterval(500);
}

void SetupMemberCombo(TIBComboBox& combo, bool required) {
  SetupComboLook(combo);
  combo.SetSTableName(QStringLiteral("c_clenov"));
  combo.SetSAppendFromField(QStringLiteral("nazov_uplny"));
  combo.SetSKeyField(QStringLiteral("jedin"));
  combo.SetSOrderBy(QStringLiteral("nazov_uplny"));
  combo.SetSUseBasicASCIIColumn(true);
  combo.lineEdit()->setMaxLength(75);
  combo.SetSNotFoundErrorText(1019);
  combo.SetRequired(required);
}

void SetupTextCombo(TIBComboBox& combo, const QString& table, const QString& column, int maxLength,
                    int notFoundMessage) {
  SetupComboLook(combo);
  combo.SetSTableName(table);
  combo.SetSAppendFromField(column);
  combo.SetSKeyField(column);
  // By position: the column is selected twice (shown and key), and its name
  // alone would be ambiguous to the server.
  combo.SetSOrderBy(QStringLiteral("1"));
  combo.SetSDistinct(true);
  if (maxLength > 0) combo.lineEdit()->setMaxLength(maxLength);
  combo.SetSNotFoundErrorText(notFoundMessage);
  // Without a message any new text is welcome: the list only suggests.
  combo.SetSetFocusIfNotFound(notFoundMessage != 0);
}

void SetupRevirCombo(TIBComboBox& combo, bool required) {
  SetupComboLook(combo);
  combo.SetSTableName(QStringLiteral("v_reviry_jux"));
  combo.SetSAppendFromField(QStringLiteral("nazov_uplny"));
  combo.SetSKeyField(QStringLiteral("jedin"));
  combo.SetSOrderBy(QStringLiteral("nazov_uplny"));
  combo.SetSUseBasicASCIIColumn(true);
  combo.lineEdit()->setMaxLength(75);
  combo.SetSNotFoundErrorText(1019);
  combo.SetRequired(required);
}

QVariant DateParam(const TIBDate& edit) {
  const QVariant value = edit.Date();
  if (value.isNull() || !value.isValid() || value.toDouble() == 0) return QVariant(QMetaType(QMetaType::QDate));
  return DateTime::ToDate(value.toDouble());
}

void LoadDate(TIBDate& edit, const TField& field) {
  edit.SetDate(field.IsNull() ? QVariant() : QVariant(DateTime::FromDate(field.AsVariant().toDate())));
}

QVariant KeyParam(const TIBComboBox& combo) {
  const QVariant key = combo.GetKeyValue();
  return key.isNull() || !key.isValid() ? QVariant() : key;
}

QString YearCondition(int year) { return QStringLiteral("rok=%1").arg(year); }

namespace {
void FocusNext(QWidget& from) {
  for (QWidget* w = from.nextInFocusChain(); w && w != &from; w = w->nextInFocusChain())
    if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible() && !from.isAncestorOf(w)) {
      w->setFocus(Qt::TabFocusReason);
      return;
    }
}
} // namespace

void PickInto(TIBComboBox& combo, const QString& formName, quint16 year, bool pickerVisible) {
  if (!pickerVisible) return;
  const TFormFactory factory = FormRegistry::Factory(formName);
  if (!factory) return;
  std::unique_ptr<TForm> picker(factory(combo.window(), TFormArgs{year ? year : ProgramSettings.Rok}));
  TListPattern* list = TListPattern::Of(picker.get());
  if (!list) return;
  picker->SetTag(1);
  list->btnRefreshClick();
  const QVariant key = KeyParam(combo);
  if (!key.isNull()) list->LocateKey(key.toInt());
  const bool hadFocus = combo.hasFocus();
  if (picker->ShowModal() == mrOk && list->ib1->Active() && !list->ib1->IsEmpty()) {
    combo.FindIt(list->ib1->FieldByName(QStringLiteral("jedin")).AsInteger());
    if (hadFocus) FocusNext(combo);
  } else {
    combo.setFocus();
  }
}

void RunRecordPrint(TDbGridQPL& grid, const TRecordPrint& print) {
  std::unique_ptr<IPrintForm> report = CreatePrintForm();
  if (!report) return;
  ShowWaitForm();
  QGuiApplication::setOverrideCursor(Qt::BusyCursor);
  auto restore = [] {
    QGuiApplication::restoreOverrideCursor();
    HideWaitForm();
  };
  try {
    TempSpracujStoreGrid(grid, print.Tag, true);
    BeginTransaction(report->Transaction());
    report->SetTitle(print.Title);
    report->SetTemplateName(print.Template);
    report->LoadReport();
    report->ClearAliases();
    report->SetAlias(QStringLiteral("ib1"), QStringLiteral("MASTER"));
    if (print.YearVariable || print.OrganizationVariables) report->ClearVariables();
    if (print.YearVariable) {
      report->SetVariable(QStringLiteral(" Nastavenia"), QString());
      report->SetVariable(QStringLiteral("Rok"), ReportStringLiteral(QString::number(ProgramSettings.Rok)));
    }
    if (print.OrganizationVariables) AddOrganizaciaVariables(*report);
    TIBQuery& master = report->Query(1);
    master.SetSQL(print.MasterSql.join(QLatin1Char('\n')));
    for (auto it = print.Params.begin(); it != print.Params.end(); ++it)
      master.ParamByName(it.key()).SetValue(it.value());
    QApplication::processEvents();
    master.Open();
  } catch (const std::exception& error) {
    restore();
    RollbackIfActive(report->Transaction());
    if (HandleDatabaseError(error) == 0) throw;
    return;
  }
  restore();
  if (report->Query(1).IsEmpty())
    ShowNoDataToPrint();
  else
    report->ShowModal();
}
