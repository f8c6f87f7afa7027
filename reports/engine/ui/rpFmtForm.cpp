#include "reports/engine/ui/rpFmtForm.h"
#include "reports/engine/rpDisplayFormat.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpControlUtils.h"
#include <QtCore/QEvent>
#include <QtGui/QIntValidator>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace {

constexpr int kCategories = 5;
constexpr int kCustomKind = 4;
constexpr char16_t kDefaultSeparator = u',';

} // namespace

TrpFmtForm::TrpFmtForm(QWidget* parent) : TForm(parent) {
  SetCaption(rpLoadStr(53420));
  CatLB = new QListWidget(this);
  TypeLB = new QListWidget(this);
  Label1 = new QLabel(rpLoadStr(53422), this);
  DecEdit = new QLineEdit(this);
  DecEdit->setValidator(new QIntValidator(0, 255, DecEdit));
  DecEdit->setMaxLength(3);
  Label1->setBuddy(DecEdit);
  Label2 = new QLabel(rpLoadStr(53423), this);
  SplEdit = new QLineEdit(this);
  SplEdit->setMaxLength(1);
  SplEdit->installEventFilter(this);
  Label2->setBuddy(SplEdit);
  Label3 = new QLabel(rpLoadStr(53424), this);
  FormatEdit = new QLineEdit(this);
  Label3->setBuddy(FormatEdit);
  Button1 = new QPushButton(rpLoadStr(55000), this);
  Button1->setDefault(true);
  Button2 = new QPushButton(rpLoadStr(55001), this);
  connect(Button1, &QPushButton::clicked, this, [this] { Accept(); });
  connect(Button2, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
  connect(CatLB, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row < 0) return;
    FillKinds(row);
    TypeLB->setCurrentRow(0);
    UpdateControls();
  });
  connect(TypeLB, &QListWidget::currentRowChanged, this, [this] { UpdateControls(); });

  auto* lists = new QHBoxLayout;
  lists->addWidget(CatLB);
  lists->addWidget(TypeLB);
  auto* fields = new QGridLayout;
  fields->addWidget(Label1, 0, 0);
  fields->addWidget(DecEdit, 0, 1);
  fields->addWidget(Label2, 1, 0);
  fields->addWidget(SplEdit, 1, 1);
  fields->addWidget(Label3, 2, 0);
  fields->addWidget(FormatEdit, 2, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists);
  layout->addLayout(fields);
  layout->addLayout(buttons);
  resize(360, 300);
}

void TrpFmtForm::FormShow() {
  const QSignalBlocker blocker(CatLB);
  CatLB->clear();
  for (int category = 0; category < kCategories; ++category)
    CatLB->addItem(rpLoadStr(55130 + category));
  const int category = std::clamp(rpFormatGroup(Format), 0, kCategories - 1);
  CatLB->setCurrentRow(category);
  FillKinds(category);
  TypeLB->setCurrentRow(std::clamp(rpFormatForm(Format), 0, std::max(TypeLB->count() - 1, 0)));
  UpdateControls();
}

void TrpFmtForm::FillKinds(int category) {
  const QSignalBlocker blocker(TypeLB);
  TypeLB->clear();
  for (int kind = 0; kind <= kCustomKind; ++kind) {
    const QString text = rpLoadStr(55150 + 5 * category + kind);
    if (!text.isEmpty()) TypeLB->addItem(text);
  }
}

void TrpFmtForm::UpdateControls() {
  const bool number = CatLB->currentRow() == 1;
  rpEnableControls({Label1, Label2, DecEdit, SplEdit}, number);
  DecEdit->setText(number ? QString::number(rpFormatDecimals(Format)) : QString());
  const char16_t separator = rpFormatSeparator(Format);
  SplEdit->setText(number ? QString(QChar(separator ? separator : kDefaultSeparator)) : QString());
  const bool custom = TypeLB->currentRow() == kCustomKind;
  rpEnableControls({Label3, FormatEdit}, custom);
  FormatEdit->setText(custom ? FormatText : QString());
}

bool TrpFmtForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == SplEdit && event->type() == QEvent::FocusIn) SplEdit->selectAll();
  return TForm::eventFilter(watched, event);
}

void TrpFmtForm::Accept() {
  bool ok = false;
  // The places have 8 bits of the format.
  const int places = std::clamp(DecEdit->text().toInt(&ok), 0, 255);
  const QString separatorText = SplEdit->text();
  // The separator has 8 bits of the format; a character beyond them takes the default.
  char16_t separator = separatorText.isEmpty() ? kDefaultSeparator : separatorText.at(0).unicode();
  if (separator > 0xFF) separator = kDefaultSeparator;
  Format = rpMakeFormatCode(CatLB->currentRow(), std::max(TypeLB->currentRow(), 0), ok ? places : 0, separator);
  if (FormatEdit->isEnabled()) FormatText = FormatEdit->text();
  SetModalResult(mrOk);
}

bool rpEditDisplayFormat(const QList<TrpView*>& objects, QWidget* parent) {
  QList<TrpMemoView*> texts;
  for (TrpView* object : objects)
    if (auto* memo = dynamic_cast<TrpMemoView*>(object)) texts.append(memo);
  if (texts.isEmpty()) return false;
  TrpFmtForm form(parent);
  form.Format = texts.first()->DisplayFormatCode;
  form.FormatText = texts.first()->DisplayFormatText;
  if (form.ShowModal() != mrOk) return false;
  for (TrpMemoView* text : texts) {
    text->DisplayFormatCode = form.Format;
    text->DisplayFormatText = form.FormatText;
  }
  return true;
}
