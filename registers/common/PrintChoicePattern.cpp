#include "registers/common/PrintChoicePattern.h"
#include "controls/QPLBtn.h"
#include "controls/UxPlacemnt.h"
#include "core/ui/Form.h"
#include <QtGui/QKeyEvent>
#include <QtWidgets/QVBoxLayout>

TPrintChoicePattern::TPrintChoicePattern(TForm& form, QSize clientSize)
    : QObject(&form), form_(form), layout_(new QVBoxLayout(&form)) {
  setObjectName(QStringLiteral("printChoicePattern"));
  form.SetCaption(QStringLiteral("Výber tlačovej zostavy..."));
  form.SetKeyPreview(true);
  form.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  form.setMinimumSize(clientSize);
  fp = new TUxFormPlacement(&form);
  fp->setObjectName(QStringLiteral("fp"));
  fp->SetOptions(fpPosition);
  fp->SetUseRegistry(true);
}

TPrintChoicePattern::~TPrintChoicePattern() = default;

TQPLBtn* TPrintChoicePattern::AddPrint(const QString& name, const TRegisterPrint& print, TListPattern& list) {
  auto* button = new TQPLBtn(print.Title, &form_);
  button->setObjectName(name);
  QFont font = button->font();
  font.setBold(true);
  button->setFont(font);
  button->setFixedWidth(321);
  layout_->addWidget(button);
  connect(button, &QPushButton::clicked, this, [print, &list] { PrintRegister(list, print); });
  return button;
}

bool TPrintChoicePattern::FormKeyDown(QKeyEvent* event) {
  if (event->key() != Qt::Key_Escape ||
      (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)))
    return false;
  form_.SetModalResult(mrCancel);
  return true;
}
