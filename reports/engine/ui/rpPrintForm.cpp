#include "reports/engine/ui/rpPrintForm.h"
#include "core/Exception.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpControlUtils.h"
#include <QtGui/QIntValidator>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

namespace {

// One sheet with its page number in the corner that stays in sight when sheets overlap.
void DrawSheet(QPainter& p, int x, int y, int number) {
  const QRect sheet(x, y, 18, 22);
  p.setPen(Qt::black);
  p.setBrush(Qt::white);
  p.drawRect(sheet);
  p.drawText(sheet.adjusted(9, 1, -1, -11), Qt::AlignCenter, QString::number(number));
}

// Two stacks 1-2-3 (collated) or three stacks 1-1, 2-2, 3-3; the sheets
// behind stand up and to the right.
class TCollatePicture : public QWidget {
public:
  TCollatePicture(QCheckBox* collate, QWidget* parent) : QWidget(parent), collate_(collate) { setFixedSize(104, 56); }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), palette().button());
    QFont small = font();
    small.setPixelSize(9);
    p.setFont(small);
    const auto stack = [&p](int x, const QList<int>& numbers) { // front sheet first
      for (qsizetype i = numbers.size() - 1; i >= 0; --i)
        DrawSheet(p, x + int(i) * 9, 30 - int(i) * 9, numbers[i]);
    };
    if (collate_->isChecked()) {
      stack(4, {1, 2, 3});
      stack(52, {1, 2, 3});
    } else {
      stack(4, {1, 1});
      stack(36, {2, 2});
      stack(68, {3, 3});
    }
  }

private:
  QCheckBox* collate_;
};

} // namespace

