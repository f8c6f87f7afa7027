#pragma once
#include "reports/designer/rpInspProps.h"
#include <QtCore/QHash>
#include <QtWidgets/QWidget>
#include <functional>

class QComboBox;
class QLineEdit;
class QListWidget;
class QScrollArea;
class QToolButton;
class TrpInspRows;

// The object inspector: the selected object's properties as rows of name and
// value. The value is typed, picked from a list, stepped by a double click
// or given by the property's editor; every committed value goes back to the
// designer through OnPropertyModified.
class TrpInspForm : public QWidget {
  Q_OBJECT
public:
  explicit TrpInspForm(QWidget* designer);

  TrpInspProps& Props() { return props_; }
  void ClearProperties() { props_.Clear(); }
  void AddProperty(TProp prop) { props_.Add(std::move(prop)); }
  // Shows the rows after the designer filled them.
  void ItemsChanged();
  // The value of a row from its text; raises ErpConversionError.
  QVariant GetPropValue(int index) const { return props_.Row(index).Value(); }
  void SetItemIndex(int index);
  // Commits a text to the selected row.
  void ApplyEditText(const QString& text);
  // A double click on the selected row's value.
  void ValueDoubleClick();
  // Opens or closes the value list of the selected row.
  void ToggleValueList();

  // Rolls the window up to its caption (above 30 pixels high), or back down.
  void RollUp();
  bool RolledUp() const { return height() < 20; }
  // Shows the window, unrolled.
  void ShowInspector();
  // The name a row shows: its localized text while the engine's locale asks
  // for localized names and one is known, else the name itself.
  QString DisplayName(const QString& name) const;

  int SplitPos() const { return splitPos_; }
  void SetSplitPos(int pos);
  int RowHeight() const { return rowHeight_; }
  QString ObjectName;
  bool HideProperties = false;

  std::function<void(int index)> OnPropertyModified;
  std::function<void(QStringList& names)> OnGetObjectNames;
  std::function<void(const QString& name)> OnObjectSelected;
  std::function<void(TrpInspForm* inspector)> OnHeightChanged;

  QComboBox* CB1;
  QLineEdit* Edit1;
  QToolButton* EditBtn;
  QToolButton* ComboBtn;
  QListWidget* ValueList;

protected:
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  friend class TrpInspRows;
  void LayoutRow();
  void FillObjectNames();
  void PickFromList();

  TrpInspProps props_;
  QScrollArea* box_;
  TrpInspRows* rows_;
  int splitPos_ = 75;
  int rowHeight_ = 16;
  bool fillingCombo_ = false;
  int savedHeight_ = 320;
  QHash<QString, QString> localizedNames_;
};
