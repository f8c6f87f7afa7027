#pragma once
#include <QtCore/QString>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QWidget>

// Lays a dialog's labelled data-entry controls out in rows, in tab order, in
// the dialogs' entry font (Courier, 13 pixels); Widget() goes to
// TDialogPattern::FormCreate.
class TRegisterLayout {
public:
  explicit TRegisterLayout(QWidget& form) : widget_(new QWidget(&form)), layout_(new QFormLayout(widget_)) {}
  // The label of the next control.
  QLabel* Label(const QString& text) {
    pending_ = new QLabel(text, widget_);
    return pending_;
  }
  // A control named `name` under the last label; a line edit takes `maxLength`.
  template <class T> T* Add(const QString& name, int maxLength = 0) {
    auto* control = new T(widget_);
    control->setObjectName(name);
    control->setFont(EntryFont());
    if constexpr (std::is_base_of_v<QLineEdit, T>)
      if (maxLength > 0) control->setMaxLength(maxLength);
    if (pending_) pending_->setBuddy(control);
    layout_->addRow(pending_, control);
    pending_ = nullptr;
    return control;
  }
  QWidget* Widget() const { return widget_; }
  static QFont EntryFont() {
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(13);
    return font;
  }

private:
  QWidget* widget_;
  QFormLayout* layout_;
  QLabel* pending_ = nullptr;
};
