#include "reports/designer/rpCodeMemoSearch.h"
#include <QtGui/QKeyEvent>
#include <QtGui/QScreen>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

TCodeMemoSearch::TCodeMemoSearch(QWidget* parent) : TForm(parent) {
  setWindowFlag(Qt::Tool);
  SetCaption(QStringLiteral("Search"));
  SetKeyPreview(true);
  Label1 = new QLabel(QStringLiteral("Text to find"), this);
  Edit1 = new QLineEdit(this);
  Label1->setBuddy(Edit1);
  Search = new QPushButton(QStringLiteral("Search"), this);
  Search->setDefault(true);
  Button1 = new QPushButton(QStringLiteral("Cancel"), this);
  connect(Search, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
  connect(Button1, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Search);
  buttons->addWidget(Button1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(Edit1);
  layout->addLayout(buttons);
  resize(300, sizeHint().height());
}

void TCodeMemoSearch::FormShow() {
  if (const QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
  Edit1->setFocus();
  Edit1->selectAll();
}

bool TCodeMemoSearch::FormKeyDown(QKeyEvent* event) {
  if ((event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) || event->modifiers() & ~Qt::KeypadModifier)
    return false;
  SetModalResult(mrOk);
  return true;
}
