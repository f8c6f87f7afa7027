#include "reports/export/rpIEMatrix.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpRunContext.h"
#include "reports/engine/rpView.h"
#include "reports/export/rpProgress.h"
#include <QtGui/QPainter>
#include <algorithm>
#include <cmath>

bool TrpIEMStyle::SameAs(const TrpIEMStyle& other) const {
  return Font.Color == other.Font.Color && Font.Name == other.Font.Name && Font.Size == other.Font.Size &&
         Font.Style == other.Font.Style && Alignment == other.Alignment && FrameTyp == other.FrameTyp &&
         FrameWidth == other.FrameWidth && FrameColor == other.FrameColor && FrameStyle == other.FrameStyle &&
         FillColor == other.FillColor;
}

TrpIEMatrix::TrpIEMatrix() = default;
TrpIEMatrix::~TrpIEMatrix() = default;

int TrpIEMatrix::AddStyle(const TrpIEMStyle& style) {
  for (size_t i = 0; i < styles_.size(); ++i)
    if (styles_[i].SameAs(style)) return int(i);
  styles_.push_back(style);
  return int(styles_.size()) - 1;
}

void TrpIEMatrix::AddPos(QList<double>& list, double value) {
  // Only the last values are compared; the ordering step removes older duplicates.
  const qsizetype from = std::max<qsizetype>(0, list.size() - 100);
  for (qsizetype i = list.size() - 1; i >= from; --i)
    if (list[i] == value) return;
  list.append(value);
}

void TrpIEMatrix::AddObject(TrpView* view) {
  TrpIEMStyle style;
  auto object = std::make_unique<TrpIEMObject>();
  if (auto* memo = dynamic_cast<TrpMemoView*>(view)) {
    style.Font = memo->Font;
    style.Alignment = memo->Alignment;
    style.FrameTyp = memo->FrameTyp;
    style.FrameWidth = memo->FrameWidth;
    style.FrameColor = memo->FrameColor;
    style.FrameStyle = memo->FrameStyle;
    style.FillColor = memo->FillColor;
    object->IsText = true;
    object->Memo = memo->Memo;
  } else {
    style.FillColor = view->FillColor;
    style.Font = TrpFont();
  }
  object->StyleIndex = AddStyle(style);
  object->Left = view->Left;
  object->Top = view->Top + deltaY_;
  object->Width = view->Width;
  object->Height = view->Height;
  if (!object->IsText) {
    if (rpRoundEven(object->Width) == 0) object->Width = 1;
    if (object->Width < 0) {
      object->Width = -object->Width;
      object->Left -= object->Width;
    }
    if (rpRoundEven(object->Height) == 0) object->Height = 1;
    if (object->Height < 0) {
      object->Height = -object->Height;
      object->Top -= object->Height;
    }
    object->Image = QImage(rpRoundEven(object->Width) + 1, rpRoundEven(object->Height) + 1, QImage::Format_RGB32);
    object->Image.fill(Qt::white);
    view->Left = 0;
    view->Top = 0;
    {
      QPainter painter(&object->Image);
      view->Draw(rpRun(), &painter);
    }
    view->Left = rpRoundEven(object->Left);
    view->Top = rpRoundEven(object->Top - deltaY_);
  }
  maxHeight_ = std::max(maxHeight_, object->Top + object->Height);
  maxWidth_ = std::max(maxWidth_, object->Left + object->Width);
  AddPos(xs_, object->Left);
  AddPos(xs_, object->Left + object->Width);
  AddPos(ys_, object->Top);
  AddPos(ys_, object->Top + object->Height);
  TrpIEMObjectList entry;
  entry.Object = std::move(object);
  objects_.push_back(std::move(entry));
}

void TrpIEMatrix::AddPageBreak() {
  deltaY_ = maxHeight_;
  breaks_.append(maxHeight_);
}

void TrpIEMatrix::OrderPositions(QList<double>& list, bool splitRows) {
  std::sort(list.begin(), list.end());
  for (qsizetype i = 0; i + 1 < list.size();) {
    if (list[i + 1] - list[i] <= Inaccuracy)
      list.removeAt(i);
    else
      ++i;
  }
  if (!splitRows || MaxCellHeight <= 0) return;
  const qsizetype count = list.size();
  for (qsizetype i = 0; i + 1 < count; ++i) {
    const double current = list[i], next = list[i + 1];
    const int extra = int(std::trunc((next - current) / MaxCellHeight));
    // A split that would fall on the next boundary itself would give a row of no height.
    for (int k = 1; k <= extra && current + k * MaxCellHeight < next; ++k)
      AddPos(list, current + k * MaxCellHeight);
  }
  if (list.size() != count) std::sort(list.begin(), list.end());
}

