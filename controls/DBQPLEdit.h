#pragma once
#include "core/Color.h"
#include <QtCore/QPointer>
#include <QtWidgets/QLineEdit>

class TDataSet;

// An edit that shows one field of a data set's current record (following
// scrolling and changes) and writes an edited text back when the data set
// can be modified. Grey, Courier 10, all text selected on entry, aqua while
// focused.
class TDBQPLEdit : public QLineEdit {
  Q_OBJECT
public:
  explicit TDBQPLEdit(QWidget* parent = nullptr);

  TDataSet* DataSet() const { return dataSet_; }
  void SetDataSet(TDataSet* dataSet);
  QString DataField() const { return dataField_; }
  void SetDataField(const QString& field);
  // A number field's format as the grid columns take it ("#,##0.00");
  // empty shows the field's own text.
  void SetDisplayFormat(const QString& format);
  TColor Color() const { return color_; }
  void SetColor(TColor color);

signals:
  void OnEnter();
  void OnExit();

protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  void ShowField();
  void WriteField();

  QPointer<TDataSet> dataSet_;
  QString dataField_;
  QString displayFormat_;
  TColor color_ = clBtnFace;
  TColor remembered_ = clBtnFace;
};
