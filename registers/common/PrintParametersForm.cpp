#include "registers/common/PrintParametersForm.h"
#include "app/AppContext.h"
#include "controls/QPLBtn.h"
#include <QtGui/QKeyEvent>
#include <QtWidgets/QBoxLayout>

TPrintParametersForm::TPrintParametersForm(QWidget* owner) : TForm(owner) { SetKeyPreview(true); }

TPrintParametersForm::TButtons TPrintParametersForm::AddButtons(QBoxLayout& layout, const TButtonsLook& look) {
  TButtons buttons{new TQPLBtn(QStringLiteral(" &OK"), this), new TQPLBtn(look.CancelCaption, this)};
  buttons.Ok->setObjectName(QStringLiteral("btnZapis"));
  buttons.Cancel->setObjectName(QStringLiteral("btnNezapis"));
  buttons.Cancel->SetCancel(look.CancelSkipsTheChecks);
  for (TQPLBtn* button : {buttons.Ok, buttons.Cancel}) {
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    if (look.Images) button->SetImages(ImageList16());
  }
  if (look.Images) {
    buttons.Ok->SetImageIndex(1);
    buttons.Cancel->SetImageIndex(2);
  }
  connect(buttons.Ok, &QPushButton::clicked, this, [this] { btnZapisClick(); });
  connect(buttons.Cancel, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(buttons.Ok);
  row->addWidget(buttons.Cancel);
  layout.addLayout(row);
  return buttons;
}

bool TPrintParametersForm::FormKeyDown(QKeyEvent* event) {
  return SaveCancelKeyDown(
      event, [this] { SetModalResult(mrCancel); }, [this] { btnZapisClick(); });
}

bool TPrintParametersForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == this && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
  }
  return TForm::eventFilter(watched, event);
}