namespace {

// The first position not below `value` (the last one when all are below).
int FirstNotBelow(const QList<double>& list, double value) {
  const auto it = std::lower_bound(list.begin(), list.end(), value);
  if (it == list.end()) return int(list.size()) - 1;
  return int(it - list.begin());
}

// The number of positions after `first` up to and including the first one
// not below `end`: at least one while there is a next position, so an object
// whose edges merged into one boundary still has a cell.
int SpanFrom(const QList<double>& list, int first, double end) {
  const int last = FirstNotBelow(list, end);
  return std::min(std::max(last, first + 1), int(list.size()) - 1) - first;
}

} // namespace

void TrpIEMatrix::FindSpans() {
  for (TrpIEMObjectList& entry : objects_) {
    const TrpIEMObject& o = *entry.Object;
    entry.X = FirstNotBelow(xs_, o.Left);
    entry.DX = SpanFrom(xs_, entry.X, o.Left + o.Width);
    entry.Y = FirstNotBelow(ys_, o.Top);
    entry.DY = SpanFrom(ys_, entry.Y, o.Top + o.Height);
  }
}

void TrpIEMatrix::FillCells() {
  cells_ = QList<int>(qsizetype(width_) * height_, -1);
  for (size_t i = 0; i < objects_.size(); ++i) {
    TrpIEMObjectList& entry = objects_[i];
    if (entry.DX <= 0 || entry.DY <= 0) continue;
    TrpIEMObject& o = *entry.Object;
    // A transparent object shows what lies beneath it.
    const int below = CellIndex(entry.X, entry.Y);
    if (styles_[size_t(o.StyleIndex)].FillColor == clNone && below >= 0) {
      TrpIEMStyle style = styles_[size_t(o.StyleIndex)];
      style.FillColor = styles_[size_t(objects_[size_t(below)].Object->StyleIndex)].FillColor;
      o.StyleIndex = AddStyle(style);
    }
    for (int r = entry.Y; r < entry.Y + entry.DY; ++r)
      for (int c = entry.X; c < entry.X + entry.DX; ++c)
        cells_[c + qsizetype(r) * width_] = int(i);
  }
}

void TrpIEMatrix::CutCoveredObjects() {
  for (int row = 0; row < height_; ++row) {
    for (int column = 0; column < width_; ++column) {
      const int index = CellIndex(column, row);
      if (index < 0 || objects_[size_t(index)].Exist) continue;
      int blockWidth = 0;
      while (column + blockWidth < width_ && CellIndex(column + blockWidth, row) == index)
        ++blockWidth;
      int blockHeight = 1;
      for (int r = row + 1; r < height_ && CellIndex(column, r) == index; ++r) {
        int run = 0;
        while (column + run < width_ && CellIndex(column + run, r) == index)
          ++run;
        if (run < blockWidth) break;
        ++blockHeight;
      }
      const TrpIEMObjectList& entry = objects_[size_t(index)];
      if (entry.X == column && entry.Y == row && entry.DX == blockWidth && entry.DY == blockHeight)
        objects_[size_t(index)].Exist = true;
      else
        CutBlock(index, column, row, blockWidth, blockHeight);
    }
  }
}