TrpPrintForm::TrpPrintForm(QWidget* parent) : TForm(parent) {
  SetCaption(rpLoadStr(53040));
  GroupBox1 = new QGroupBox(rpLoadStr(53041), this);
  Label4 = new QLabel(rpLoadStr(53049), GroupBox1);
  CB1 = new QComboBox(GroupBox1);
  CB1->setIconSize(QSize(18, 16));
  CB1->setPlaceholderText(rpLoadStr(55007));
  Label4->setBuddy(CB1);
  PropButton = new QPushButton(rpLoadStr(53042), GroupBox1);

  GroupBox3 = new QGroupBox(rpLoadStr(53043), this);
  Label1 = new QLabel(rpLoadStr(53050), GroupBox3);
  E1 = new QLineEdit(QStringLiteral("1"), GroupBox3);
  E1->setValidator(new QIntValidator(1, kMaxPrintCopies, E1));
  E1->setMaximumWidth(60);
  Label1->setBuddy(E1);
  rpSpeedButton1 = new QToolButton(GroupBox3);
  rpSpeedButton1->setArrowType(Qt::UpArrow);
  rpSpeedButton2 = new QToolButton(GroupBox3);
  rpSpeedButton2->setArrowType(Qt::DownArrow);
  CollateCB = new QCheckBox(GroupBox3);
  CollateCB->setChecked(true);
  Label3 = new QLabel(rpLoadStr(53051), GroupBox3);
  Label3->setBuddy(CollateCB);
  Label3->installEventFilter(this);
  PB1 = new TCollatePicture(CollateCB, GroupBox3);

  GroupBox2 = new QGroupBox(rpLoadStr(53044), this);
  RB1 = new QRadioButton(rpLoadStr(53045), GroupBox2);
  RB1->setChecked(true);
  RB2 = new QRadioButton(rpLoadStr(53046), GroupBox2);
  RB3 = new QRadioButton(rpLoadStr(53047), GroupBox2);
  E2 = new QLineEdit(GroupBox2);
  E2->installEventFilter(this);
  Label2 = new QLabel(rpLoadStr(53048), GroupBox2);
  Label2->setWordWrap(true);
  Label5 = new QLabel(rpLoadStr(53052), this);
  CB2 = new QComboBox(this);
  CB2->addItems({rpLoadStr(53053), rpLoadStr(53054), rpLoadStr(53055)});
  CB2->setCurrentIndex(0);
  Label5->setBuddy(CB2);
  Button1 = new QPushButton(rpLoadStr(55000), this);
  Button1->setDefault(true);
  Button2 = new QPushButton(rpLoadStr(55001), this);

  auto* printerRow = new QHBoxLayout(GroupBox1);
  printerRow->addWidget(Label4);
  printerRow->addWidget(CB1, 1);
  printerRow->addWidget(PropButton);

  auto* copies = new QGridLayout(GroupBox3);
  copies->addWidget(Label1, 0, 0);
  copies->addWidget(E1, 0, 1);
  auto* arrows = new QVBoxLayout;
  arrows->setSpacing(0);
  arrows->addWidget(rpSpeedButton1);
  arrows->addWidget(rpSpeedButton2);
  copies->addLayout(arrows, 0, 2);
  auto* collateRow = new QHBoxLayout;
  collateRow->addWidget(CollateCB);
  collateRow->addWidget(Label3);
  collateRow->addStretch();
  copies->addLayout(collateRow, 1, 0, 1, 3);
  copies->addWidget(PB1, 0, 3, 2, 1);

  auto* range = new QGridLayout(GroupBox2);
  range->addWidget(RB1, 0, 0);
  range->addWidget(RB2, 1, 0);
  range->addWidget(RB3, 2, 0);
  range->addWidget(E2, 2, 1);
  range->addWidget(Label2, 3, 0, 1, 2);

  auto* oddEven = new QHBoxLayout;
  oddEven->setSpacing(11);
  oddEven->addWidget(Label5);
  oddEven->addWidget(CB2);
  oddEven->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GroupBox1);
  auto* middle = new QHBoxLayout;
  middle->addWidget(GroupBox2, 1);
  middle->addWidget(GroupBox3);
  layout->addLayout(middle);
  layout->addLayout(oddEven);
  layout->addLayout(buttons);

  // The system's printers without the virtual one, which stands for a PDF file.
  TrpPrinter& printer = rpPrinter();
  const QIcon icon = rpPrinterIcon();
  for (int i = 0; i < printer.VirtualPrinterIndex; ++i)
    CB1->addItem(icon, printer.Printers[i]);
  rememberedPrinter_ = printer.PrinterIndex;
  CB1->setCurrentIndex(printer.IsVirtual() ? -1 : printer.PrinterIndex);
  PropButton->setEnabled(CB1->count() > 0);

  connect(CB1, &QComboBox::activated, this, &TrpPrintForm::CB1Change);
  connect(PropButton, &QPushButton::clicked, this, &TrpPrintForm::PropButtonClick);
  connect(rpSpeedButton1, &QToolButton::clicked, this, [this] { StepCopies(1); });
  connect(rpSpeedButton2, &QToolButton::clicked, this, [this] { StepCopies(-1); });
  connect(CollateCB, &QCheckBox::toggled, PB1, qOverload<>(&QWidget::update));
  connect(E2, &QLineEdit::textEdited, this, [this] { RB3->setChecked(true); });
  connect(RB3, &QRadioButton::clicked, this, [this] { E2->setFocus(); });
  connect(Button1, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
  connect(Button2, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
}

void TrpPrintForm::Preset(const TrpPrintSettings& settings, int currentPage) {
  currentPage_ = currentPage;
  E1->setText(QString::number(std::clamp(settings.Copies, 1, kMaxPrintCopies)));
  CollateCB->setChecked(settings.Collate);
  RB2->setEnabled(currentPage > 0);
  E2->setText(settings.PageList);
  (settings.PageList.isEmpty() ? RB1 : RB3)->setChecked(true);
  CB2->setCurrentIndex(std::clamp(settings.OddEven, 0, 2));
}

TrpPrintSettings TrpPrintForm::Settings() const {
  TrpPrintSettings settings;
  if (RB2->isChecked() && currentPage_ > 0)
    settings.PageList = QString::number(currentPage_);
  else if (RB3->isChecked())
    settings.PageList = E2->text();
  settings.Copies = Copies();
  settings.Collate = CollateCB->isChecked();
  settings.OddEven = CB2->currentIndex();
  return settings;
}

int TrpPrintForm::Copies() const {
  // The validator lets only a count through; an emptied edit means one copy.
  const int copies = E1->text().toInt();
  return copies < 1 ? 1 : copies;
}

void TrpPrintForm::StepCopies(int step) {
  E1->setText(QString::number(std::clamp(Copies() + step, 1, kMaxPrintCopies)));
}

void TrpPrintForm::CB1Change(int index) { rpPrinter().SetPrinterIndex(index); }

void TrpPrintForm::PropButtonClick() { rpPrinter().PropertiesDlg(); }

void TrpPrintForm::FormCloseQuery(bool& canClose) {
  if (ModalResult() != mrOk || !RB3->isChecked()) return;
  // A page list that is not one is said at once, and the dialog stays.
  try {
    rpParsePageList(E2->text(), 1);
  } catch (const Exception& e) {
    rpGlobals().ErrorBox(e.Message(), rpLoadStr(55206));
    E2->setFocus();
    canClose = false;
  }
}

void TrpPrintForm::FormClose(TCloseAction& action) {
  if (ModalResult() != mrOk) rpPrinter().SetPrinterIndex(rememberedPrinter_);
}

bool TrpPrintForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label3 && event->type() == QEvent::MouseButtonPress) {
    CollateCB->toggle();
    return true;
  }
  if (watched == E2 && event->type() == QEvent::FocusIn) RB3->setChecked(true);
  return TForm::eventFilter(watched, event);
}

bool rpExecPrintForm(TrpPrintSettings& settings, int currentPage) {
  TrpPrintForm form;
  form.Preset(settings, currentPage);
  if (form.ShowModal() != mrOk) return false;
  settings = form.Settings();
  return true;
}
