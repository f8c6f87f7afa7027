#pragma once
#include "reports/engine/rpPrinter.h"
#include "reports/engine/rpView.h"
#include <memory>
#include <vector>

class TrpPages;

// A template page: a report page with paper, margins, columns and the report
// objects placed on it, or a dialog page whose objects are dialog controls.
// It owns its objects.
class TrpPage : public TrpObject {
public:
  TrpPage(TrpPages* owner, int paperSize, int width, int height, int bin, int orientation);
  ~TrpPage() override;

  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  void ListProperties() override;

  // Sets the paper through the report printer (custom paper and the default
  // bin when the printer refuses) and takes back what the printer accepted.
  void ApplyPaper(int paperSize, int width, int height, int bin, int orientation);
  void LoadFromStream(TBinaryReader& stream);
  void SaveToStream(TBinaryWriter& stream) const;

  int Count() const { return int(objects_.size()); }
  TrpView* GetObject(int index) const { return objects_.at(size_t(index)).get(); }
  // Appends the object; the page owns it from now on.
  TrpView* Add(std::unique_ptr<TrpView> view);
  void Clear();
  // Removes the entry and frees the object (which may delete others of the page).
  void Delete(int index);
  // Moves the object at `from` to index `to`; the others keep their order.
  void MoveObject(int from, int to);
  int IndexOfObjectID(qint32 id) const;
  // Compared without regard to case; null when absent.
  TrpView* FindObject(const QString& name) const;
  // "Page" + the first number 1..10000 no page of the report bears; "Page" when all are taken.
  void AssignFreeName();
  // Hands the page's script to the designer's script editor in a temporary
  // control and keeps what comes back; nothing without a script editor.
  void EditScript();

  int PrintableLeft() const;
  int PrintableTop() const;
  int PrintableRight() const;
  int PrintableBottom() const;

  int PaperSize = 9;
  int PaperWidth = 0, PaperHeight = 0;                                  // 0.1 mm
  int LeftMargin = 0, TopMargin = 0, RightMargin = 0, BottomMargin = 0; // pixels; 0: the printable offset
  quint8 Orientation = 0;
  int Bin = 65535;
  bool PrintToPrevPage = false;
  bool UseMargins = true;
  TrpPrnInfo PrnInfo;
  int ColumnCount = 0, ColumnGap = 0, ColumnWidth = 0;
  quint8 PageType = 0; // 0 report page, 1 dialog page
  QString Name;
  quint8 BorderStyle = 3; // 3 dialog, 2 sizeable
  QString Caption = QStringLiteral("Form");
  qint32 Color = clBtnFace;
  int DialogLeft = 220, DialogTop = 120, DialogWidth = 380, DialogHeight = 300;
  quint8 Position = 4; // 4 screen centre, 0 designed
  QStringList Script;
  bool Visible = true;

private:
  TrpPages* owner_;
  std::vector<std::unique_ptr<TrpView>> objects_;
};

// The report's template pages, in order.
class TrpPages {
public:
  int Count() const { return int(pages_.size()); }
  TrpPage* GetPage(int index) const { return pages_.at(size_t(index)).get(); }
  int IndexOf(const TrpPage* page) const;
  // A report page with the default paper size, width and height 0, default bin, portrait.
  TrpPage* Add();
  void Delete(int index);
  void Clear() { pages_.clear(); }
  void Move(int from, int to);
  // Draws every object aligned to its band once on an off-screen canvas, each
  // page current in the run in turn, so aligned positions and widths are settled before
  // the first band prints (printing aligns against these neighbours).
  void PrepareAlignedObjects(TrpRunContext& run);

private:
  std::vector<std::unique_ptr<TrpPage>> pages_;
};
