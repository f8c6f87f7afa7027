#pragma once
#include "core/ui/Form.h"
#include "reports/engine/rpEMFPages.h"
#include <QtCore/QPointer>
#include <QtWidgets/QWidget>

class QActionGroup;
class QPageLayout;
class QLabel;
class QAction;
class QMenu;
class QScrollBar;
class TrpSpeedButton;
class TrpPreviewForm;
class TrpReport;

// The preview's page box: paints the pages and hands its mouse to the preview.
class TrpPBox : public QWidget {
  Q_OBJECT
public:
  TrpPBox(TrpPreviewForm* preview, QWidget* parent);

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

private:
  TrpPreviewForm* preview_;
};

// The preview window over a report's prepared pages. While it shows, it holds
// the pages and the report has an empty list; every action that needs them
// (save, print) hands them back for its run, and closing gives them back for
// good. Zoom modes: 0 fixed per cent, 1 page width, 2 whole page, 3 two pages;
// the last zoom chosen is where every later preview of the run starts.
class TrpPreviewForm : public TForm {
  Q_OBJECT
public:
  // The engine's preview hook: a new window over the report's pages under the
  // caption; a modal one is freed when it closes, a modeless one frees itself.
  static void Preview(TrpReport& report, const QString& caption);

  explicit TrpPreviewForm(QWidget* parent = nullptr);
  ~TrpPreviewForm() override;

  // Connects, applies the report's options and shows page 1: modally with
  // ModalPreview (returns when closed), else modeless (freed on close).
  void ShowReport(TrpReport* report);
  // Takes the report's prepared pages for display; the report keeps an empty list.
  void Connect(TrpReport* report);
  // Gives the displayed pages back to the report.
  void Disconnect();
  void ApplyReportOptions();
  void Redisplay(bool fromFirstPage = true);
  void ShowPageNumber();
  void ScrollToCurrentPage();
  // A zoom menu choice: tags 1-3 set the mode, any other the per cent.
  void SetZoomTag(int tag);
  // Shows the page (1-based, kept within the page count) at the top.
  void GoToPage(int page);
  // Loads a ".rpp" file in place of the shown pages; a damaged file shows its
  // error and leaves the shown pages as they were.
  void LoadFile(const QString& fileName);
  // Saves the shown pages as a ".rpp" file (extension forced); false on failure.
  bool SaveFile(const QString& fileName);
  // Exports the shown pages through the filter into the file, its extension
  // taken from the filter's mask; false when nothing was written.
  bool ExportFile(class TrpExportFilter* filter, const QString& mask, const QString& fileName);
  // Prints through the print dialog (current page offered), as the print
  // button does; with the report's RebuildPrinter, pages built here are built
  // again when another printer was chosen.
  void PrintBtnClick();
  // The page setup dialog over the first page's paper and margins, then ApplyPageSetup.
  void PageSetupBtnClick();
  // Gives every report page of the template the paper, orientation and
  // margins, rebuilds and shows page 1; false (nothing changes) when the
  // shown pages were not built from the template (a loaded ".rpp").
  bool ApplyPageSetup(const QPageLayout& layout);
  // Starts a search as the find dialog does; answers whether a hit was found.
  bool StartFind(const QString& text, bool caseSensitive, bool fromFirstPage);
  // The next hit after the last one, page by page; false when none is left.
  bool FindNext();

  int PageCount() const { return pages_.Count(); }
  int CurrentPage() const { return currentPage_; }
  double Zoom() const { return zoom_; }
  int ZoomMode() const { return zoomMode_; }
  // The page's rectangle in page-box pixels at the current scroll position.
  QRect PageRect(int index) const;
  // The last hit in page-box pixels; empty when none is marked.
  QRect HitRect() const { return hitMarked_ ? hitOnScreen_ : QRect(); }
  TrpEMFPages& Pages() { return pages_; }

