#include "reports/designer/rpHilightForm.h"
#include "core/gui/ColorConvert.h"
#include "reports/designer/rpDialogButtons.h"
#include "reports/designer/rpExpressionBuilder.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpComboEdit.h"
#include <QtGui/QPainter>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QColorDialog>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

namespace {

constexpr quint16 kHighlightItalic = 1, kHighlightBold = 2, kHighlightUnderline = 4, kHighlightStrikeOut = 8;

// A colour button's glyph: the colour, with a grey bar across for transparent.
QIcon ColorGlyph(TColor color) {
  QPixmap glyph(16, 16);
  glyph.fill(Qt::transparent);
  QPainter painter(&glyph);
  painter.setPen(Qt::black);
  if (color == clNone) {
    painter.fillRect(QRect(1, 1, 14, 14), Qt::white);
    painter.fillRect(QRect(1, 6, 14, 4), Qt::gray);
  } else {
    painter.fillRect(QRect(1, 1, 14, 14), ToQColor(color));
  }
  painter.drawRect(QRect(1, 1, 13, 13));
  return QIcon(glyph);
}

} // namespace

TrpHilightForm::TrpHilightForm(QWidget* parent) : TForm(parent) {
  SetCaption(rpLoadStr(53520));
  GroupBox1 = new QGroupBox(rpLoadStr(53521), this);
  ConditionEdit = new TrpComboEdit(GroupBox1);
  ConditionEdit->SetButtonHint(rpLoadStr(53575));
  connect(ConditionEdit, &TrpComboEdit::ButtonClicked, this, [this] {
    if (const QString expression = rpInsertExpression(); !expression.isEmpty())
      ConditionEdit->lineEdit()->insert(expression);
  });
  (new QVBoxLayout(GroupBox1))->addWidget(ConditionEdit);

  GroupBox2 = new QGroupBox(rpLoadStr(53522), this);
  FontColorBtn = new QPushButton(rpLoadStr(53523), GroupBox2);
  BoldCB = new QCheckBox(rpLoadStr(53524), GroupBox2);
  ItalicCB = new QCheckBox(rpLoadStr(53525), GroupBox2);
  UnderlineCB = new QCheckBox(rpLoadStr(53526), GroupBox2);
  auto* font = new QVBoxLayout(GroupBox2);
  for (QWidget* widget : {static_cast<QWidget*>(FontColorBtn), static_cast<QWidget*>(BoldCB),
                          static_cast<QWidget*>(ItalicCB), static_cast<QWidget*>(UnderlineCB)})
    font->addWidget(widget);
  connect(FontColorBtn, &QPushButton::clicked, this, [this] { ChooseColor(fontColor_); });

  GroupBox3 = new QGroupBox(rpLoadStr(53527), this);
  FillColorBtn = new QPushButton(rpLoadStr(53528), GroupBox3);
  TransparentRB = new QRadioButton(rpLoadStr(53529), GroupBox3);
  OtherRB = new QRadioButton(rpLoadStr(53530), GroupBox3);
  auto* background = new QVBoxLayout(GroupBox3);
  background->addWidget(TransparentRB);
  background->addWidget(OtherRB);
  background->addWidget(FillColorBtn);
  background->addStretch();
  connect(FillColorBtn, &QPushButton::clicked, this, [this] { ChooseColor(fillColor_); });
  connect(TransparentRB, &QRadioButton::toggled, this, [this](bool on) {
    if (on) fillColor_ = clNone;
    ShowColors();
  });

  auto* looks = new QHBoxLayout;
  looks->addWidget(GroupBox2);
  looks->addWidget(GroupBox3);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GroupBox1);
  layout->addLayout(looks);
  layout->addLayout(rpOkCancelRow(this));
  ShowColors();
}

void TrpHilightForm::SetFontColor(TColor color) {
  fontColor_ = color;
  ShowColors();
}

void TrpHilightForm::SetFillColor(TColor color) {
  fillColor_ = color;
  ShowColors();
}

quint16 TrpHilightForm::Style(quint16 previous) const {
  quint16 style = previous & ~(kHighlightBold | kHighlightItalic | kHighlightUnderline | kHighlightStrikeOut);
  if (BoldCB->isChecked()) style |= kHighlightBold;
  if (ItalicCB->isChecked()) style |= kHighlightItalic;
  if (UnderlineCB->isChecked()) style |= kHighlightUnderline;
  return style;
}

void TrpHilightForm::SetStyle(quint16 style) {
  BoldCB->setChecked(style & kHighlightBold);
  ItalicCB->setChecked(style & kHighlightItalic);
  UnderlineCB->setChecked(style & kHighlightUnderline);
}

void TrpHilightForm::FormShow() {
  if (fillColor_ == clNone)
    TransparentRB->setChecked(true);
  else
    OtherRB->setChecked(true);
  ShowColors();
  ConditionEdit->setFocus();
}

void TrpHilightForm::ShowColors() {
  FontColorBtn->setIcon(ColorGlyph(fontColor_));
  FillColorBtn->setIcon(ColorGlyph(fillColor_));
  FillColorBtn->setEnabled(OtherRB->isChecked());
}

void TrpHilightForm::ChooseColor(TColor& color) {
  const QColor chosen = QColorDialog::getColor(color == clNone ? QColor(Qt::white) : ToQColor(color), this);
  if (!chosen.isValid()) return;
  color = FromQColor(chosen);
  ShowColors();
}

int TrpHilightForm::EditSelection(TrpReportDesigner& designer) {
  QList<TrpMemoView*> texts;
  for (TrpView* object : designer.SelectedObjects())
    if (auto* text = dynamic_cast<TrpMemoView*>(object)) texts.append(text);
  if (texts.isEmpty()) return mrCancel;
  TrpHilightForm form;
  const TrpMemoView* last = texts.last();
  form.ConditionEdit->setEditText(last->HighlightCondition);
  form.SetStyle(last->HighlightStyle);
  form.SetFontColor(last->HighlightFontColor);
  form.SetFillColor(last->HighlightFillColor);
  const int result = form.ShowModal();
  if (result != mrOk) return result;
  designer.BeforeChange();
  for (TrpMemoView* text : texts) {
    text->HighlightCondition = form.ConditionEdit->currentText();
    text->HighlightFontColor = form.FontColor();
    text->HighlightFillColor = form.FillColor();
    text->HighlightStyle = form.Style(text->HighlightStyle);
  }
  designer.RedrawPage();
  return result;
}
