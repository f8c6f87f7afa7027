#pragma once
#include "reports/engine/ui/rpObjEditorForm.h"
#include <QtGui/QImage>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;
class TrpCrossView;

// A white panel that paints through its OnPaint handler.
class TDrawPanel : public QWidget {
  Q_OBJECT
public:
  using QWidget::QWidget;
  std::function<void(QPainter& painter)> OnPaint;

protected:
  void paintEvent(QPaintEvent* event) override;
};

// The cross-tab's editor: the data set and its fields, the row, column and
// cell field lists filled by dragging fields among them, subtotals of row and
// column fields, the functions of cell fields, and a preview of the table's
// layout. One hidden instance lives for the program's run (rpCrossForm).
class TrpCrossForm : public TrpObjEditorForm {
  Q_OBJECT
public:
  explicit TrpCrossForm(QWidget* parent = nullptr);

  // Fills the lists from the object's definition, shows the form and, with
  // OK, writes the definition back (unless the object may not be modified).
  int ShowEditor(TrpView* object) override;
  // The four definition lines of the lists.
  QStringList Definition() const;
  // The drop of the source list's item at `sourceRow` on the target list at
  // `targetRow` (-1: at the end), by the rules of the four lists.
  void DropField(QListWidget* source, int sourceRow, QListWidget* target, int targetRow);
  // Toggles "+" on the selected row or column field.
  void ToggleSubtotals();
  // The selected cell field takes the function of the box's index.
  void ChooseFunction(int index);
  void SwapRowsAndColumns();
  // Draws the layout of the table the lists define.
  void PaintPreview(QPainter& painter) const;

  QImage Image1;        // the object's 16 x 16 bitmap
  QGroupBox* GroupBox1; // "Cross-tab view"
  QGroupBox* GroupBox2; // "Cross-tab dataset"
  QComboBox* DatasetsLB;
  QListWidget* FieldsLB;
  QListWidget* ListBox2; // row fields
  QListWidget* ListBox3; // column fields
  QListWidget* ListBox4; // cell fields
  QToolButton* SpeedButton1;
  QCheckBox* CheckBox1; // "Subtotals"
  QLabel* Label1;       // "Function"
  QComboBox* ComboBox2;
  QPushButton* Button1;
  QPushButton* Button2;
  TDrawPanel* Preview;

protected:
  void FormShow() override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void SetTexts();
  void ListFields();
  void SelectIn(QListWidget* list);
  void ShowSelectionState();
  QListWidget* SelectedList() const;
  bool IsCellField(const QString& field) const;

  TrpCrossView* view_ = nullptr;
};

// The hidden editor, created on first use.
TrpCrossForm& rpCrossForm();