void TrpIEMatrix::CutBlock(int index, int column, int row, int width, int height) {
  TrpIEMObjectList& parentEntry = objects_[size_t(index)];
  TrpIEMObject& parent = *parentEntry.Object;
  auto piece = std::make_unique<TrpIEMObject>();
  piece->StyleIndex = parent.StyleIndex;
  piece->Left = xs_[column];
  piece->Top = ys_[row];
  piece->Width = xs_[column + width] - xs_[column];
  piece->Height = ys_[row + height] - ys_[row];
  piece->Memo = parent.Memo;
  piece->Image = parent.Image;
  piece->IsText = parent.IsText;
  piece->Parent = &parent;
  const bool bothText = parent.IsText;
  parent.Memo.clear();
  parent.Image = QImage();
  parent.IsText = true;
  if (bothText) {
    // A piece keeps only the frame sides that lie on its parent's outline.
    const int frame = styles_[size_t(parent.StyleIndex)].FrameTyp;
    int kept = 0;
    if (row == parentEntry.Y) kept |= frame & 8;
    if (column == parentEntry.X) kept |= frame & 4;
    if (row + height == parentEntry.Y + parentEntry.DY) kept |= frame & 2;
    if (column + width == parentEntry.X + parentEntry.DX) kept |= frame & 1;
    if (kept != frame) {
      TrpIEMStyle style = styles_[size_t(parent.StyleIndex)];
      style.FrameTyp = kept;
      piece->StyleIndex = AddStyle(style);
    }
  }
  TrpIEMObjectList entry;
  entry.Object = std::move(piece);
  entry.X = column;
  entry.Y = row;
  entry.DX = width;
  entry.DY = height;
  entry.Exist = true;
  objects_.push_back(std::move(entry));
  const int pieceIndex = int(objects_.size()) - 1;
  for (int r = row; r < row + height; ++r)
    for (int c = column; c < column + width; ++c)
      cells_[c + qsizetype(r) * width_] = pieceIndex;
}

void TrpIEMatrix::SetFrame(int objectIndex, int frameTyp) {
  TrpIEMObject& o = *objects_[size_t(objectIndex)].Object;
  TrpIEMStyle style = styles_[size_t(o.StyleIndex)];
  style.FrameTyp = frameTyp;
  o.StyleIndex = AddStyle(style);
}

void TrpIEMatrix::DropDuplicateBorders() {
  for (int row = 0; row < height_; ++row) {
    for (int column = 0; column < width_; ++column) {
      const int index = CellIndex(column, row);
      if (index < 0) continue;
      const TrpIEMStyle& style = styles_[size_t(objects_[size_t(index)].Object->StyleIndex)];
      int frame = style.FrameTyp;
      const auto sameLine = [&](int other, int side) {
        if (other < 0 || other == index) return false;
        const TrpIEMStyle& o = styles_[size_t(objects_[size_t(other)].Object->StyleIndex)];
        return (o.FrameTyp & side) && o.FrameWidth == style.FrameWidth && o.FrameColor == style.FrameColor;
      };
      if ((frame & 8) && sameLine(CellIndex(column, row - 1), 2)) frame &= ~8;
      if ((frame & 4) && sameLine(CellIndex(column - 1, row), 1)) frame &= ~4;
      if (frame != style.FrameTyp) SetFrame(index, frame);
    }
  }
}

void TrpIEMatrix::Prepare() {
  std::unique_ptr<TrpProgress> progress;
  if (ShowProgress) {
    progress = std::make_unique<TrpProgress>();
    progress->Execute(11, QStringLiteral("Prepare export"), true, false);
  }
  const auto step = [&] {
    if (progress) progress->Tick();
  };
  // Each ordering counts as its four stages.
  OrderPositions(xs_, false);
  for (int i = 0; i < 4; ++i)
    step();
  OrderPositions(ys_, true);
  for (int i = 0; i < 4; ++i)
    step();
  FindSpans();
  step();
  width_ = int(xs_.size());
  height_ = int(ys_.size());
  FillCells();
  step();
  CutCoveredObjects();
  step();
  if (DeleteDuplicateBorders) DropDuplicateBorders();
}

void TrpIEMatrix::Clear() {
  objects_.clear();
  styles_.clear();
  xs_.clear();
  ys_.clear();
  breaks_.clear();
  cells_.clear();
  width_ = height_ = 0;
  deltaY_ = 0;
}

int TrpIEMatrix::CellIndex(int column, int row) const {
  if (column < 0 || row < 0 || column >= width_ || row >= height_) return -1;
  return cells_[column + qsizetype(row) * width_];
}

TrpIEMObject* TrpIEMatrix::CellObject(int column, int row) const { return ObjectByIndex(CellIndex(column, row)); }

TrpIEMObject* TrpIEMatrix::ObjectByIndex(int index) const {
  if (index < 0 || index >= int(objects_.size())) return nullptr;
  return objects_[size_t(index)].Object.get();
}

void TrpIEMatrix::ObjectBounds(int index, int& x, int& y, int& dx, int& dy) const {
  const TrpIEMObjectList& entry = objects_.at(size_t(index));
  x = entry.X;
  y = entry.Y;
  dx = entry.DX;
  dy = entry.DY;
}
