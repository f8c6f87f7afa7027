#include "reports/export/rpHTMExport.h"
#include "reports/engine/rpPictureView.h"
#include "reports/engine/rpUtils.h"
#include "reports/export/rpExportUtils.h"
#include "reports/export/rpTextExportForms.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QIODevice>

namespace {

constexpr quint32 kWhite = 0xFFFFFF;
constexpr quint32 kNoColor = 0x1FFFFFFF;

QString HtmlSize(int points) {
  if (points >= 6 && points <= 7) return QStringLiteral("1");
  if (points >= 8 && points <= 9) return QStringLiteral("2");
  if (points >= 10 && points <= 13) return {};
  if (points >= 14 && points <= 17) return QStringLiteral("4");
  if (points >= 18 && points <= 23) return QStringLiteral("5");
  if (points >= 24 && points <= 35) return QStringLiteral("6");
  return QStringLiteral("7");
}

QString Escaped(const QString& text) { return text.toHtmlEscaped(); }

} // namespace

TrpHTMExport::TrpHTMExport(QObject* owner) : TrpTextExport(owner, false) {
  ScaleY = 1;
  KillEmptyLines = true;
  Register(rpLoadStr(55220) + QStringLiteral(" (*.htm)"), QStringLiteral("*.htm"));
}

int TrpHTMExport::OptionsDialog() {
  if (!ShowDialog) return 1;
  TrpHTMExportForm form(*this);
  return form.Execute();
}

void TrpHTMExport::BeginDocument() {
  pictureCounter_ = 0;
  pictures_.clear();
  // The document says its code page, so browsers read the 1250 bytes right.
  Stream->write("<HTML>\r\n<Head>\r\n"
                "<Meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">\r\n"
                "<Title>");
  Stream->write(rpEncodeText(Escaped(rpBareName(FileName)), false));
  Stream->write("</Title>\r\n</Head>\r\n<Body bgColor=\"#FFFFFF\">\r\n<Table>\r\n");
}

void TrpHTMExport::EndDocument() {
  Stream->write("</Table>\r\n</Body>\r\n</HTML>\r\n");
  pictures_.clear();
}

void TrpHTMExport::ObjectData(int x, int y, TrpView* object) {
  auto* picture = dynamic_cast<TrpPictureView*>(object);
  if (!ExportPictures || !picture || picture->Picture.IsEmpty()) return;
  TStoredPicture stored{x, y, picture->Width, picture->Height, picture->Picture.Kind == 4, {}, {}};
  if (stored.Jpeg)
    stored.Data = picture->Picture.Data;
  else
    stored.Image = rpGraphicAsImage(*picture);
  pictures_.append(stored);
}

void TrpHTMExport::SavePictures() {
  const QDir folder = QFileInfo(FileName).absoluteDir();
  for (const TStoredPicture& picture : pictures_) {
    const QString name = QStringLiteral("htm") + QString::number(pictureCounter_) +
                         (picture.Jpeg ? QStringLiteral(".jpg") : QStringLiteral(".bmp"));
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
      throw Exception(QStringLiteral("Súbor %1 sa nedá vytvoriť.").arg(file.fileName()));
    if (picture.Jpeg)
      file.write(picture.Data);
    else
      picture.Image.save(&file, "BMP");
    TrpExportTextLine record;
    record.X = picture.X;
    record.Text = name;
    record.DrawRect = QRect(picture.X, picture.Y, picture.Width, picture.Height);
    record.FrameType = -1;
    InsertRecord(LineIndexOf(picture.Y), record);
    ++pictureCounter_;
  }
  pictures_.clear();
}

QByteArray TrpHTMExport::Cell(const TrpExportTextLine& record) const {
  if (record.FrameType == -1)
    return "<td><img src=\"" + rpEncodeText(Escaped(record.Text), false) + "\" width=\"" +
           QByteArray::number(record.DrawRect.width()) + "\" height=\"" + QByteArray::number(record.DrawRect.height()) +
           "\"></td>";
  quint32 color = record.FontColor;
  if (color == kWhite || color == kNoColor) color = 0;
  QByteArray attributes;
  if (color != 0) {
    const quint32 rgb = ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
    attributes += "Color=\"#" + QByteArray::number(rgb, 16).toUpper().rightJustified(6, '0') + "\"";
  }
  const QString size = HtmlSize(record.FontSize);
  if (!size.isEmpty()) attributes += " Size=" + size.toLatin1();
  QByteArray open, close;
  if (!attributes.isEmpty()) {
    open += "<Font " + attributes + ">";
    close = "</Font>";
  }
  // Every tag opened in a cell is closed in it, so no style runs into the next cell.
  if (record.FontStyle & 1) open += "<i>", close.prepend("</i>");
  if (record.FontStyle & 2) open += "<b>", close.prepend("</b>");
  if (record.FontStyle & 4) open += "<u>", close.prepend("</u>");
  return "<td>" + open + rpEncodeText(Escaped(record.Text), false) + close + "</td>";
}

void TrpHTMExport::EndPage() {
  if (ExportPictures) SavePictures();
  const int last = LastUsedLine();
  for (int i = 0; i <= last; ++i) {
    const QList<TrpExportTextLine>& chain = CollectedLines[i];
    if (chain.isEmpty() && KillEmptyLines) continue;
    QByteArray row = "<tr>";
    for (const TrpExportTextLine& record : chain)
      row += Cell(record);
    Stream->write(row + "</tr>\r\n");
  }
}
