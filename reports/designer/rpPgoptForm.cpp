#include "reports/designer/rpPgoptForm.h"
#include "reports/designer/rpDialogButtons.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/rpUtils.h"
#include <QtGui/QPainter>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

namespace {

// A sheet with a turned corner and a letter on it, upright or on its side.
QPixmap PgoptSheetPicture(bool landscape) {
  const QSize size = landscape ? QSize(56, 40) : QSize(40, 56);
  QPixmap picture(size);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  const int w = size.width() - 1, h = size.height() - 1, fold = 10;
  const QPolygon sheet({QPoint(0, 0), QPoint(w - fold, 0), QPoint(w, fold), QPoint(w, h), QPoint(0, h)});
  painter.setPen(Qt::black);
  painter.setBrush(Qt::white);
  painter.drawPolygon(sheet);
  painter.drawPolyline(QPolygon({QPoint(w - fold, 0), QPoint(w - fold, fold), QPoint(w, fold)}));
  QFont font = painter.font();
  font.setPixelSize(22);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(QRect(0, 0, w, h), Qt::AlignCenter, QStringLiteral("A"));
  return picture;
}

QLabel* PgoptLabelFor(QWidget* field, int captionId) {
  auto* label = new QLabel(rpLoadStr(captionId));
  label->setBuddy(field);
  return label;
}

} // namespace

TrpPgoptForm::TrpPgoptForm(QWidget* parent) : TForm(parent) {
  SetCaption(rpLoadStr(53390));
  PageControl = new QTabWidget(this);
  PageControl->addTab(CreatePaperTab(), rpLoadStr(53391));
  PageControl->addTab(CreateMarginsTab(), rpLoadStr(53398));
  PageControl->addTab(CreateOptionsTab(), rpLoadStr(53405));
  PageControl->addTab(CreateSourceTab(), rpLoadStr(53411));
  // Wide enough for all four tabs side by side, without scroll arrows.
  PageControl->setMinimumWidth(PageControl->tabBar()->sizeHint().width() + 16);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PageControl);
  layout->addLayout(rpOkCancelRow(this));

  const TrpPrinter& printer = rpPrinter();
  PaperCB->addItems(printer.PaperNames);
  BinCB->addItems(printer.BinNames);
  connect(PaperCB, &QComboBox::currentIndexChanged, this, [this] { ShowPaperChoice(); });
  connect(PortraitRB, &QRadioButton::toggled, this, [this] { ShowPaperChoice(); });
  connect(ColumnsUpB, &QToolButton::clicked, this, [this] { StepColumns(1); });
  connect(ColumnsDownB, &QToolButton::clicked, this, [this] { StepColumns(-1); });
}

QWidget* TrpPgoptForm::CreatePaperTab() {
  auto* tab = new QWidget;
  auto* orientation = new QGroupBox(rpLoadStr(53392), tab);
  PortraitRB = new QRadioButton(rpLoadStr(53393), orientation);
  LandscapeRB = new QRadioButton(rpLoadStr(53394), orientation);
  OrientationImage = new QLabel(orientation);
  OrientationImage->setFixedSize(60, 60);
  OrientationImage->setAlignment(Qt::AlignCenter);
  auto* choices = new QVBoxLayout;
  choices->addWidget(PortraitRB);
  choices->addWidget(LandscapeRB);
  auto* orientationRow = new QHBoxLayout(orientation);
  orientationRow->addWidget(OrientationImage);
  orientationRow->addLayout(choices, 1);

  auto* size = new QGroupBox(rpLoadStr(53395), tab);
  PaperCB = new QComboBox(size);
  PaperCB->setObjectName(QStringLiteral("PaperCB"));
  WidthE = new QLineEdit(size);
  HeightE = new QLineEdit(size);
  WidthL = PgoptLabelFor(WidthE, 53396);
  HeightL = PgoptLabelFor(HeightE, 53397);
  auto* sizeGrid = new QGridLayout(size);
  sizeGrid->addWidget(PaperCB, 0, 0, 1, 2);
  sizeGrid->addWidget(WidthL, 1, 0);
  sizeGrid->addWidget(WidthE, 1, 1);
  sizeGrid->addWidget(HeightL, 2, 0);
  sizeGrid->addWidget(HeightE, 2, 1);

  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(orientation);
  layout->addWidget(size);
  layout->addStretch();
  return tab;
}

QWidget* TrpPgoptForm::CreateMarginsTab() {
  auto* tab = new QWidget;
  auto* margins = new QGroupBox(rpLoadStr(53399), tab);
  auto* grid = new QGridLayout(margins);
  int captionId = 53400;
  int row = 0;
  for (QLineEdit** edit : {&LeftE, &TopE, &RightE, &BottomE}) {
    *edit = new QLineEdit(margins);
    (*edit)->setMaximumWidth(80);
    grid->addWidget(PgoptLabelFor(*edit, captionId++), row, 0);
    grid->addWidget(*edit, row++, 1);
  }
  StretchCB = new QCheckBox(rpLoadStr(53404), tab);
  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(margins);
  layout->addWidget(StretchCB);
  layout->addStretch();
  return tab;
}