  QWidget* TPanel;
  TrpSpeedButton* ZoomBtn;
  TrpSpeedButton* LoadBtn;
  TrpSpeedButton* SaveBtn;
  TrpSpeedButton* PrintBtn;
  TrpSpeedButton* PageSetupBtn;
  TrpSpeedButton* FindBtn;
  TrpSpeedButton* HelpBtn;
  TrpSpeedButton* ExitBtn;
  QWidget* Separator1;
  QWidget* Separator2;
  QWidget* Separator3;
  QWidget* PreviewPanel;
  TrpPBox* ScrollBox1;
  QWidget* RPanel;
  TrpSpeedButton* PgUp;
  TrpSpeedButton* PgDown;
  QScrollBar* VScrollBar;
  QWidget* BPanel;
  QLabel* Label1;
  QLabel* Label2;
  QScrollBar* HScrollBar;
  QMenu* ProcMenu;
  // The page items of ProcMenu: only with a registered designer and the report's ModifyPrepared.
  QAction* EditPageItem;
  QAction* AddPageItem;
  QAction* RemovePageItem;
  // Opens the designer on the current page and shows what it wrote back.
  void EditPageClick();
  // An empty page with the paper of the template's first page before the current one.
  void AddPageClick();
  // Asks first; the last page stays.
  void RemovePageClick();

signals:
  // The page shown in the status line changed (or was shown again).
  void PageShown(int page);

protected:
  bool FormKeyDown(QKeyEvent* event) override;
  // The window comes back where it was when it last closed.
  void FormShow() override;
  void FormClose(TCloseAction& action) override;
  void hideEvent(QHideEvent* event) override;

private:
  friend class TrpPBox;
  friend class TrpPreview;
  void CreateToolbar();
  void CreatePageArea();
  void CreateZoomMenu();
  void PrintOnChosenPrinter(int currentPage);
  void FormResize();
  void PaintBox(QPainter& painter, const QRect& region);
  void BoxMouseDown(QMouseEvent* event);
  void BoxMouseMove(QMouseEvent* event);
  void BoxDoubleClick(QMouseEvent* event);
  void BoxWheel(int steps);
  int PageAt(const QPoint& boxPoint) const;
  QRect DrawRect(int index, const QRect& pageRect) const;
  void VScroll(int position);
  void HScroll(int position);
  void ScrollBy(QScrollBar* bar, int delta);
  void ShowHit(int pageIndex, const QRect& hit);
  void TakePages(TrpEMFPages& from, TrpEMFPages& to);
  // Hidden pages keep no objects.
  void FreePageObjects(int index);
  void ZoomBtnClick();
  void LoadBtnClick();
  void SaveBtnClick();
  void FindBtnClick();
  void HelpBtnClick();
  void ExitBtnClick();
  void PgUpClick();
  void PgDownClick();

  QPointer<TrpReport> report_;
  TrpEMFPages pages_;
  bool connected_ = false; // pages_ holds the report's pages
  QActionGroup* zoomItems_;
  QAction* pageItemsSeparator_;
  bool PageEditingAllowed() const;
  void ShowPageItems(bool show);
  int currentPage_ = 1;
  double zoom_ = 1;
  int zoomMode_ = 0;
  int wheelFactor_ = 1;
  bool ready_ = false;
  bool dragging_ = false;
  QPoint dragFrom_;
  // The search (text upper-cased unless case sensitive) and its last hit.
  QString searchText_;
  bool caseSensitive_ = false;
  int searchPage_ = 0;
  int hitIndex_ = 0;
  bool hitMarked_ = false;
  QRect hitOnScreen_;
};

// A preview inside a host form: it keeps a hidden preview window for its
// whole life and shows that window's page area (and, with ShowToolbar, its
// tool bar) in itself. The host form's mouse wheel scrolls the pages.
class TrpPreview : public QWidget {
  Q_OBJECT
public:
  enum TScrollBars { ssNone, ssHorizontal, ssVertical, ssBoth };

  explicit TrpPreview(QWidget* parent = nullptr);
  ~TrpPreview() override;

  TScrollBars ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollBars bars);
  bool ShowToolbar() const;
  void SetShowToolbar(bool show);
  // Takes the report's pages and shows page 1.
  void Connect(TrpReport* report);
  // Gives the pages back to the report.
  void Disconnect();
  void Print();
  int CurrentPage() const;
  TrpPreviewForm* Window() const { return form_; }

signals:
  void PageChanged(int page);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  TrpPreviewForm* form_;
  QPointer<QWidget> host_;
  TScrollBars scrollBars_ = ssBoth;
};
