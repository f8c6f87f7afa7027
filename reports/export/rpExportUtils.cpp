#include "reports/export/rpExportUtils.h"
#include "core/CodePage1250.h"
#include "core/CodePage852.h"
#include "core/Exception.h"
#include "platform/Shell.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPictureView.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpValue.h"
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>
#include <QtGui/QPainter>
#include <algorithm>

TrpReport& rpActiveReport() {
  auto* report = dynamic_cast<TrpReport*>(rpRun().CurrentReport);
  if (!report) throw Exception(QStringLiteral("No report is being exported"));
  return *report;
}

namespace {

int PageNumber(const QString& text) {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok) throw ErpConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
  return value;
}

} // namespace

void TrpPageRange::Parse(const QString& text) {
  ranges_.clear();
  QString compact = text;
  compact.remove(QLatin1Char(' '));
  for (const QString& item : compact.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    const qsizetype dash = item.indexOf(QLatin1Char('-'));
    const int first = PageNumber(dash < 0 ? item : item.left(dash));
    const int last = dash < 0 ? first : PageNumber(item.mid(dash + 1));
    if (first <= last) ranges_.append({first, last});
  }
  std::sort(ranges_.begin(), ranges_.end());
}

bool TrpPageRange::Contains(int page) const {
  if (ranges_.isEmpty()) return true;
  return std::any_of(ranges_.begin(), ranges_.end(),
                     [page](const std::pair<int, int>& r) { return r.first <= page && page <= r.second; });
}

QByteArray rpEncodeText(const QString& text, bool oem) {
  return oem ? Cp852::CodePage().EncodeNearest(text, '_') : Cp1250::CodePage().EncodeNearest(text, '?');
}

std::function<bool(const QString& fileName)> rpOpenDocument = [](const QString& fileName) {
  return Shell::OpenUrl(fileName);
};

void rpPutLE16(QByteArray& out, quint32 value) {
  out += char(value & 0xFF);
  out += char((value >> 8) & 0xFF);
}

void rpPutLE32(QByteArray& out, quint32 value) {
  rpPutLE16(out, value & 0xFFFF);
  rpPutLE16(out, value >> 16);
}

QByteArray rpNum(qint64 value) { return QByteArray::number(value); }

QString rpBareName(const QString& fileName) { return QFileInfo(fileName).completeBaseName(); }

QImage rpGraphicAsImage(const TrpPictureView& picture) {
  const TrpGraphic& graphic = picture.Picture;
  if (graphic.IsEmpty()) return {};
  if (!graphic.Image.isNull()) return graphic.Image.convertToFormat(QImage::Format_RGB32);
  if (graphic.Recording.isNull()) return {};
  const QRect bounds = graphic.Recording.boundingRect();
  QImage image(bounds.size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.translate(-bounds.topLeft());
  QPicture recording = graphic.Recording; // playing needs a modifiable picture
  recording.play(&painter);
  return image;
}

void rpWriteWholeFile(const QString& fileName, const QByteArray& contents) {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() || !file.commit())
    throw Exception(QStringLiteral("Súbor %1 sa nedá zapísať.").arg(fileName));
}
