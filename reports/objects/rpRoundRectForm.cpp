#include "reports/objects/rpRoundRectForm.h"
#include "core/gui/ColorConvert.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpUtils.h"
#include "reports/objects/rpGradient.h"
#include "reports/objects/rpRoundRectView.h"
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QColorDialog>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>

namespace {

int IntegerOr(const QString& text, int fallback) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  return ok ? value : fallback;
}

QLabel* MakeLabel(QWidget* parent, int id, QRect geometry) {
  auto* label = new QLabel(rpLoadStr(id), parent);
  label->setGeometry(geometry);
  return label;
}

QLabel* MakeColorImage(QWidget* parent, QRect geometry, int tag) {
  auto* image = new QLabel(parent);
  image->setGeometry(geometry);
  image->setToolTip(rpLoadStr(53683));
  image->setProperty("Tag", tag);
  image->setCursor(Qt::PointingHandCursor);
  return image;
}

} // namespace

std::function<QColor(const QColor&)>& TrpRoundRectForm::ChooseColor() {
  static std::function<QColor(const QColor&)> chooser = [](const QColor& initial) {
    return QColorDialog::getColor(initial);
  };
  return chooser;
}

TrpRoundRectForm::TrpRoundRectForm(QWidget* parent) : TrpObjEditorForm(parent) {
  setObjectName(QStringLiteral("TrpRoundRectForm"));
  SetCaption(rpLoadStr(53670));
  setFixedSize(470, 300);
  SetKeyPreview(true);
  M1 = new QPlainTextEdit(this);
  M1->setGeometry(8, 8, 280, 140);
  M1->installEventFilter(this);
  lblSample = MakeLabel(this, 53671, {300, 8, 160, 16});
  imgSample = new QLabel(this);
  imgSample->setGeometry(300, 26, 160, 90);
  Button5 = new QPushButton(rpLoadStr(53672), this);
  Button5->setGeometry(8, 154, 136, 25);
  Button6 = new QPushButton(rpLoadStr(53673), this);
  Button6->setGeometry(152, 154, 136, 25);
  cbGradian = new QCheckBox(rpLoadStr(53674), this);
  cbGradian->setGeometry(300, 124, 160, 22);

  panCurve = new QFrame(this);
  panCurve->setGeometry(8, 186, 454, 70);
  cmShadow = new QCheckBox(rpLoadStr(53677), panCurve);
  cmShadow->setGeometry(4, 6, 150, 22);
  sCurve = new QLineEdit(panCurve);
  sCurve->setGeometry(160, 6, 50, 22);
  lblSWidth = MakeLabel(panCurve, 53675, {4, 38, 100, 22});
  ShWidth = new QLineEdit(panCurve);
  ShWidth->setGeometry(110, 38, 50, 22);
  lblSWidth->setBuddy(ShWidth);
  lblSColor = MakeLabel(panCurve, 53676, {230, 38, 60, 22});
  bcolor = MakeColorImage(panCurve, {300, 36, 40, 26}, 0);

  panGrad = new QFrame(this);
  panGrad->setGeometry(panCurve->geometry());
  Label3 = MakeLabel(panGrad, 53681, {4, 6, 60, 22});
  cbStyle = new QComboBox(panGrad);
  cbStyle->setGeometry(70, 6, 140, 22);
  for (QString item : rpLoadStr(53682).split(QLatin1Char(','))) {
    const qsizetype underscore = item.indexOf(QLatin1Char('_'));
    if (underscore >= 0) item[underscore] = QLatin1Char(' ');
    cbStyle->addItem(item);
  }
  Label3->setBuddy(cbStyle);
  Label2 = MakeLabel(panGrad, 53680, {4, 38, 100, 22});
  bColor2 = MakeColorImage(panGrad, {110, 36, 40, 26}, 1);
  Label1 = MakeLabel(panGrad, 53679, {230, 38, 100, 22});
  bcolor3 = MakeColorImage(panGrad, {340, 36, 40, 26}, 0);
  panGrad->hide();
  for (QLabel* image : {bcolor, bColor2, bcolor3})
    image->installEventFilter(this);

  bOk = new QPushButton(rpLoadStr(55000), this);
  bOk->setGeometry(290, 266, 80, 26);
  bOk->setDefault(true);
  bCancel = new QPushButton(rpLoadStr(55001), this);
  bCancel->setGeometry(380, 266, 80, 26);
  connect(bOk, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
  connect(bCancel, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
  connect(cbGradian, &QCheckBox::toggled, this, &TrpRoundRectForm::GradientToggled);
  const auto redrawOnText = [this](const QString& text) {
    if (!text.isEmpty()) DrawSample();
  };
  connect(sCurve, &QLineEdit::textChanged, this, redrawOnText);
  connect(ShWidth, &QLineEdit::textChanged, this, redrawOnText);
  connect(cbStyle, &QComboBox::currentIndexChanged, this, [this] { DrawSample(); });
  connect(cmShadow, &QCheckBox::clicked, this, [this] { DrawSample(); });
  connect(Button5, &QPushButton::clicked, this,
          [this] { InsertText(rpCurrentDesigner() ? rpCurrentDesigner()->InsertExpression() : QString()); });
  connect(Button6, &QPushButton::clicked, this,
          [this] { InsertText(rpCurrentDesigner() ? rpCurrentDesigner()->InsertDBField() : QString()); });
}

void TrpRoundRectForm::Fill(const TrpRoundRectView& view) {
  frameColor_ = view.FrameColor;
  frameTyp_ = view.FrameTyp;
  M1->setPlainText(view.Memo.join(QLatin1Char('\n')));
  ShWidth->setText(QString::number(view.ShadowWidth));
  FirstColor = view.ShadowColor;
  if (view.IsGradient()) {
    cbGradian->setChecked(true);
    SecondColor = view.FillColor;
    cbStyle->setCurrentIndex(view.RoundSize >= 0 && view.RoundSize < cbStyle->count() ? view.RoundSize : 0);
  } else {
    cbGradian->setChecked(false);
    SecondColor = view.FillColor == clNone ? clWhite : view.FillColor;
    cmShadow->setChecked(view.RoundRect);
    sCurve->setText(QString::number(view.RoundSize));
  }
}

int TrpRoundRectForm::ShowEditor(TrpView* object) {
  auto* view = dynamic_cast<TrpRoundRectView*>(object);
  if (!view) return mrCancel;
  // A style beyond the list is put right on the object itself.
  if (view->IsGradient() && (view->RoundSize < 0 || view->RoundSize >= cbStyle->count())) view->RoundSize = 0;
  Fill(*view);
  const int result = ShowModal();
  if (result == mrOk && !(view->Restrictions & rrModify)) Apply(*view);
  return result;
}

void TrpRoundRectForm::Apply(TrpRoundRectView& view) {
  if (TrpReportDesigner* designer = rpCurrentDesigner()) designer->BeforeChange();
  view.Memo = M1->toPlainText().isEmpty() ? QStringList() : M1->toPlainText().split(QLatin1Char('\n'));
  view.ShadowColor = FirstColor;
  view.FillColor = SecondColor;
  view.RoundRect = cmShadow->isChecked();
  view.ShadowWidth = IntegerOr(ShWidth->text(), 6);
  view.RoundSize = view.IsGradient() ? cbStyle->currentIndex() : IntegerOr(sCurve->text(), 10);
  if (TrpReportDesigner* designer = rpCurrentDesigner()) designer->AfterChange();
}

void TrpRoundRectForm::GradientToggled(bool on) {
  panGrad->setVisible(on);
  panCurve->setVisible(!on);
  if (on) {
    ShWidth->setText(QStringLiteral("-99"));
    sCurve->setText(QStringLiteral("0"));
    cbStyle->setCurrentIndex(0);
  } else {
    ShWidth->setText(QStringLiteral("10"));
    sCurve->setText(QStringLiteral("10"));
  }
  DrawSample();
}

void TrpRoundRectForm::DrawSample() {
  const QSize size = imgSample->size();
  QImage sample(size, QImage::Format_RGB32);
  QPainter p(&sample);
  const int shadow = IntegerOr(ShWidth->text(), 10), round = IntegerOr(sCurve->text(), 10);
  const QColor first = ToQColor(FirstColor), second = ToQColor(SecondColor);
  if (cbGradian->isChecked()) {
    rpGradientFill(&p, 0, 0, size.width(), size.height(), second, first, std::max(0, cbStyle->currentIndex()));
  } else {
    p.fillRect(sample.rect(), palette().color(QPalette::Button));
    const auto figure = [&](const QRect& box) {
      if (cmShadow->isChecked())
        p.drawRoundedRect(box, round / 2.0, round / 2.0);
      else
        p.drawRect(box);
    };
    p.setPen(first);
    p.setBrush(first);
    figure(QRect(QPoint(shadow, shadow), QPoint(size.width() - 1, size.height() - 1)));
    p.setPen(frameTyp_ != 0 ? ToQColor(frameColor_) : second);
    p.setBrush(second);
    figure(QRect(QPoint(0, 0), QPoint(size.width() - 1 - shadow, size.height() - 1 - shadow)));
  }
  p.end();
  imgSample->setPixmap(QPixmap::fromImage(sample));
}

void TrpRoundRectForm::PaintSwatch(QLabel* image, TColor color) {
  QPixmap swatch(image->size());
  swatch.fill(ToQColor(color));
  QPainter p(&swatch);
  p.setPen(Qt::black);
  p.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
  image->setPixmap(swatch);
}

void TrpRoundRectForm::ColorClicked(QLabel* image) {
  const QColor chosen = ChooseColor()(ToQColor(FirstColor));
  if (!chosen.isValid()) return;
  const TColor color = FromQColor(chosen);
  PaintSwatch(image, color);
  if (image->property("Tag").toInt() != 0)
    SecondColor = color;
  else
    FirstColor = color;
  DrawSample();
}

void TrpRoundRectForm::InsertText(const QString& text) {
  if (!text.isEmpty()) M1->insertPlainText(text);
  M1->setFocus();
}

void TrpRoundRectForm::FormShow() {
  M1->setFocus();
  DrawSample();
  PaintSwatch(bcolor, FirstColor);
  PaintSwatch(bColor2, SecondColor);
  PaintSwatch(bcolor3, FirstColor);
}

bool TrpRoundRectForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease)
    for (QLabel* image : {bcolor, bColor2, bcolor3})
      if (watched == image) {
        ColorClicked(image);
        return true;
      }
  if (watched == M1 && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier) {
      Button5->click();
      return true;
    }
    if (key->key() == Qt::Key_Escape) {
      SetModalResult(mrCancel);
      return true;
    }
  }
  return TrpObjEditorForm::eventFilter(watched, event);
}

bool TrpRoundRectForm::FormKeyDown(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && (event->modifiers() & Qt::ControlModifier)) {
    SetModalResult(mrOk);
    return true;
  }
  return false;
}
