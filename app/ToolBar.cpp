#include "app/ToolBar.h"
#include "core/ui/ImageList.h"

TToolButton::TToolButton(QWidget* parent) : QToolButton(parent) {
  setToolButtonStyle(Qt::ToolButtonIconOnly);
  setAutoRaise(true);
  setFocusPolicy(Qt::NoFocus);
}

void TToolButton::SetImageIndex(int index) {
  imageIndex_ = index;
  UpdateIcon();
}

void TToolButton::SetImages(TImageList* images) {
  if (images_) disconnect(images_, nullptr, this, nullptr);
  images_ = images;
  if (images) connect(images, &TImageList::Changed, this, &TToolButton::UpdateIcon);
  UpdateIcon();
}

void TToolButton::UpdateIcon() {
  if (!images_) {
    setIcon(QIcon());
    return;
  }
  QIcon icon(images_->Image(imageIndex_));
  icon.addPixmap(images_->Image(imageIndex_, false), QIcon::Disabled);
  setIcon(icon);
  setIconSize(QSize(images_->Width(), images_->Height()));
}

TToolBar::TToolBar(QWidget* parent) : QToolBar(parent) {
  setMovable(false);
  setFloatable(false);
  setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void TToolBar::SetImages(TImageList* images) {
  images_ = images;
  for (TToolButton* button : Buttons())
    button->SetImages(images);
}

TToolButton* TToolBar::AddButton(const QString& name, int imageIndex, bool checkable) {
  auto* button = new TToolButton(this);
  button->setObjectName(name);
  button->setCheckable(checkable);
  button->setFixedSize(39, 38);
  button->SetImages(images_);
  button->SetImageIndex(imageIndex);
  addWidget(button);
  return button;
}

QList<TToolButton*> TToolBar::Buttons() const { return findChildren<TToolButton*>(Qt::FindDirectChildrenOnly); }

TSpeedButton::TSpeedButton(QWidget* parent) : QToolButton(parent) { setText(QStringLiteral("...")); }
