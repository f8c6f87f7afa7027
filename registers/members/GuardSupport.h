#pragma once
#include "registers/common/RegisterLayout.h"
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QWidget>

class TIBComboBox;
class TSpeedButton;

// A lookup of the fishing guards over the view v_clenov_rs (name with badge,
// or badge with name), searched by the folded shown text.
void SetupGuardCombo(TIBComboBox& combo);

// Rows of labelled controls for the fishing-guard dialogs, created in tab
// order, with a third column for a picker button or a note beside a control.
class TGuardRows {
public:
  explicit TGuardRows(QWidget& parent) : widget_(new QWidget(&parent)), grid_(new QGridLayout(widget_)) {
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setColumnStretch(1, 1);
  }
  // A control named `name` on a new row labelled `label`; a line edit takes `maxLength`.
  template <class T> T* Add(const QString& label, const QString& name, int maxLength = 0) {
    auto* caption = new QLabel(label, widget_);
    auto* control = new T(widget_);
    control->setObjectName(name);
    control->setFont(TRegisterLayout::EntryFont());
    if constexpr (std::is_base_of_v<QLineEdit, T>)
      if (maxLength > 0) control->setMaxLength(maxLength);
    caption->setBuddy(control);
    grid_->addWidget(caption, row_, 0);
    grid_->addWidget(control, row_, 1);
    ++row_;
    return control;
  }
  // Puts `extra` beside the control of the last row.
  void Beside(QWidget* extra) { grid_->addWidget(extra, row_ - 1, 2); }
  // A note beside the control of the last row.
  void Note(const QString& text) { Beside(new QLabel(text, widget_)); }
  // The "..." picker button beside the combo of the last row over the list
  // form `formName`; a double-click and Ctrl+Enter in the combo run it too.
  TSpeedButton* Picker(TIBComboBox& combo, const QString& name, const QString& formName);
  QWidget* Widget() const { return widget_; }

private:
  QWidget* widget_;
  QGridLayout* grid_;
  int row_ = 0;
};
