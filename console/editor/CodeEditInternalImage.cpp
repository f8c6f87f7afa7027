#include "console/editor/CodeEditInternalImage.h"
#include "console/editor/CodeEditGlyph.h"
#include <QtCore/QHash>
#include <QtGui/QPainter>

namespace {

struct SharedBitmap {
  int usage = 0;
  QImage bitmap;
};

QHash<QString, SharedBitmap>& Bitmaps() {
  static QHash<QString, SharedBitmap> bitmaps;
  return bitmaps;
}

} // namespace

TCodeInternalImage::TCodeInternalImage(const QString& resourceName, int count)
    : key_(resourceName.toUpper()), count_(count) {
  InitCodeEditImages();
  SharedBitmap& shared = Bitmaps()[key_];
  if (shared.usage++ == 0) shared.bitmap = QImage(QStringLiteral(":/codeedit/") + resourceName);
  bitmap_ = shared.bitmap;
  width_ = count > 0 ? (bitmap_.width() + count / 2) / count : 0;
}

TCodeInternalImage::~TCodeInternalImage() {
  auto it = Bitmaps().find(key_);
  if (it != Bitmaps().end() && --it->usage == 0) Bitmaps().erase(it);
}

int TCodeInternalImage::UsageCount(const QString& resourceName) {
  return Bitmaps().value(resourceName.toUpper()).usage;
}

void TCodeInternalImage::DrawImage(QPainter& painter, int index, int x, int y, int lineHeight) const {
  if (index < 0 || index >= count_) return;
  DrawPictureInRow(painter, bitmap_, QRect(index * width_, 0, width_, bitmap_.height()), x, y, lineHeight);
}
