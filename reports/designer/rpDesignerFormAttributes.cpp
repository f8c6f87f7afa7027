// The designer window's attribute tool bars: the colour selector under the
// three colour buttons and the frame-style panel under StB1, the colours the
// buttons show, what using a control does to the selection, and the font and
// highlight editors.
#include "reports/designer/rpColorSelector.h"
#include "reports/designer/rpDesignerAttributes.h"
#include "reports/designer/rpDesignerForm.h"
#include "reports/designer/rpHilightForm.h"
#include "reports/designer/rpInsFieldsForm.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpComboBox.h"
#include "reports/engine/ui/rpSpeedButton.h"
#include <QtCore/QEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QFontDialog>
#include <QtWidgets/QLineEdit>

namespace {

// The colour buttons with the glyph kind and tag of each.
struct TrpColorButton {
  const char* Name;
  int Kind; // 0 font, 1 fill, 2 frame colour
  int Tag;
};
constexpr TrpColorButton kColorButtons[] = {{"ClB2", 0, 17}, {"ClB1", 1, 5}, {"ClB3", 2, 19}};

// A frame style's line across a 16 x 16 glyph.
QImage FrameStyleGlyph(int style) {
  static const Qt::PenStyle pens[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine};
  QImage glyph(16, 16, QImage::Format_ARGB32);
  glyph.fill(Qt::transparent);
  QPainter p(&glyph);
  if (style == 5) {
    p.drawLine(1, 6, 14, 6);
    p.drawLine(1, 9, 14, 9);
  } else {
    p.setPen(QPen(Qt::black, 1, pens[style]));
    p.drawLine(1, 8, 14, 8);
  }
  return glyph;
}

} // namespace

void TrpDesignerForm::CreateAttributeDropDowns() {
  colorSelector_ = new TColorSelector(this);
  colorSelector_->OnColorSelected = [this](TColorSelector* selector) {
    ShowButtonColor(colorButton_, selector->SelectedColor);
    UseAttribute(colorButtonTag_);
  };
  linePanel_ = new QFrame(this);
  linePanel_->setObjectName(QStringLiteral("LinePanel"));
  linePanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  linePanel_->setAutoFillBackground(true);
  linePanel_->resize(4 + 6 * 22 + 4, 30);
  for (int style = 0; style < 6; ++style) {
    auto* button = new TrpSpeedButton(linePanel_);
    button->setObjectName(QStringLiteral("rpSpeedButton%1").arg(style + 1));
    button->SetFlat(true);
    button->SetGrayedInactive(false);
    button->SetGlyph(FrameStyleGlyph(style));
    button->setGeometry(4 + 22 * style, 4, 22, 22);
    const int tag = 25 + style;
    connect(button, &TrpSpeedButton::clicked, this, [this, tag] {
      linePanel_->hide();
      UseAttribute(tag);
    });
    controls_.insert(button->objectName(), button);
  }
  linePanel_->hide();
  for (const TrpColorButton& entry : kColorButtons) {
    auto* button = qobject_cast<TrpSpeedButton*>(controls_.value(QString::fromLatin1(entry.Name)));
    ShowButtonColor(button, entry.Kind == 1 ? clNone : clBlack);
    const int tag = entry.Tag;
    connect(button, &TrpSpeedButton::clicked, this, [this, button, tag] { ToggleColorSelector(button, tag); });
  }
  ConnectAttributeControls();
  auto* style = controls_.value(QStringLiteral("StB1"));
  connect(qobject_cast<TrpSpeedButton*>(style), &TrpSpeedButton::clicked, this, [this, style] {
    colorSelector_->hide();
    DropDownUnder(linePanel_, style, !linePanel_->isVisible());
  });
}

void TrpDesignerForm::DropDownUnder(QWidget* dropDown, QWidget* button, bool show) {
  if (!show) {
    dropDown->hide();
    return;
  }
  dropDown->move(button->mapTo(this, QPoint(0, 26)));
  dropDown->raise();
  dropDown->show();
}

void TrpDesignerForm::ToggleColorSelector(TrpSpeedButton* button, int tag) {
  linePanel_->hide();
  const bool again = colorSelector_->isVisible() && colorButton_ == button;
  colorButton_ = button;
  colorButtonTag_ = tag;
  if (!again) colorSelector_->ShowColor(buttonColors_.value(button, clNone));
  DropDownUnder(colorSelector_, button, !again);
}

void TrpDesignerForm::ShowButtonColor(TrpSpeedButton* button, TColor color) {
  if (!button) return;
  buttonColors_.insert(button, color);
  for (const TrpColorButton& entry : kColorButtons)
    if (button->objectName() == QLatin1String(entry.Name)) button->SetGlyph(rpColorButtonGlyph(entry.Kind, color));
}

TColor TrpDesignerForm::ButtonColor(const QString& button) const {
  return buttonColors_.value(qobject_cast<TrpSpeedButton*>(controls_.value(button)), clNone);
}

void TrpDesignerForm::ShowSelectionColors() {
  colorSelector_->hide();
  linePanel_->hide();
  const auto show = [this](const char* name, TColor color) {
    ShowButtonColor(qobject_cast<TrpSpeedButton*>(controls_.value(QString::fromLatin1(name))), color);
  };
  TrpView* object = selection_.LastSelected();
  if (selection_.Count() == 1 && !dynamic_cast<TrpBandView*>(object)) {
    show("ClB1", object->FillColor);
    show("ClB3", object->FrameColor);
    if (auto* text = dynamic_cast<TrpMemoView*>(object)) show("ClB2", text->Font.Color);
  } else if (selection_.Count() > 1) {
    show("ClB1", TColor(0));
  }
}

