#include "reports/designer/rpDesOptionsForm.h"
#include "reports/designer/rpDialogButtons.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpComboBox.h"
#include <QtGui/QIntValidator>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

namespace {

QGroupBox* DesOptGroup(int captionId, const QList<QWidget*>& controls) {
  auto* group = new QGroupBox(rpLoadStr(captionId));
  auto* column = new QVBoxLayout(group);
  for (QWidget* control : controls) {
    control->setParent(group);
    column->addWidget(control);
  }
  return group;
}

QComboBox* DesOptSizeBox() {
  auto* box = new QComboBox;
  box->setEditable(true);
  box->setValidator(new QIntValidator(1, 999, box));
  for (int size : {8, 9, 10, 11, 12, 14})
    box->addItem(QString::number(size));
  box->setFixedWidth(60);
  return box;
}

TrpFontComboBox* DesOptFontBox() {
  auto* box = new TrpFontComboBox;
  box->SetShowMRU(false);
  box->FillFontList();
  return box;
}

// Shows a font name, listing it first when the system has no font of that name.
void DesOptShowFont(TrpFontComboBox* box, const QString& name) {
  int index = box->findText(name, Qt::MatchFixedString);
  if (index < 0) {
    box->insertItem(0, name);
    index = 0;
  }
  box->setCurrentIndex(index);
}

void DesOptShowSize(QComboBox* box, int size) { box->setCurrentText(QString::number(size)); }

int DesOptReadSize(const QComboBox* box, int previous) {
  bool ok = false;
  const int size = box->currentText().toInt(&ok);
  return ok ? size : previous;
}

QLabel* DesOptSample() {
  auto* sample = new QLabel(QStringLiteral("AaBbCcDdEe"));
  sample->setFrameShape(QFrame::StyledPanel);
  sample->setFrameShadow(QFrame::Sunken);
  sample->setAlignment(Qt::AlignCenter);
  sample->setMinimumSize(160, 40);
  return sample;
}

void DesOptShowSample(QLabel* sample, const QComboBox* name, const QComboBox* size) {
  QFont font(name->currentText());
  font.setPointSize(DesOptReadSize(size, 10));
  sample->setFont(font);
}

} // namespace

TrpDesOptionsForm::TrpDesOptionsForm(QWidget* parent) : TForm(parent) {
  SetCaption(rpLoadStr(53280));
  PageControl = new QTabWidget(this);
  PageControl->addTab(CreateDesignerTab(), rpLoadStr(53281));
  PageControl->addTab(CreateEditorTab(), rpLoadStr(53304));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PageControl);
  layout->addLayout(rpOkCancelRow(this));
  SetEditorFonts(TrpTextEditorFonts());
}

QWidget* TrpDesOptionsForm::CreateDesignerTab() {
  auto* tab = new QWidget;
  ShowGridCB = new QCheckBox(rpLoadStr(53286));
  AlignGridCB = new QCheckBox(rpLoadStr(53287));
  Grid4RB = new QRadioButton(rpLoadStr(53289));
  Grid8RB = new QRadioButton(rpLoadStr(53290));
  Grid18RB = new QRadioButton(rpLoadStr(53291));
  PixelsRB = new QRadioButton(rpLoadStr(53294));
  MillimetresRB = new QRadioButton(rpLoadStr(53295));
  InchesRB = new QRadioButton(rpLoadStr(53296));
  ColoredButtonsCB = new QCheckBox(rpLoadStr(53288));
  EditAfterInsertCB = new QCheckBox(rpLoadStr(53298));
  BandTitlesCB = new QCheckBox(rpLoadStr(53299));
  LocalizedNamesCB = new QCheckBox(rpLoadStr(53311));
  CentreRB = new QRadioButton(rpLoadStr(53301));
  LeftRB = new QRadioButton(rpLoadStr(53302));
  RightRB = new QRadioButton(rpLoadStr(53303));

  // The object-contents box has its text beside it in a label that wraps;
  // clicking the label toggles the box as clicking a box's own text does.
  auto* drawing = new QGroupBox(rpLoadStr(53283));
  SelectionCB = new QCheckBox(drawing);
  SelectionL = new QLabel(rpLoadStr(53293), drawing);
  SelectionL->setWordWrap(true);
  SelectionL->installEventFilter(this);
  auto* drawingRow = new QHBoxLayout(drawing);
  drawingRow->addWidget(SelectionCB, 0, Qt::AlignTop);
  drawingRow->addWidget(SelectionL, 1);

  auto* grid = new QGridLayout(tab);
  grid->addWidget(DesOptGroup(53282, {ShowGridCB, AlignGridCB}), 0, 0);
  grid->addWidget(DesOptGroup(53285, {Grid4RB, Grid8RB, Grid18RB}), 0, 1);
  grid->addWidget(DesOptGroup(53284, {PixelsRB, MillimetresRB, InchesRB}), 1, 0);
  grid->addWidget(DesOptGroup(53300, {CentreRB, LeftRB, RightRB}), 1, 1);
  grid->addWidget(drawing, 2, 0, 1, 2);
  grid->addWidget(DesOptGroup(53297, {ColoredButtonsCB, EditAfterInsertCB, BandTitlesCB, LocalizedNamesCB}), 3, 0, 1,
                  2);
  grid->setRowStretch(4, 1);
  return tab;
}

