#pragma once
#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtGui/QPixmap>

// A list of equally sized pictures that buttons and tool bars draw by index
// (the main window's 16- and 32-pixel lists). Changed fires whenever the
// contents change, so that the controls showing them repaint.
class TImageList : public QObject {
  Q_OBJECT
public:
  TImageList(int width, int height, QObject* owner = nullptr);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return int(images_.size()); }
  // Appends a picture scaled to the list's size; returns its index.
  int Add(const QPixmap& image);
  void Replace(int index, const QPixmap& image);
  void Clear();
  // The picture at index, greyed when !enabled; null for a bad index.
  QPixmap Image(int index, bool enabled = true) const;

signals:
  void Changed();

private:
  QPixmap Fit(const QPixmap& image) const;

  int width_;
  int height_;
  QList<QPixmap> images_;
};