void TrpDesignerForm::ConnectAttributeControls() {
  using namespace rpAttributeTag;
  const std::pair<const char*, int> buttons[] = {
      {"FrB1", FrameTop},     {"FrB2", FrameLeft}, {"FrB3", FrameBottom},   {"FrB4", FrameRight},
      {"FrB5", FrameAll},     {"FrB6", FrameNone}, {"FnB1", Bold},          {"FnB2", Italic},
      {"FnB3", Underline},    {"AlB1", AlignLeft}, {"AlB2", AlignRight},    {"AlB3", AlignCentre},
      {"AlB8", Justify},      {"AlB4", Rotated},   {"AlB5", VerticalAlign}, {"AlB6", VerticalAlign},
      {"AlB7", VerticalAlign}};
  for (const auto& [name, tag] : buttons) {
    auto* button = qobject_cast<TrpSpeedButton*>(controls_.value(QString::fromLatin1(name)));
    connect(button, &TrpSpeedButton::clicked, this, [this, tag = tag] { UseAttribute(tag); });
  }
  connect(qobject_cast<TrpSpeedButton*>(controls_.value(QStringLiteral("HlB1"))), &TrpSpeedButton::clicked, this,
          [this] { OpenHighlightEditor(); });
  connect(fontName_, &TrpFontComboBox::Click, this, [this] { UseAttribute(FontName); });
  // A size or width picked from the list applies at once; a typed one on Enter.
  connect(fontSize_, &QComboBox::activated, this, [this] { UseAttribute(FontSize); });
  connect(frameWidth_, &QComboBox::activated, this, [this] { UseAttribute(FrameWidth); });
  fontName_->lineEdit()->installEventFilter(this);
}

bool TrpDesignerForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick && fontName_ && watched == fontName_->lineEdit()) {
    if (fontName_->isEnabled()) OpenFontEditor();
    return true;
  }
  return TForm::eventFilter(watched, event);
}

TrpAttributeInput TrpDesignerForm::AttributeInput(int tag) const {
  using namespace rpAttributeTag;
  const auto down = [this](const char* name) {
    const auto* button = qobject_cast<TrpSpeedButton*>(controls_.value(QString::fromLatin1(name)));
    return button && button->Down();
  };
  TrpAttributeInput input;
  static const char* const buttonOfTag[] = {nullptr, "FrB1",  "FrB2",  "FrB3",  "FrB4",  nullptr, nullptr,
                                            nullptr, nullptr, "FnB1",  "FnB2",  nullptr, nullptr, nullptr,
                                            "AlB4",  nullptr, nullptr, nullptr, "FnB3"};
  if (tag < int(std::size(buttonOfTag)) && buttonOfTag[tag]) input.Down = down(buttonOfTag[tag]);
  input.MiddleDown = down("AlB5");
  input.BottomDown = down("AlB7");
  if (tag == FillColor) input.Color = ButtonColor(QStringLiteral("ClB1"));
  if (tag == FontColor) input.Color = ButtonColor(QStringLiteral("ClB2"));
  if (tag == FrameColor) input.Color = ButtonColor(QStringLiteral("ClB3"));
  if (tag == FontName) input.Text = fontName_->currentText();
  if (tag == FontSize) input.Text = fontSize_->currentText();
  if (tag == FrameWidth) input.Text = frameWidth_->currentText();
  return input;
}

void TrpDesignerForm::UseAttribute(int tag) {
  if (settingControls_ || !Page) return;
  const TrpAttributeInput input = AttributeInput(tag);
  try {
    rpCheckAttributeText(tag, input.Text);
  } catch (const Exception& error) {
    rpGlobals().ErrorBox(error.Message(), rpLoadStr(55206));
    ShowSelectionValues();
    return;
  }
  RecordStep(TrpUndoAction::Modify);
  rpApplyAttribute(SelectedObjects(), tag, input, rpInsertDefaults());
  RedrawPage();
  RefreshInspector();
  UpdateStatus();
  if (tag == rpAttributeTag::FrameAll || tag == rpAttributeTag::FrameNone) ShowSelectionValues();
  setFocus();
}

void TrpDesignerForm::OpenHighlightEditor() {
  if (TrpHilightForm::EditSelection(*this) != mrOk) return;
  RedrawPage();
  RefreshInspector();
}

void TrpDesignerForm::OpenFontEditor() {
  auto* last = dynamic_cast<TrpMemoView*>(selection_.LastSelected());
  if (!last || (last->Restrictions & rrContents)) return;
  QFontDialog dialog(rpFontOfDialog(last->Font), this);
  dialog.setOption(QFontDialog::DontUseNativeDialog);
  // What the dialog shows may already differ from the object's font (a
  // family the system lacks); only what the user then changes is applied.
  const TrpFont shown = rpFontFromDialog(dialog.currentFont(), last->Font);
  const int result = dialog.exec();
  setFocus();
  if (result != QDialog::Accepted) return;
  const TrpFont chosen = rpFontFromDialog(dialog.selectedFont(), last->Font);
  const TrpFontChange change = rpFontChange(shown, chosen);
  if (!change.Any()) return;
  BeforeChange();
  for (TrpView* object : SelectedObjects())
    if (auto* text = dynamic_cast<TrpMemoView*>(object); text && !(text->Restrictions & rrModify))
      rpApplyFontChange(text->Font, chosen, change);
  if (change.Charset) rpInsertDefaults().Charset = chosen.Charset;
  AfterChange();
  ShowSelectionValues();
  RefreshInspector();
}