QWidget* TrpDesOptionsForm::CreateEditorTab() {
  auto* tab = new QWidget;
  auto* text = new QGroupBox(rpLoadStr(53305), tab);
  ObjectFontRB = new QRadioButton(rpLoadStr(53306), text);
  FixedFontRB = new QRadioButton(rpLoadStr(53307), text);
  TextFontCB = DesOptFontBox();
  TextSizeCB = DesOptSizeBox();
  TextFontNameL = new QLabel(rpLoadStr(53308), text);
  TextFontNameL->setBuddy(TextFontCB);
  TextFontSizeL = new QLabel(rpLoadStr(53309), text);
  TextFontSizeL->setBuddy(TextSizeCB);
  TextSample = DesOptSample();
  auto* textGrid = new QGridLayout(text);
  textGrid->addWidget(ObjectFontRB, 0, 0, 1, 3);
  textGrid->addWidget(FixedFontRB, 1, 0, 1, 3);
  textGrid->addWidget(TextFontNameL, 2, 0);
  textGrid->addWidget(TextFontCB, 2, 1);
  textGrid->addWidget(TextFontSizeL, 3, 0);
  textGrid->addWidget(TextSizeCB, 3, 1, Qt::AlignLeft);
  textGrid->addWidget(TextSample, 2, 2, 2, 1);

  auto* script = new QGroupBox(rpLoadStr(53310), tab);
  ScriptFontCB = DesOptFontBox();
  ScriptSizeCB = DesOptSizeBox();
  ScriptSample = DesOptSample();
  auto* scriptGrid = new QGridLayout(script);
  auto* scriptNameL = new QLabel(rpLoadStr(53308), script);
  scriptNameL->setBuddy(ScriptFontCB);
  auto* scriptSizeL = new QLabel(rpLoadStr(53309), script);
  scriptSizeL->setBuddy(ScriptSizeCB);
  scriptGrid->addWidget(scriptNameL, 0, 0);
  scriptGrid->addWidget(ScriptFontCB, 0, 1);
  scriptGrid->addWidget(scriptSizeL, 1, 0);
  scriptGrid->addWidget(ScriptSizeCB, 1, 1, Qt::AlignLeft);
  scriptGrid->addWidget(ScriptSample, 0, 2, 2, 1);

  SyntaxCB = new QCheckBox(rpLoadStr(55651));
  DisableUndoCB = new QCheckBox(rpLoadStr(55652));
  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(text);
  layout->addWidget(script);
  layout->addWidget(DesOptGroup(55650, {SyntaxCB, DisableUndoCB}));
  layout->addStretch();

  connect(FixedFontRB, &QRadioButton::toggled, this, [this] { ShowFontChoice(); });
  for (QComboBox* box :
       {static_cast<QComboBox*>(TextFontCB), TextSizeCB, static_cast<QComboBox*>(ScriptFontCB), ScriptSizeCB})
    connect(box, &QComboBox::currentTextChanged, this, [this] { ShowFontChoice(); });
  return tab;
}

