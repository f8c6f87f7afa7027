#include "reports/objects/rpDictionaryForm.h"
#include "reports/engine/rpView.h"
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>

TDictionaryForm::TDictionaryForm(QWidget* parent) : TForm(parent) {
  setObjectName(QStringLiteral("TDictionaryForm"));
  SetCaption(QStringLiteral("Dictionary editor"));
  setFixedSize(400, 300);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setGeometry(8, 8, 384, 246);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  OkButton = new QPushButton(QStringLiteral("Ok"), this);
  OkButton->setGeometry(224, 264, 80, 26);
  CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  CancelButton->setGeometry(312, 264, 80, 26);
  connect(OkButton, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
  connect(CancelButton, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
}

bool TDictionaryForm::Edit(const QStringList& lines) {
  Memo1->setPlainText(lines.join(QLatin1Char('\n')));
  return ShowModal() == mrOk;
}

QStringList TDictionaryForm::Lines() const { return rpSplitLines(Memo1->toPlainText()); }
