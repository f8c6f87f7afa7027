#include "reports/designer/rpLinesEditorForm.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpSpeedButton.h"
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QFrame>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QVBoxLayout>
#include <cstring>

QImage rpEditorGlyph(const char* name) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1.2));
  if (std::strcmp(name, "cut") == 0) {
    p.drawEllipse(QRectF(2, 10, 4, 4));
    p.drawEllipse(QRectF(10, 10, 4, 4));
    p.drawLine(QPointF(5, 10), QPointF(11, 2));
    p.drawLine(QPointF(11, 10), QPointF(5, 2));
  } else if (std::strcmp(name, "copy") == 0) {
    p.setBrush(Qt::white);
    p.drawRect(2, 2, 8, 9);
    p.drawRect(6, 5, 8, 9);
  } else if (std::strcmp(name, "paste") == 0) {
    p.setBrush(QColor(0xC0, 0x90, 0x50));
    p.drawRect(2, 3, 10, 11);
    p.setBrush(Qt::white);
    p.drawRect(7, 7, 7, 8);
  } else if (std::strcmp(name, "cancel") == 0) {
    p.setPen(QPen(Qt::darkRed, 2.5));
    p.drawLine(4, 4, 12, 12);
    p.drawLine(12, 4, 4, 12);
  } else if (std::strcmp(name, "ok") == 0) {
    p.setPen(QPen(Qt::darkGreen, 2.5));
    p.drawLine(3, 8, 7, 12);
    p.drawLine(7, 12, 13, 3);
  } else if (std::strcmp(name, "open") == 0) {
    p.setBrush(QColor(0xF0, 0xD0, 0x60));
    p.drawRect(1, 5, 12, 8);
    p.drawLine(1, 5, 4, 2);
  } else if (std::strcmp(name, "save") == 0) {
    p.setBrush(QColor(0x40, 0x60, 0xA0));
    p.drawRect(2, 2, 12, 12);
    p.setBrush(Qt::white);
    p.drawRect(5, 2, 6, 5);
  } else if (std::strcmp(name, "builder") == 0) {
    p.setBrush(Qt::white);
    p.drawRect(2, 2, 12, 12);
    p.drawLine(2, 6, 14, 6);
    p.drawLine(7, 6, 7, 14);
  }
  return image;
}

QList<TrpSpeedButton*> rpAddEditBar(TForm& form, QWidget& bar, const TrpMemoClipboard& memo, int x) {
  struct TButton {
    const char* Glyph;
    int Hint;
  };
  const TButton buttons[] = {{"cut", 53091}, {"copy", 53092}, {"paste", 53093}, {"cancel", 55001}, {"ok", 55000}};
  QList<TrpSpeedButton*> made;
  for (const TButton& b : buttons) {
    auto* button = new TrpSpeedButton(&bar);
    button->SetFlat(true);
    button->SetGlyph(rpEditorGlyph(b.Glyph));
    button->setToolTip(rpLoadStr(b.Hint));
    // A gap of 8 pixels sets cancel and OK apart from the clipboard buttons.
    button->setGeometry(x, 6, 24, 24);
    x += b.Hint == 53093 ? 32 : 24;
    made.append(button);
  }
  QObject::connect(made[0], &TrpSpeedButton::clicked, &form, memo.Cut);
  QObject::connect(made[1], &TrpSpeedButton::clicked, &form, memo.Copy);
  QObject::connect(made[2], &TrpSpeedButton::clicked, &form, memo.Paste);
  QObject::connect(made[3], &TrpSpeedButton::clicked, &form, [&form] { form.SetModalResult(mrCancel); });
  QObject::connect(made[4], &TrpSpeedButton::clicked, &form, [&form] { form.SetModalResult(mrOk); });
  return made;
}

TrpLinesEditorForm::TrpLinesEditorForm(QWidget* parent) : TForm(parent) {
  setObjectName(QStringLiteral("rpLinesEditorForm"));
  SetCaption(rpLoadStr(57000));
  SetKeyPreview(true);
  resize(461, 394);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFixedHeight(33);
  layout->addWidget(panel);
  M1 = new QPlainTextEdit(this);
  M1->setObjectName(QStringLiteral("M1"));
  M1->setLineWrapMode(QPlainTextEdit::NoWrap);
  layout->addWidget(M1);
  const QList<TrpSpeedButton*> buttons =
      rpAddEditBar(*this, *panel, {[this] { M1->cut(); }, [this] { M1->copy(); }, [this] { M1->paste(); }});
  CutBtn = buttons[0];
  CopyBtn = buttons[1];
  PasteBtn = buttons[2];
  CancelBtn = buttons[3];
  OkBtn = buttons[4];
  M1->setFocus();
}

bool TrpLinesEditorForm::FormKeyDown(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (!enter || !(event->modifiers() & Qt::ControlModifier)) return false;
  SetModalResult(mrOk);
  return true;
}

bool TrpLinesEditorForm::Edit(QString& text, bool* modified) {
  TrpLinesEditorForm form;
  form.M1->setPlainText(text);
  form.M1->document()->setModified(false);
  if (form.ShowModal() != mrOk) return false;
  text = form.M1->toPlainText();
  if (modified) *modified = form.M1->document()->isModified();
  return true;
}
