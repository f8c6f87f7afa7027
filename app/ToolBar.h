#pragma once
#include "core/ui/ImageList.h"
#include <QtCore/QPointer>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>

// A tool button that draws picture `ImageIndex` of its tool bar's image list;
// check buttons (`SetCheckable`) keep their down state in `Down`. The hint is
// the tool tip.
class TToolButton : public QToolButton {
  Q_OBJECT
public:
  explicit TToolButton(QWidget* parent = nullptr);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  void SetImages(TImageList* images);
  TImageList* Images() const { return images_; }
  bool Down() const { return isChecked(); }
  void SetDown(bool down) { setChecked(down); }
  QString Hint() const { return toolTip(); }
  void SetHint(const QString& hint) { setToolTip(hint); }

private:
  void UpdateIcon();
  QPointer<TImageList> images_;
  int imageIndex_ = -1;
};

// The tool bar of the register forms: flat, images only, its buttons drawn
// from one image list (the main window's `il32` or `il16`).
class TToolBar : public QToolBar {
  Q_OBJECT
public:
  explicit TToolBar(QWidget* parent = nullptr);
  TImageList* Images() const { return images_; }
  // Also hands the list to the buttons already added.
  void SetImages(TImageList* images);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool on) { showHint_ = on; }
  // Adds a button named `name` with picture `imageIndex`.
  TToolButton* AddButton(const QString& name, int imageIndex, bool checkable = false);
  QList<TToolButton*> Buttons() const;

private:
  QPointer<TImageList> images_;
  bool showHint_ = false;
};

// The small button beside a lookup combo that opens the picker; read-only
// dialogs hide it.
class TSpeedButton : public QToolButton {
  Q_OBJECT
public:
  explicit TSpeedButton(QWidget* parent = nullptr);
};
