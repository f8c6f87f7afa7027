#include "core/ui/ImageList.h"
#include <QtGui/QIcon>

TImageList::TImageList(int width, int height, QObject* owner) : QObject(owner), width_(width), height_(height) {}

QPixmap TImageList::Fit(const QPixmap& image) const {
  return image.size() == QSize(width_, height_)
             ? image
             : image.scaled(width_, height_, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

int TImageList::Add(const QPixmap& image) {
  images_.append(Fit(image));
  emit Changed();
  return Count() - 1;
}

void TImageList::Replace(int index, const QPixmap& image) {
  if (index < 0 || index >= Count()) return;
  images_[index] = Fit(image);
  emit Changed();
}

void TImageList::Clear() {
  images_.clear();
  emit Changed();
}

QPixmap TImageList::Image(int index, bool enabled) const {
  if (index < 0 || index >= Count()) return {};
  if (enabled) return images_.at(index);
  return QIcon(images_.at(index)).pixmap(images_.at(index).size(), QIcon::Disabled);
}
