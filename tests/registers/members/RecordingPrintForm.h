#pragma once
// A print form for the member records' tests: it runs the master query on
// the test database like the real one and keeps what a print handed it.
#include "app/AppContext.h"
#include "app/PrintForm.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include <QtCore/QVariantMap>
#include <memory>
#include <vector>

// What one print handed the print form, and the master rows it showed.
struct TRecordedPrint {
  QString Title, Template, Sql;
  QMap<QString, QString> Aliases;
  QStringList VariableNames;
  QMap<QString, QString> Variables;
  std::vector<QVariantMap> Rows; // empty when the form was not shown
  // The rows of every data set opened, by alias, their columns' texts joined by "/".
  QMap<QString, QStringList> DataSets;
  bool Shown = false;
};

class TRecordingPrintForm : public IPrintForm {
public:
  explicit TRecordingPrintForm(std::vector<TRecordedPrint>& log) : log_(log) {
    transaction_ = std::make_unique<TIBTransaction>(MainDatabase(), TIBTransactionKind::ReadCommitted);
    for (auto& q : queries_) {
      q = std::make_unique<TIBQuery>();
      q->SetDatabase(MainDatabase());
      q->SetTransaction(transaction_.get());
    }
    log_.emplace_back();
  }
  TIBTransaction& Transaction() override { return *transaction_; }
  TIBQuery& Query(int number) override { return *queries_[size_t(number - 1)]; }
  void LinkDetail(int) override {}
  void SetTitle(const QString& title) override { Last().Title = title; }
  void SetTemplateName(const QString& fileName) override { Last().Template = fileName; }
  void LoadReport() override {}
  void ClearAliases() override { Last().Aliases.clear(); }
  void SetAlias(const QString& dataSetName, const QString& alias) override { Last().Aliases[dataSetName] = alias; }
  void ClearVariables() override {
    Last().Variables.clear();
    Last().VariableNames.clear();
  }
  void SetVariable(const QString& name, const QString& value) override {
    if (!Last().Variables.contains(name)) Last().VariableNames.append(name);
    Last().Variables[name] = value;
  }
  void ShowModal() override {
    TIBQuery& q = *queries_[0];
    Last().Shown = true;
    Last().Sql = q.SQL();
    for (q.First(); !q.Eof(); q.Next()) {
      QVariantMap row;
      for (int i = 0; i < q.FieldCount(); ++i)
        row.insert(q.Fields()[size_t(i)]->FieldName().toUpper(), q.Fields()[size_t(i)]->AsVariant());
      Last().Rows.push_back(row);
    }
    for (int number = 1; number <= kQueries; ++number) {
      TIBQuery& query = *queries_[size_t(number - 1)];
      if (!query.Active()) continue;
      QStringList& rows = Last().DataSets[Last().Aliases.value(QStringLiteral("ib%1").arg(number))];
      for (query.First(); !query.Eof(); query.Next()) {
        QStringList columns;
        for (const auto& field : query.Fields())
          columns.append(field->AsVariant().toString());
        rows.append(columns.join(QLatin1Char('/')));
      }
    }
  }

  // Installs a factory that logs every print into `log`.
  static void Install(std::vector<TRecordedPrint>& log) {
    SetPrintFormFactory([&log] { return std::make_unique<TRecordingPrintForm>(log); });
  }

private:
  TRecordedPrint& Last() { return log_.back(); }
  std::vector<TRecordedPrint>& log_;
  std::unique_ptr<TIBTransaction> transaction_;
  static constexpr int kQueries = 6;
  std::unique_ptr<TIBQuery> queries_[kQueries];
};
