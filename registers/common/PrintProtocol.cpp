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

namespace {
void PrepareQuery(TIBQuery& query, const QStringList& lines, const QVariantMap& params, const QString& tag) {
  query.SetSQL(lines.join(QLatin1Char('\n')));
  for (auto it = params.begin(); it != params.end(); ++it)
    query.ParamByName(it.key()).SetValue(it.value());
  if (TIBParam* zaradenie = query.FindParam(QStringLiteral("ZARADENIE"))) zaradenie->SetValue(tag);
}
} // namespace

QString SelectionSetWhere() {
  return QStringLiteral("where x.connection_id=current_connection and x.zaradenie=:ZARADENIE");
}

bool PrintRegister(TListPattern& list, const TRegisterPrint& print) {
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
  // Stored before the print's transaction starts, so that its snapshot sees the set.
  TempSpracujStoreGrid(*list.gr1, print.Tag, print.AllRows);
  bool completed = false;
  RunUnitOfWork(
      report->Transaction(),
      [&] {
        // An error shows its message after the wait window has gone.
        auto stopWaitingFirst = qScopeGuard(endWait);
        report->SetTitle(print.Title);
        report->SetTemplateName(print.Template);
        report->LoadReport();
        report->ClearAliases();
        report->SetAlias(QStringLiteral("ib1"), QStringLiteral("MASTER"));
        for (qsizetype i = 0; i < print.Details.size(); ++i)
          report->SetAlias(QStringLiteral("ib%1").arg(i + 2), print.Details[i].Alias);
        if (print.YearVariable || print.OrganizationVariables) report->ClearVariables();
        if (print.YearVariable) {
          report->SetVariable(QStringLiteral(" Nastavenia"), QStringLiteral("''"));
          report->SetVariable(QStringLiteral("Rok"), ReportStringLiteral(QString::number(list.Rok)));
        }
        if (print.OrganizationVariables) AddOrganizaciaVariables(*report);
        QCoreApplication::processEvents();
        PrepareQuery(report->Query(1), print.MasterSql, print.Params, print.Tag);
        report->Query(1).Open();
        // A detail is opened by the print form for each master row, with the row's key.
        for (qsizetype i = 0; i < print.Details.size(); ++i) {
          const int number = int(i) + 2;
          PrepareQuery(report->Query(number), print.Details[i].Sql, {}, print.Tag);
          report->LinkDetail(number);
        }
        endWait();
        if (report->Query(1).IsEmpty()) {
          ShowNoDataToPrint();
          return;
        }
        report->ShowModal();
        completed = report->Completed();
      },
      TWorkEnd::KeepOpen);
  return completed;
}
