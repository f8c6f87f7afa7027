#include "reports/engine/ui/rpComboEdit.h"
#include "reports/engine/ui/rpSpeedButton.h"
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>

TrpComboEdit::TrpComboEdit(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setFixedHeight(21);
  panel_ = new QWidget(this);
  button_ = new TrpSpeedButton(panel_);
  button_->SetCaption(QStringLiteral("..."));
  connect(button_, &TrpSpeedButton::clicked, this, [this] {
    lineEdit()->setFocus();
    emit ButtonClicked();
  });
  lineEdit()->installEventFilter(this);
}

QImage TrpComboEdit::Glyph() const { return button_->Glyph(); }

void TrpComboEdit::SetGlyph(const QImage& glyph) {
  button_->SetGlyph(glyph);
  button_->SetCaption(glyph.isNull() ? QStringLiteral("...") : QString());
}

bool TrpComboEdit::ButtonEnabled() const { return button_->isEnabled(); }

void TrpComboEdit::SetButtonEnabled(bool enabled) { button_->setEnabled(enabled); }

QString TrpComboEdit::ButtonHint() const { return button_->toolTip(); }

void TrpComboEdit::SetButtonHint(const QString& hint) { button_->setToolTip(hint); }

void TrpComboEdit::resizeEvent(QResizeEvent* event) {
  QComboBox::resizeEvent(event);
  // A square panel 2 pixels inside the right edge; the edit ends before it.
  const int side = height() - 4;
  panel_->setGeometry(width() - height() + 2, 2, side, side);
  button_->setGeometry(0, 0, side, side);
  QRect edit = lineEdit()->geometry();
  edit.setWidth(std::max(0, width() - height() - 4 - edit.left()));
  lineEdit()->setGeometry(edit);
}

bool TrpComboEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape) {
      // The form's default and cancel buttons hear them as dialog keys.
      QKeyEvent copy(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
      QApplication::sendEvent(window(), &copy);
      return true;
    }
  }
  return QComboBox::eventFilter(watched, event);
}