void TrpDesOptionsForm::SetSettings(const TrpDesignerSettings& settings) {
  ShowGridCB->setChecked(settings.GridShow);
  AlignGridCB->setChecked(settings.GridAlign);
  DisableUndoCB->setChecked(settings.DisableUndo);
  SyntaxCB->setChecked(settings.SyntaxHighlight);
  ColoredButtonsCB->setChecked(!settings.GrayButtons);
  EditAfterInsertCB->setChecked(settings.EditAfterInsert);
  BandTitlesCB->setChecked(settings.BandTitles);
  LocalizedNamesCB->setChecked(settings.LocalizedPropNames);
  SelectionCB->setChecked(settings.Selection == 1);
  (settings.GridSize == 4 ? Grid4RB : settings.GridSize == 8 ? Grid8RB : Grid18RB)->setChecked(true);
  QRadioButton* const units[] = {PixelsRB, MillimetresRB, InchesRB};
  units[int(settings.Units)]->setChecked(true);
  (settings.PagePosition == 3 ? LeftRB : settings.PagePosition == 4 ? RightRB : CentreRB)->setChecked(true);
}

void TrpDesOptionsForm::GetSettings(TrpDesignerSettings& settings) const {
  settings.GridShow = ShowGridCB->isChecked();
  settings.GridAlign = AlignGridCB->isChecked();
  settings.DisableUndo = DisableUndoCB->isChecked();
  settings.SyntaxHighlight = SyntaxCB->isChecked();
  settings.GridSize = Grid4RB->isChecked() ? 4 : Grid8RB->isChecked() ? 8 : 18;
  settings.Selection = SelectionCB->isChecked() ? 1 : 0;
  settings.Units = MillimetresRB->isChecked() ? TrpDesignerUnits::Millimetres
                   : InchesRB->isChecked()    ? TrpDesignerUnits::Inches
                                              : TrpDesignerUnits::Pixels;
  settings.PagePosition = CentreRB->isChecked() ? 5 : LeftRB->isChecked() ? 3 : 4;
  settings.GrayButtons = !ColoredButtonsCB->isChecked();
  settings.EditAfterInsert = EditAfterInsertCB->isChecked();
  settings.BandTitles = BandTitlesCB->isChecked();
  settings.LocalizedPropNames = LocalizedNamesCB->isChecked();
}

void TrpDesOptionsForm::SetEditorFonts(const TrpTextEditorFonts& fonts) {
  DesOptShowFont(TextFontCB, fonts.TextFontName);
  DesOptShowSize(TextSizeCB, fonts.TextFontSize);
  DesOptShowFont(ScriptFontCB, fonts.ScriptFontName);
  DesOptShowSize(ScriptSizeCB, fonts.ScriptFontSize);
  (fonts.UseDefaultFont ? ObjectFontRB : FixedFontRB)->setChecked(true);
  ShowFontChoice();
}

TrpTextEditorFonts TrpDesOptionsForm::EditorFonts() const {
  const TrpTextEditorFonts defaults;
  TrpTextEditorFonts fonts;
  fonts.TextFontName = TextFontCB->currentText();
  fonts.TextFontSize = DesOptReadSize(TextSizeCB, defaults.TextFontSize);
  fonts.ScriptFontName = ScriptFontCB->currentText();
  fonts.ScriptFontSize = DesOptReadSize(ScriptSizeCB, defaults.ScriptFontSize);
  fonts.UseDefaultFont = ObjectFontRB->isChecked();
  return fonts;
}

void TrpDesOptionsForm::ShowFontChoice() {
  const bool fixed = FixedFontRB->isChecked();
  for (QWidget* control : {static_cast<QWidget*>(TextFontNameL), static_cast<QWidget*>(TextFontCB),
                           static_cast<QWidget*>(TextFontSizeL), static_cast<QWidget*>(TextSizeCB)})
    control->setEnabled(fixed);
  DesOptShowSample(TextSample, TextFontCB, TextSizeCB);
  DesOptShowSample(ScriptSample, ScriptFontCB, ScriptSizeCB);
}

void TrpDesOptionsForm::FormClose(TCloseAction& action) {
  TForm::FormClose(action);
  if (ModalResult() == mrOk) EditorFonts().Write();
}

bool TrpDesOptionsForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == SelectionL &&
      (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    SelectionCB->toggle();
    return true;
  }
  return TForm::eventFilter(watched, event);
}
