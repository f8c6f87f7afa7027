#include "console/editor/CodeEditBookMarkOpt.h"
#include "core/ui/ImageList.h"

TCodeBookMarkOpt::TCodeBookMarkOpt(QObject* owner) : owner_(owner) {}

TCodeBookMarkOpt::~TCodeBookMarkOpt() { QObject::disconnect(watch_); }

void TCodeBookMarkOpt::Changed() {
  if (OnChange) OnChange(this);
}

template <typename T> void TCodeBookMarkOpt::Set(T& field, T value) {
  if (field == value) return;
  field = value;
  Changed();
}

void TCodeBookMarkOpt::SetDrawBookmarksFirst(bool value) { Set(drawBookmarksFirst_, value); }
void TCodeBookMarkOpt::SetGlyphsVisible(bool value) { Set(glyphsVisible_, value); }
void TCodeBookMarkOpt::SetLeftMargin(int value) { Set(leftMargin_, value); }
void TCodeBookMarkOpt::SetXoffset(int value) { Set(xoffset_, value); }

void TCodeBookMarkOpt::Watch(TImageList* images) {
  QObject::disconnect(watch_);
  if (images)
    watch_ = QObject::connect(images, &QObject::destroyed, owner_, [this] {
      if (OnImagesDestroyed) OnImagesDestroyed();
    });
}

void TCodeBookMarkOpt::SetBookmarkImages(TImageList* images) {
  if (images == images_) return;
  images_ = images;
  Watch(images);
  Changed();
}

void TCodeBookMarkOpt::Assign(const TCodeBookMarkOpt& other) {
  images_ = other.images_;
  Watch(images_);
  drawBookmarksFirst_ = other.drawBookmarksFirst_;
  enableKeys_ = other.enableKeys_;
  glyphsVisible_ = other.glyphsVisible_;
  leftMargin_ = other.leftMargin_;
  xoffset_ = other.xoffset_;
  Changed();
}
