#include "registers/common/PrintProtocol.h"
#include "app/AppContext.h"
#include "app/MyUnits.h"
#include "app/MyUnitsForms.h"
#include "app/PrintForm.h"
#include "app/QPLUnit.h"
#include "app/UnitOfWork.h"
#include "controls/DbGridQPL.h"
#include "controls/fWaitPlease.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "registers/common/ListPattern.h"
#include <QtCore/QScopeGuard>
#include <QtGui/QGuiApplication>
#include <functional>
#include <stdexcept>

namespace {
const QString kSettingsCategory = QStringLiteral(" Nastavenia");

void PrepareQuery(TIBQuery& query, const QStringList& lines, const QVariantMap& params, const QString& tag) {
  query.SetSQL(lines.join(QLatin1Char('\n')));
  for (auto it = params.begin(); it != params.end(); ++it)
    query.ParamByName(it.key()).SetValue(it.value());
  if (TIBParam* zaradenie = query.FindParam(QStringLiteral("ZARADENIE"))) zaradenie->SetValue(tag);
}

// A value as a constant of the report language: numbers bare, anything else quoted text.
QString ReportConstant(const QVariant& value) {
  switch (value.typeId()) {
  case QMetaType::Int:
  case QMetaType::UInt:
  case QMetaType::LongLong:
  case QMetaType::ULongLong:
  case QMetaType::Short:
  case QMetaType::UShort:
    return QString::number(value.toLongLong());
  case QMetaType::Double:
  case QMetaType::Float:
    return QString::number(value.toDouble(), 'g', 15);
  default:
    return ReportStringLiteral(value.toString());
  }
}

void SetCategory(IPrintForm& report, const TRegisterPrint::TVariableCategory& category) {
  report.SetVariable(category.Name, QStringLiteral("''"));
  for (const TRegisterPrint::TVariable& variable : category.Variables)
    report.SetVariable(variable.Name, ReportConstant(variable.Value));
}

// Runs on the print form's first query, which is prepared again for its data set afterwards.
TRegisterPrint::TVariableCategory ReadQueryVariables(IPrintForm& report, const TRegisterPrint::TQueryVariables& source,
                                                     const QString& tag) {
  TIBQuery& query = report.Query(1);
  PrepareQuery(query, source.Sql, source.Params, tag);
  query.Open();
  TRegisterPrint::TVariableCategory category{source.Category, {}};
  for (const auto& [column, variable] : source.Columns)
    category.Variables.append({variable, query.FieldByName(column).AsVariant()});
  query.Close();
  return category;
}

// " Nastavenia" (the year first, then the print's own), the organisation, the
// print's other categories, then those read from queries.
void SetVariables(IPrintForm& report, const TRegisterPrint& print, quint16 rok) {
  if (!print.YearVariable && !print.OrganizationVariables && print.Variables.isEmpty() &&
      print.QueryVariables.isEmpty())
    return;
  report.ClearVariables();
  TRegisterPrint::TVariableCategory settings{kSettingsCategory, {}};
  if (print.YearVariable) settings.Variables.append({QStringLiteral("Rok"), QString::number(rok)});
  for (const auto& category : print.Variables)
    if (category.Name == kSettingsCategory) settings.Variables.append(category.Variables);
  if (!settings.Variables.isEmpty()) SetCategory(report, settings);
  if (print.OrganizationVariables) AddOrganizaciaVariables(report);
  for (const auto& category : print.Variables)
    if (category.Name != kSettingsCategory) SetCategory(report, category);
  for (const auto& source : print.QueryVariables)
    SetCategory(report, ReadQueryVariables(report, source, print.Tag));
}

int QueryCount(const TRegisterPrint& print) {
  return (print.MasterSql.isEmpty() ? 0 : 1 + int(print.Details.size())) + int(print.DataSets.size());
}

// Aliases, SQL and values of every query, opened in order; details are opened by the
// print form for each master row. Returns the numbers of the queries opened here.
QList<int> OpenQueries(IPrintForm& report, const TRegisterPrint& print) {
  report.ClearAliases();
  QList<int> opened;
  int number = 1;
  if (!print.MasterSql.isEmpty()) {
    report.SetAlias(QStringLiteral("ib1"), QStringLiteral("MASTER"));
    for (qsizetype i = 0; i < print.Details.size(); ++i)
      report.SetAlias(QStringLiteral("ib%1").arg(i + 2), print.Details[i].Alias);
    QCoreApplication::processEvents();
    PrepareQuery(report.Query(number), print.MasterSql, print.Params, print.Tag);
    report.Query(number).Open();
    opened.append(number++);
    for (const TRegisterPrint::TDetail& detail : print.Details) {
      PrepareQuery(report.Query(number), detail.Sql, {}, print.Tag);
      report.LinkDetail(number++);
    }
  }
  for (const TRegisterPrint::TDataSet& dataSet : print.DataSets) {
    report.SetAlias(QStringLiteral("ib%1").arg(number), dataSet.Alias);
    QCoreApplication::processEvents();
    PrepareQuery(report.Query(number), dataSet.Sql, dataSet.Params, print.Tag);
    report.Query(number).Open();
    opened.append(number++);
  }
  return opened;
}

bool NothingToPrint(IPrintForm& report, const TRegisterPrint& print, const QList<int>& opened) {
  if (opened.isEmpty()) return true;
  if (print.NoData == TRegisterPrint::TNoData::FirstEmpty) return report.Query(opened.first()).IsEmpty();
  if (print.NoData == TRegisterPrint::TNoData::LastEmpty) return report.Query(opened.last()).IsEmpty();
  for (int number : opened)
    if (!report.Query(number).IsEmpty()) return false;
  return true;
}
} // namespace

