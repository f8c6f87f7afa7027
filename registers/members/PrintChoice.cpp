#include "registers/members/PrintChoice.h"
#include "controls/QPLBtn.h"
#include "controls/UxPlacemnt.h"
#include "core/ui/Form.h"
#include <QtGui/QKeyEvent>
#include <QtWidgets/QVBoxLayout>

TPrintChoice::TPrintChoice(TForm& form, QSize clientSize) : form_(form), layout_(new QVBoxLayout(&form)) {
  form.SetCaption(QStringLiteral("Výber tlačovej zostavy..."));
  form.SetKeyPreview(true);
  form.setMinimumSize(clientSize);
  fp_ = new TUxFormPlacement(&form);
  fp_->setObjectName(QStringLiteral("fp"));
  fp_->SetOptions(fpPosition);
  fp_->SetUseRegistry(true);
}

TQPLBtn* TPrintChoice::Button(const QString& name, const QString& caption, const std::function<void()>& print) {
  auto* button = new TQPLBtn(caption, &form_);
  button->setObjectName(name);
  QFont font = button->font();
  font.setBold(true);
  button->setFont(font);
  button->setFixedWidth(321);
  layout_->addWidget(button);
  QObject::connect(button, &QPushButton::clicked, &form_, print);
  return button;
}

bool TPrintChoice::EscCloses(TForm& form, QKeyEvent* event) {
  if (event->key() != Qt::Key_Escape ||
      (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)))
    return false;
  form.SetModalResult(mrCancel);
  return true;
}
