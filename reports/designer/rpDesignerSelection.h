#pragma once
#include "reports/designer/rpDesignerUnits.h"
#include <QtCore/QHash>
#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtCore/QString>

class TrpPage;
class TrpView;

// What is selected on the designer's page, as the commands see it.
enum class TrpSelectionKind { None, Band, Text, Other, Several };

// Which commands the selection allows (the tool bars, the menus and the
// context menu follow it).
struct TrpSelectionEnabling {
  bool FrameControls = false;     // frame lines, fill and frame colour, frame width and style
  bool TextControls = false;      // font, size, style, font colour, alignment, highlight
  bool SelectionCommands = false; // cut, copy, delete, bring to front, send to back, fit to grid
  bool Paste = false;
  bool EditObject = false;
  bool operator==(const TrpSelectionEnabling&) const = default;
};

// The selection of the designer's current page: the objects' own selected
// flags, the object selected alone by the last click, and the frame of a
// multiple selection with its grip object.
class TrpDesignerSelection {
public:
  void SetPage(TrpPage* page);
  TrpPage* Page() const { return page_; }

  int Count() const;
  void Clear();
  // The object becomes the only one selected.
  void SelectOnly(TrpView* object);
  void SetSelected(TrpView* object, bool selected);
  // The selected object with the highest index, or null.
  TrpView* LastSelected() const;
  TrpView* SingleSelected() const { return single_; }
  void SetSingleSelected(TrpView* object) { single_ = object; }
  TrpSelectionKind Kind() const;
  TrpSelectionEnabling Enabling(bool clipboardHasEntries) const;

  // The frame of a multiple selection, recomputed after each change: from
  // the smallest left and top to the grip object's right and bottom edges.
  bool MultiFrameValid() const { return multiFrameValid_; }
  int GripIndex() const { return gripIndex_; }
  QRect MultiFrame() const { return multiFrame_; }
  QPoint MultiLeftTop() const { return leftTop_; }
  // Each selected object's rectangle when the frame was last computed (the
  // scaling by the grip starts from these); null rectangle when unknown.
  QRect RectAtDown(const TrpView* object) const { return rectsAtDown_.value(object); }
  // Computes the frame again after the objects or their flags changed.
  void ComputeMultipleSelection();

private:
  TrpPage* page_ = nullptr;
  TrpView* single_ = nullptr;
  bool multiFrameValid_ = false;
  int gripIndex_ = -1;
  QRect multiFrame_;
  QPoint leftTop_{10000, 10000};
  QHash<const TrpView*, QRect> rectsAtDown_;
};

// The texts of the status line.
struct TrpStatusTexts {
  QString Position, Size, Scale;
  QString ObjectText; // the right panel: the selected object's name with its band type or first text line
};

// The status for the selection: one object's position and size (a picture
// also its scale against the picture), several objects' smallest left and top,
// or the mouse position when nothing is selected.
TrpStatusTexts rpSelectionStatus(const TrpDesignerSelection& selection, TrpDesignerUnits units, QPoint mouse);
