#pragma once
#include "core/Color.h"
#include "reports/engine/rpStream.h"
#include <QtCore/QList>
#include <QtCore/QStringList>
#include <QtGui/QImage>
#include <memory>
#include <vector>

class TrpView;

// The look of a grid cell: font, alignment (bits 0-1 left, right, centre,
// justify; 8 middle, 16 bottom) and frame (8 top, 4 left, 2 bottom, 1 right)
// in the report engine's codes.
struct TrpIEMStyle {
  TrpFont Font;
  int Alignment = 0;
  int FrameTyp = 0;
  float FrameWidth = 1.0f;
  TColor FrameColor = clBlack;
  int FrameStyle = 0;
  TColor FillColor = clNone;
  // Equal looks; the font's character set does not count.
  bool SameAs(const TrpIEMStyle& other) const;
};

// An object of the grid: a text or a picture with its rectangle in report pixels.
struct TrpIEMObject {
  QStringList Memo;
  int StyleIndex = 0;
  bool IsText = false;
  double Left = 0, Top = 0, Width = 0, Height = 0;
  QImage Image;                         // pictures only
  const TrpIEMObject* Parent = nullptr; // the object this piece was cut from
  int Exported = 0;                     // set by a writer once the object is written
};

// An object's place in the grid: its top-left cell and spans.
struct TrpIEMObjectList {
  std::unique_ptr<TrpIEMObject> Object;
  int X = 0, Y = 0, DX = 1, DY = 1;
  bool Exist = false; // the block has been checked by the cutting step
};

// Turns the freely placed, possibly overlapping objects of exported pages
// into a grid of rows and columns in which every object covers a block of
// cells; the HTML table and spreadsheet exports write that grid.
class TrpIEMatrix {
public:
  TrpIEMatrix();
  ~TrpIEMatrix();

  // Adds an object of the current page (pages follow each other downwards).
  void AddObject(TrpView* object);
  // The current page ends: the next one starts below everything added.
  void AddPageBreak();
  // Orders the boundaries, merges close ones, splits tall rows, finds each
  // object's block, fills the cells and cuts objects that later ones cover.
  void Prepare();
  // Frees objects, styles, positions and breaks; MaxWidth and MaxHeight stay.
  void Clear();

  int CellIndex(int column, int row) const;
  TrpIEMObject* CellObject(int column, int row) const;
  TrpIEMObject* ObjectByIndex(int index) const;
  void ObjectBounds(int index, int& x, int& y, int& dx, int& dy) const;
  int ObjectCount() const { return int(objects_.size()); }
  double XPos(int index) const { return xs_.at(index); }
  double YPos(int index) const { return ys_.at(index); }
  const TrpIEMStyle& Style(int index) const { return styles_.at(size_t(index)); }
  int StyleCount() const { return int(styles_.size()); }
  double PageBreak(int index) const { return index < breaks_.size() ? breaks_.at(index) : 0; }
  int PageBreakCount() const { return int(breaks_.size()); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  double MaxWidth() const { return maxWidth_; }
  double MaxHeight() const { return maxHeight_; }

  // The index of an equal stored style, or of this one added.
  int AddStyle(const TrpIEMStyle& style);

  bool ShowProgress = true;
  double MaxCellHeight = 0; // rows taller than this are split; 0: no limit
  double Inaccuracy = 0;    // boundaries this close are merged
  bool DeleteDuplicateBorders = false;

private:
  static void AddPos(QList<double>& list, double value);
  void OrderPositions(QList<double>& list, bool splitRows);
  void FindSpans();
  void FillCells();
  void CutCoveredObjects();
  void CutBlock(int index, int column, int row, int width, int height);
  void DropDuplicateBorders();
  void SetFrame(int objectIndex, int frameTyp);

  std::vector<TrpIEMObjectList> objects_;
  std::vector<TrpIEMStyle> styles_;
  QList<double> xs_, ys_, breaks_;
  QList<int> cells_;
  int width_ = 0, height_ = 0;
  double maxWidth_ = 0, maxHeight_ = 0;
  double deltaY_ = 0;
};
