#pragma once
// Small registers the pattern tests stand on: a filtered list of member
// groups with a print, a dialog writing document kinds (a unique key the
// error handler reports), and a member dialog with a placeholder row.
#include "app/PrintForm.h"
#include "controls/IBEdit.h"
#include "core/ui/Form.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "registers/common/DialogForm.h"
#include "registers/common/ListForm.h"
#include "registers/common/PrintProtocol.h"
#include "registers/common/RegisterLayout.h"
#include <QtWidgets/QLayout>
#include <QtWidgets/QLineEdit>
#include <vector>

// Groups whose name begins with the filter's text.
class TfrmTestGroups : public TListForm {
public:
  TfrmTestGroups(QWidget* owner, quint16 rok) : TListForm(owner, kStandardListButtons | lbFilter | lbTlac, rok) {
    eFilter = new QLineEdit(list.pnlFilter);
    eFilter->setObjectName(QStringLiteral("eFilter"));
    list.pnlFilter->layout()->addWidget(eFilter);
    list.Table = QStringLiteral("c_clenenie_clenov");
    list.Select = [](TListQuery& q) { q.Add(QStringLiteral("select a.jedin,a.nazov from c_clenenie_clenov a")); };
    list.Filter = [this](TListQuery& q) {
      if (eFilter->text().isEmpty()) return;
      q.Where(QStringLiteral("a.nazov starting with :PREFIX"));
      q.Params[QStringLiteral("PREFIX")] = eFilter->text();
    };
    list.Print = [this] {
      PrintRegister(list, {QStringLiteral("DBD05A9C-3FA7-4662"),
                           true,
                           QStringLiteral("Zoznam skupín"),
                           QStringLiteral("Skupiny.rpf"),
                           {QStringLiteral("select a.nazov"), QStringLiteral("from temp_spracuj x"),
                            QStringLiteral("left join c_clenenie_clenov a on a.jedin=x.cislo"),
                            QStringLiteral("where x.connection_id=current_connection and x.zaradenie=:ZARADENIE"),
                            QStringLiteral("order by a.nazov")},
                           {},
                           {}});
    };
    list.gr1->AddColumn(QStringLiteral("NAZOV"), QStringLiteral("Názov"), 200)->OrderBy = QStringLiteral("a.nazov");
    list.FormCreate(QStringLiteral("Skupiny"), QSize(300, 300));
  }
  QLineEdit* eFilter;
};

// Document kinds of the working year; the abbreviation is unique per year in the database.
class TfrmTestKindPridaj : public TDialogForm {
public:
  explicit TfrmTestKindPridaj(QWidget* owner = nullptr) : TDialogForm(owner) {
    TRegisterLayout controls(*this);
    eDBSkratka = controls.Add<TIBEdit>(QStringLiteral("eDBSkratka"), 5);
    dlg.AddCaption = QStringLiteral("Pridanie druhu dokladu");
    dlg.EditCaption = QStringLiteral("Oprava druhu dokladu");
    dlg.Table = QStringLiteral("C_DRUHY_DOKLADOV");
    dlg.PerYear = true;
    dlg.Rok = 2026;
    dlg.Field(QStringLiteral("SKRATKA"), eDBSkratka).Required();
    dlg.Field(QStringLiteral("TYP")).WrittenOnly().InsertOnly().Saves([] { return 1; });
    dlg.SaveFailed = [this](int handled) { failures.push_back(handled); };
    dlg.FormCreate(controls.Widget(), QSize(200, 60));
  }
  TIBEdit* eDBSkratka;
  std::vector<int> failures;
};

// A member whose row exists while the dialog is open in add mode.
class TfrmTestMemberPridaj : public TDialogForm {
public:
  explicit TfrmTestMemberPridaj(QWidget* owner = nullptr) : TDialogForm(owner) {
    TRegisterLayout controls(*this);
    eDBPriezvisko = controls.Add<TIBEdit>(QStringLiteral("eDBPriezvisko"), 30);
    dlg.AddCaption = QStringLiteral("Pridanie člena");
    dlg.EditCaption = QStringLiteral("Oprava člena");
    dlg.Table = QStringLiteral("C_CLENOV");
    dlg.HasPlaceholder = true;
    dlg.Field(QStringLiteral("PRIEZVISKO"), eDBPriezvisko).Required();
    dlg.Field(QStringLiteral("SKOLENIE_USKUTOCNENE")).WrittenOnly().Placeholder(0).Saves([] { return 0; });
    dlg.Field(QStringLiteral("BRIGADA_VYZADOVAT")).WrittenOnly().Placeholder(0).Saves([] { return 0; });
    dlg.FormCreate(controls.Widget(), QSize(200, 60));
  }
  TIBEdit* eDBPriezvisko;
};

// A print form that keeps what a print handed it and the rows it showed.
struct TRecordedPrint {
  QString Title, Template;
  QList<std::pair<QString, QString>> Aliases;
  QList<std::pair<QString, QString>> Variables; // in order, overwrites in place
  QStringList Rows;                             // ib1's first column
  QMap<int, QStringList> QueryRows;             // the first column of every open query, by number
  QMap<int, QString> Sql;                       // the SQL of every open query, by number
  bool Shown = false;
};

class TRecordingPrintForm : public IPrintForm {
public:
  explicit TRecordingPrintForm(std::vector<TRecordedPrint>& log)
      : log_(log), transaction_(MainDatabase(), TIBTransactionKind::Snapshot) {
    for (TIBQuery& q : queries_) {
      q.SetDatabase(MainDatabase());
      q.SetTransaction(&transaction_);
    }
    log_.emplace_back();
  }
  TIBTransaction& Transaction() override { return transaction_; }
  TIBQuery& Query(int number) override { return queries_[number - 1]; }
  void LinkDetail(int) override {}
  void SetTitle(const QString& title) override { Last().Title = title; }
  void SetTemplateName(const QString& name) override { Last().Template = name; }
  void LoadReport() override {}
  void ClearAliases() override { Last().Aliases.clear(); }
  void SetAlias(const QString& name, const QString& alias) override { Last().Aliases.append({name, alias}); }
  void ClearVariables() override { Last().Variables.clear(); }
  void SetVariable(const QString& name, const QString& value) override {
    for (auto& variable : Last().Variables)
      if (variable.first == name) {
        variable.second = value;
        return;
      }
    Last().Variables.append({name, value});
  }
  void ShowModal() override {
    Last().Shown = true;
    for (int number = 1; number <= 6; ++number) {
      TIBQuery& q = queries_[number - 1];
      if (!q.Active()) continue;
      Last().Sql[number] = q.SQL();
      QStringList& rows = Last().QueryRows[number];
      for (q.First(); !q.Eof(); q.Next())
        rows.append(q.FieldByNumber(0).AsString());
    }
    Last().Rows = Last().QueryRows.value(1);
  }

private:
  TRecordedPrint& Last() { return log_.back(); }
  std::vector<TRecordedPrint>& log_;
  TIBTransaction transaction_;
  TIBQuery queries_[6];
};
