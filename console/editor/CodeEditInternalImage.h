#pragma once
#include <QtGui/QImage>

class QPainter;

// A strip of equally wide pictures from a resource, loaded once for the whole
// process however many objects use it (the bitmap lives while one does).
class TCodeInternalImage {
public:
  TCodeInternalImage(const QString& resourceName, int count);
  ~TCodeInternalImage();
  TCodeInternalImage(const TCodeInternalImage&) = delete;
  TCodeInternalImage& operator=(const TCodeInternalImage&) = delete;

  int Width() const { return width_; }
  int Height() const { return bitmap_.height(); }
  int Count() const { return count_; }
  // Copies picture `index` vertically centred in a row of lineHeight at
  // (x, y), or its middle band when taller; nothing outside 0..Count-1.
  void DrawImage(QPainter& painter, int index, int x, int y, int lineHeight) const;

  // How many objects share the bitmap of the resource (0: not loaded).
  static int UsageCount(const QString& resourceName);

private:
  QString key_;
  QImage bitmap_;
  int width_;
  int count_;
};