TRegisterPrint TRegisterPrint::Of(const QString& tag, const QString& title, const QString& templateName) {
  TRegisterPrint print;
  print.Tag = tag;
  print.Title = title;
  print.Template = templateName;
  return print;
}

QString SelectionSetWhere() {
  return QStringLiteral("where x.connection_id=current_connection and x.zaradenie=:ZARADENIE");
}

namespace {
// The protocol itself; `storeSelection` runs once the print form exists,
// before the print's transaction starts, so that its snapshot sees the set.
bool RunRegisterPrint(const TRegisterPrint& print, quint16 rok, const std::function<void()>& storeSelection) {
  if (QueryCount(print) > TRegisterPrint::kMaxQueries)
    throw std::invalid_argument("a register print has more queries than the print form holds");
  std::unique_ptr<IPrintForm> report = CreatePrintForm();
  if (!report) {
    MessageDlg(QStringLiteral("Tlačový formulár nie je k dispozícii."), TMsgDlgType::Warning, mbOK, mrOk);
    return false;
  }
  ShowWaitForm();
  QGuiApplication::setOverrideCursor(Qt::BusyCursor);
  bool waiting = true;
  auto endWait = [&waiting] {
    if (!waiting) return;
    waiting = false;
    QGuiApplication::restoreOverrideCursor();
    HideWaitForm();
  };
  auto stopWaiting = qScopeGuard(endWait);
  if (storeSelection) storeSelection();
  bool completed = false;
  RunUnitOfWork(
      report->Transaction(),
      [&] {
        // An error shows its message after the wait window has gone.
        auto stopWaitingFirst = qScopeGuard(endWait);
        report->SetTitle(print.Title);
        report->SetTemplateName(print.Template);
        report->LoadReport();
        SetVariables(*report, print, rok);
        const QList<int> opened = OpenQueries(*report, print);
        endWait();
        if (NothingToPrint(*report, print, opened)) {
          ShowNoDataToPrint();
          return;
        }
        report->ShowModal();
        completed = report->Completed();
      },
      TWorkEnd::KeepOpen);
  return completed;
}
} // namespace

bool PrintRegister(TListPattern& list, const TRegisterPrint& print) {
  return RunRegisterPrint(print, list.Rok, [&] { TempSpracujStoreGrid(*list.gr1, print.Tag, print.AllRows); });
}

bool PrintRegister(const TRegisterPrint& print, quint16 rok) { return RunRegisterPrint(print, rok, {}); }
