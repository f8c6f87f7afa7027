#pragma once
#include "core/ui/ImageList.h"
#include <QtCore/QMetaObject>
#include <QtCore/QPointer>
#include <functional>

// How the gutter shows bookmarks and marks: their pictures (an image list of
// the form, or the built-in ones), the margins, and whether bookmarks are
// drawn before the other marks.
class TCodeBookMarkOpt {
public:
  // `owner` hears when the image list is destroyed (OnImagesDestroyed).
  explicit TCodeBookMarkOpt(QObject* owner);
  ~TCodeBookMarkOpt();

  TImageList* BookmarkImages() const { return images_; }
  bool DrawBookmarksFirst() const { return drawBookmarksFirst_; }
  bool EnableKeys() const { return enableKeys_; }
  bool GlyphsVisible() const { return glyphsVisible_; }
  int LeftMargin() const { return leftMargin_; }
  int Xoffset() const { return xoffset_; }

  void SetBookmarkImages(TImageList* images);
  void SetDrawBookmarksFirst(bool value);
  void SetEnableKeys(bool value) { enableKeys_ = value; }
  void SetGlyphsVisible(bool value);
  void SetLeftMargin(int value);
  void SetXoffset(int value);
  void Assign(const TCodeBookMarkOpt& other);

  std::function<void(TCodeBookMarkOpt* sender)> OnChange;
  // The image list went away; the reference is already cleared.
  std::function<void()> OnImagesDestroyed;

private:
  template <typename T> void Set(T& field, T value);
  void Changed();
  void Watch(TImageList* images);

  QPointer<TImageList> images_;
  bool drawBookmarksFirst_ = true;
  bool enableKeys_ = true;
  bool glyphsVisible_ = true;
  int leftMargin_ = 2;
  QObject* owner_;
  int xoffset_ = 12;
  QMetaObject::Connection watch_;
};
