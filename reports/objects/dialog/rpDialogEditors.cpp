#include "reports/objects/dialog/rpDialogEditors.h"
#include "reports/designer/rpLinesEditorForm.h"
#include "reports/designer/rpSyntaxMemo.h"
#include "reports/objects/dialog/rpDBFieldsEditorForm.h"
#include "reports/objects/dialog/rpDBSQLEditorForm.h"
#include "reports/objects/dialog/rpFBFieldsLinkForm.h"
#include "reports/objects/dialog/rpFBParamsForm.h"
#include <QtCore/QDir>
#include <QtGui/QPainter>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QPlainTextEdit>
#include <cstring>

namespace {

// A database drum, the mark of the data components.
void DrawDrum(QPainter& p, const QRectF& r, const QColor& colour) {
  const qreal lid = r.height() / 4;
  p.setBrush(colour);
  p.drawRect(QRectF(r.left(), r.top() + lid / 2, r.width(), r.height() - lid));
  p.drawEllipse(QRectF(r.left(), r.bottom() - lid, r.width(), lid));
  p.drawEllipse(QRectF(r.left(), r.top(), r.width(), lid));
}

void DrawGrid(QPainter& p, const QRectF& r) {
  p.setBrush(Qt::white);
  p.drawRect(r);
  for (int i = 1; i < 3; ++i) {
    p.drawLine(QPointF(r.left(), r.top() + r.height() * i / 3), QPointF(r.right(), r.top() + r.height() * i / 3));
    p.drawLine(QPointF(r.left() + r.width() * i / 3, r.top()), QPointF(r.left() + r.width() * i / 3, r.bottom()));
  }
}

} // namespace

QImage rpDialogIcon(const char* name) {
  const bool large =
      std::strcmp(name, "RP_FBDB") == 0 || std::strcmp(name, "RP_FBTABLE") == 0 || std::strcmp(name, "RP_FBQUERY") == 0;
  const int size = large ? 24 : 16;
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::black);
  p.scale(size / 16.0, size / 16.0);
  const QString n = QString::fromLatin1(name);
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(9);
  p.setFont(font);
  if (n.startsWith(QLatin1String("RP_FBDB"))) {
    DrawDrum(p, QRectF(2, 1, 12, 14), QColor(0xE0, 0xC0, 0x40));
  } else if (n.startsWith(QLatin1String("RP_FBTABLE"))) {
    DrawGrid(p, QRectF(1, 2, 14, 12));
  } else if (n.startsWith(QLatin1String("RP_FBQUERY"))) {
    DrawGrid(p, QRectF(1, 5, 11, 9));
    p.setBrush(QColor(0xFF, 0xFF, 0xC0));
    p.drawEllipse(QRectF(8, 1, 7, 7));
  } else if (n == QLatin1String("RP_LABELCONTROL")) {
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("A"));
  } else if (n == QLatin1String("RP_EDITCONTROL") || n == QLatin1String("RP_DATEEDITCONTROL") ||
             n == QLatin1String("RP_COMBOBOXCONTROL") || n == QLatin1String("RP_DBLOOKUPCONTROL")) {
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1, 4, 14, 8));
    if (n != QLatin1String("RP_EDITCONTROL")) p.fillRect(QRectF(10, 5, 4, 6), Qt::gray);
    if (n == QLatin1String("RP_DBLOOKUPCONTROL")) DrawDrum(p, QRectF(2, 5, 6, 6), QColor(0xE0, 0xC0, 0x40));
    if (n == QLatin1String("RP_DATEEDITCONTROL")) p.drawText(QRectF(1, 4, 9, 8), Qt::AlignCenter, QStringLiteral("1"));
  } else if (n == QLatin1String("RP_MEMOCONTROL") || n == QLatin1String("RP_LISTBOXCONTROL")) {
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1, 1, 14, 14));
    for (int y = 4; y < 14; y += 3)
      p.drawLine(3, y, n == QLatin1String("RP_MEMOCONTROL") ? 12 : 10, y);
  } else if (n == QLatin1String("RP_BUTTONCONTROL")) {
    p.setBrush(QColor(0xD4, 0xD0, 0xC8));
    p.drawRoundedRect(QRectF(1, 4, 14, 8), 2, 2);
  } else if (n == QLatin1String("RP_CHECKBOXCONTROL")) {
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 3, 10, 10));
    p.drawLine(5, 8, 7, 11);
    p.drawLine(7, 11, 11, 5);
  } else if (n == QLatin1String("RP_RADIOBUTTONCONTROL")) {
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(3, 3, 10, 10));
    p.setBrush(Qt::black);
    p.drawEllipse(QRectF(6, 6, 4, 4));
  }
  return image;
}

QString rpChooseDatabaseFile() {
  return QFileDialog::getOpenFileName(nullptr, QString(), QDir::currentPath(),
                                      QStringLiteral("Databases (*.gdb *.fdb);;All files (*)"));
}

bool rpEditLines(QString& text) { return TrpLinesEditorForm::Edit(text); }

bool rpEditSQL(QStringList& lines) {
  TrpDBSQLEditorForm form;
  form.Memo->SetLines(lines);
  if (form.ShowModal() != mrOk) return false;
  lines = form.Memo->Lines();
  return true;
}

void rpEditFields(TIBQuery& dataSet) { TrpDBFieldsEditorForm(dataSet).ShowModal(); }

bool rpEditMasterFields(TDataSet& master, TIBTable& detail) {
  return TrpFBFieldsLinkForm(master, detail).ShowModal() == mrOk;
}

bool rpEditQueryParams(TrpFBQuery& query) { return TrpFBParamsForm(query).ShowModal() == mrOk; }
