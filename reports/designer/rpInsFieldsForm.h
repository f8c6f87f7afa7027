#pragma once
#include <QtWidgets/QWidget>
#include <functional>

class QListWidget;
class QSplitter;
class TrpReport;

// The designer's tool window of database fields: the data sets the report's
// dictionary offers above, the fields of the selected one below. It prepares
// the reference of the chosen field (data set + "." + quoted field name).
class TrpInsFieldsForm : public QWidget {
  Q_OBJECT
public:
  TrpInsFieldsForm(TrpReport& report, QWidget* designer);
  ~TrpInsFieldsForm() override;

  // Fills both lists again, keeping the data set selected last.
  void RefreshData();
  // The reference of the selected field, e.g. MASTER."TELEFON"; empty when none.
  QString DBField() const { return dbField_; }
  void PrepareReference();

  // The window's height changed (the designer stacks it with the inspector).
  std::function<void(TrpInsFieldsForm* sender)> OnHeightChanged;

  QListWidget* DatasetsLB;
  QListWidget* FieldsLB;
  QSplitter* Splitter;

protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void FillFields();

  TrpReport& report_;
  QString dbField_;
};

// The open fields window, or null.
TrpInsFieldsForm* rpFieldsWindow();
// The data set selected last in any fields window of this run.
QString& rpLastInsFieldsDataset();
