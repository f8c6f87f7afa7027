#pragma once
#include <QtCore/QString>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QWidget>
#include <type_traits>
#include <utility>

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
    T* control = Make<T>(widget_, name, maxLength);
    if (pending_) pending_->setBuddy(control);
    layout_->addRow(pending_, control);
    pending_ = nullptr;
    return control;
  }
  // Two controls side by side under the last label (a postcode and its
  // town); line edits take their `maxLength`.
  template <class A, class B>
  std::pair<A*, B*> AddPair(const QString& nameA, int maxLengthA, const QString& nameB, int maxLengthB = 0) {
    auto* row = new QWidget(widget_);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    A* first = Make<A>(row, nameA, maxLengthA);
    B* second = Make<B>(row, nameB, maxLengthB);
    line->addWidget(first);
    line->addWidget(second, 1);
    if (pending_) pending_->setBuddy(first);
    layout_->addRow(pending_, row);
    pending_ = nullptr;
    return {first, second};
  }
  QWidget* Widget() const { return widget_; }
  static QFont EntryFont() {
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(13);
    return font;
  }

private:
  template <class T> static T* Make(QWidget* parent, const QString& name, int maxLength) {
    auto* control = new T(parent);
    control->setObjectName(name);
    control->setFont(EntryFont());
    if constexpr (std::is_base_of_v<QLineEdit, T>)
      if (maxLength > 0) control->setMaxLength(maxLength);
    return control;
  }

  QWidget* widget_;
  QFormLayout* layout_;
  QLabel* pending_ = nullptr;
};