QWidget* TrpPgoptForm::CreateOptionsTab() {
  auto* tab = new QWidget;
  auto* options = new QGroupBox(rpLoadStr(53406), tab);
  PrintToPrevCB = new QCheckBox(rpLoadStr(53407), options);
  UnlimitedHeightCB = new QCheckBox(rpLoadStr(53413), options);
  auto* optionsColumn = new QVBoxLayout(options);
  optionsColumn->addWidget(PrintToPrevCB);
  optionsColumn->addWidget(UnlimitedHeightCB);

  auto* columns = new QGroupBox(rpLoadStr(53408), tab);
  ColumnsE = new QLineEdit(columns);
  ColumnsE->setMaximumWidth(60);
  ColumnsUpB = new QToolButton(columns);
  ColumnsUpB->setArrowType(Qt::UpArrow);
  ColumnsDownB = new QToolButton(columns);
  ColumnsDownB->setArrowType(Qt::DownArrow);
  for (QToolButton* arrow : {ColumnsUpB, ColumnsDownB})
    arrow->setFixedSize(16, 12);
  GapE = new QLineEdit(columns);
  GapE->setMaximumWidth(60);
  auto* arrows = new QVBoxLayout;
  arrows->setSpacing(0);
  arrows->addWidget(ColumnsUpB);
  arrows->addWidget(ColumnsDownB);
  auto* count = new QHBoxLayout;
  count->setSpacing(0);
  count->addWidget(ColumnsE);
  count->addLayout(arrows);
  count->addStretch();
  auto* grid = new QGridLayout(columns);
  grid->addWidget(PgoptLabelFor(ColumnsE, 53409), 0, 0);
  grid->addLayout(count, 0, 1);
  grid->addWidget(PgoptLabelFor(GapE, 53410), 1, 0);
  grid->addWidget(GapE, 1, 1);

  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(options);
  layout->addWidget(columns);
  layout->addStretch();
  return tab;
}

QWidget* TrpPgoptForm::CreateSourceTab() {
  auto* tab = new QWidget;
  auto* source = new QGroupBox(rpLoadStr(53412), tab);
  BinCB = new QComboBox(source);
  BinCB->setObjectName(QStringLiteral("BinCB"));
  auto* column = new QVBoxLayout(source);
  column->addWidget(BinCB);
  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(source);
  layout->addStretch();
  return tab;
}

void TrpPgoptForm::SetFields(const TrpPageOptionsFields& fields) {
  PrintToPrevCB->setChecked(fields.PrintToPrevPage);
  StretchCB->setChecked(fields.StretchToPrintable);
  (fields.Orientation == 1 ? LandscapeRB : PortraitRB)->setChecked(true);
  PaperCB->setCurrentIndex(fields.PaperIndex);
  WidthE->setText(fields.PaperWidth);
  HeightE->setText(fields.PaperHeight);
  BinCB->setCurrentIndex(fields.BinIndex);
  LeftE->setText(fields.LeftMargin);
  TopE->setText(fields.TopMargin);
  RightE->setText(fields.RightMargin);
  BottomE->setText(fields.BottomMargin);
  ColumnsE->setText(fields.Columns);
  GapE->setText(fields.ColumnGap);
  ShowPaperChoice();
}

TrpPageOptionsFields TrpPgoptForm::Fields() const {
  TrpPageOptionsFields fields;
  fields.PrintToPrevPage = PrintToPrevCB->isChecked();
  fields.StretchToPrintable = StretchCB->isChecked();
  fields.Orientation = LandscapeRB->isChecked() ? 1 : 0;
  fields.PaperIndex = PaperCB->currentIndex();
  fields.PaperWidth = WidthE->text();
  fields.PaperHeight = HeightE->text();
  fields.BinIndex = BinCB->currentIndex();
  fields.LeftMargin = LeftE->text();
  fields.TopMargin = TopE->text();
  fields.RightMargin = RightE->text();
  fields.BottomMargin = BottomE->text();
  fields.Columns = ColumnsE->text();
  fields.ColumnGap = GapE->text();
  return fields;
}

void TrpPgoptForm::FormShow() {
  ShowPaperChoice();
  PaperCB->view()->setMinimumWidth(200);
}

void TrpPgoptForm::ShowPaperChoice() {
  OrientationImage->setPixmap(PgoptSheetPicture(LandscapeRB->isChecked()));
  const bool custom = rpPrinter().PaperCodes.value(PaperCB->currentIndex()) == kCustomPaper;
  for (QWidget* control : {static_cast<QWidget*>(WidthL), static_cast<QWidget*>(WidthE), static_cast<QWidget*>(HeightL),
                           static_cast<QWidget*>(HeightE)})
    control->setEnabled(custom);
}

void TrpPgoptForm::StepColumns(int step) {
  bool ok = false;
  const int columns = ColumnsE->text().trimmed().toInt(&ok);
  if (!ok) return;
  ColumnsE->setText(QString::number(std::max(0, columns + step)));
}

QLineEdit* TrpPgoptForm::FieldEdit(TrpPageField field) const {
  switch (field) {
  case TrpPageField::PaperWidth:
    return WidthE;
  case TrpPageField::PaperHeight:
    return HeightE;
  case TrpPageField::LeftMargin:
    return LeftE;
  case TrpPageField::TopMargin:
    return TopE;
  case TrpPageField::RightMargin:
    return RightE;
  case TrpPageField::BottomMargin:
    return BottomE;
  case TrpPageField::Columns:
    return ColumnsE;
  case TrpPageField::ColumnGap:
    return GapE;
  case TrpPageField::None:
    break;
  }
  return nullptr;
}

void TrpPgoptForm::FormCloseQuery(bool& canClose) {
  if (ModalResult() != mrOk) return;
  const TrpPageOptionsReading reading = rpReadPageOptions(Fields(), rpPrinter());
  options_ = reading.Options;
  if (options_) return;
  canClose = false;
  rpGlobals().ErrorBox(reading.Error, rpLoadStr(55206));
  if (QLineEdit* edit = FieldEdit(reading.Failed)) {
    for (int i = 0; i < PageControl->count(); ++i)
      if (PageControl->widget(i)->isAncestorOf(edit)) PageControl->setCurrentIndex(i);
    edit->setFocus();
    edit->selectAll();
  }
}
