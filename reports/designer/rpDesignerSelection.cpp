#include "reports/designer/rpDesignerSelection.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpPictureView.h"

void TrpDesignerSelection::SetPage(TrpPage* page) {
  page_ = page;
  single_ = nullptr;
  ComputeMultipleSelection();
}

int TrpDesignerSelection::Count() const {
  int count = 0;
  if (page_)
    for (int i = 0; i < page_->Count(); ++i)
      count += page_->GetObject(i)->IsSelected ? 1 : 0;
  return count;
}

void TrpDesignerSelection::Clear() {
  if (page_)
    for (int i = 0; i < page_->Count(); ++i)
      page_->GetObject(i)->IsSelected = 0;
  single_ = nullptr;
  ComputeMultipleSelection();
}

void TrpDesignerSelection::SelectOnly(TrpView* object) {
  Clear();
  if (!object) return;
  object->IsSelected = 1;
  single_ = object;
  ComputeMultipleSelection();
}

void TrpDesignerSelection::SetSelected(TrpView* object, bool selected) {
  object->IsSelected = selected ? 1 : 0;
  if (!selected && single_ == object) single_ = nullptr;
  ComputeMultipleSelection();
}

TrpView* TrpDesignerSelection::LastSelected() const {
  if (!page_) return nullptr;
  for (int i = page_->Count() - 1; i >= 0; --i)
    if (page_->GetObject(i)->IsSelected) return page_->GetObject(i);
  return nullptr;
}

TrpSelectionKind TrpDesignerSelection::Kind() const {
  const int count = Count();
  if (count == 0) return TrpSelectionKind::None;
  if (count > 1) return TrpSelectionKind::Several;
  const TrpView* object = LastSelected();
  if (dynamic_cast<const TrpBandView*>(object)) return TrpSelectionKind::Band;
  if (dynamic_cast<const TrpMemoView*>(object)) return TrpSelectionKind::Text;
  return TrpSelectionKind::Other;
}

TrpSelectionEnabling TrpDesignerSelection::Enabling(bool clipboardHasEntries) const {
  const TrpSelectionKind kind = Kind();
  const bool reportPage = page_ && page_->PageType == 0;
  TrpSelectionEnabling enabling;
  enabling.FrameControls = reportPage && (kind == TrpSelectionKind::Text || kind == TrpSelectionKind::Other ||
                                          kind == TrpSelectionKind::Several);
  enabling.TextControls = kind == TrpSelectionKind::Text || kind == TrpSelectionKind::Several;
  enabling.SelectionCommands = kind != TrpSelectionKind::None;
  enabling.Paste = clipboardHasEntries;
  enabling.EditObject = Count() == 1;
  return enabling;
}

void TrpDesignerSelection::ComputeMultipleSelection() {
  multiFrameValid_ = false;
  gripIndex_ = -1;
  leftTop_ = QPoint(10000, 10000);
  rectsAtDown_.clear();
  if (!page_ || Count() < 2) return;
  int gripRight = 0, gripBottom = 0;
  for (int i = 0; i < page_->Count(); ++i) {
    const TrpView* object = page_->GetObject(i);
    if (!object->IsSelected) continue;
    rectsAtDown_.insert(object, QRect(object->Left, object->Top, object->Width, object->Height));
    leftTop_.setX(qMin(leftTop_.x(), object->Left));
    leftTop_.setY(qMin(leftTop_.y(), object->Top));
    const int right = object->Left + object->Width, bottom = object->Top + object->Height;
    if (gripIndex_ < 0 || right > gripRight || (right == gripRight && bottom > gripBottom)) {
      gripIndex_ = i;
      gripRight = right;
      gripBottom = bottom;
    }
  }
  multiFrame_ = QRect(leftTop_, QPoint(gripRight, gripBottom));
  multiFrameValid_ = true;
}

namespace {

QString PictureScale(const TrpView* object) {
  const auto* picture = dynamic_cast<const TrpPictureView*>(object);
  if (!picture) return {};
  const QSize size = picture->Picture.Image.isNull() ? picture->Picture.Recording.boundingRect().size()
                                                     : picture->Picture.Image.size();
  if (size.width() <= 0 || size.height() <= 0) return {};
  return QStringLiteral("% ") + QString::number(object->Width * 100 / size.width()) + QLatin1Char(',') +
         QString::number(object->Height * 100 / size.height());
}

QString ObjectText(const TrpView* object) {
  if (const auto* band = dynamic_cast<const TrpBandView*>(object)) {
    const QStringList& names = rpGlobals().BandNames;
    const int type = band->GetBandType();
    return object->Name + QStringLiteral(": ") + (type < names.size() ? names.at(type) : QString());
  }
  if (!object->Memo.isEmpty()) return object->Name + QStringLiteral(": ") + object->Memo.first();
  return object->Name;
}

} // namespace

TrpStatusTexts rpSelectionStatus(const TrpDesignerSelection& selection, TrpDesignerUnits units, QPoint mouse) {
  TrpStatusTexts texts;
  const int count = selection.Count();
  if (count == 1) {
    const TrpView* object = selection.LastSelected();
    texts.Position = rpStatusPair(object->Left, object->Top, units);
    texts.Size = rpStatusPair(object->Width, object->Height, units);
    texts.Scale = PictureScale(object);
    texts.ObjectText = ObjectText(object);
  } else if (count > 1 && selection.MultiFrameValid()) {
    texts.Position = rpStatusPair(selection.MultiLeftTop().x(), selection.MultiLeftTop().y(), units);
  } else if (count == 0) {
    texts.Position = rpStatusPair(mouse.x(), mouse.y(), units);
  }
  return texts;
}
