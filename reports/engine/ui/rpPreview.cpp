#include "reports/engine/ui/rpPreview.h"
#include "core/BinaryStream.h"
#include "core/Exception.h"
#include "reports/engine/rpExportFilter.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUrlLink.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpDock.h"
#include "reports/engine/ui/rpFindForm.h"
#include "reports/engine/ui/rpQtPrinter.h"
#include "reports/engine/ui/rpSpeedButton.h"
#include "reports/engine/ui/rpTextScan.h"
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtGui/QActionGroup>
#include <QtGui/QKeyEvent>
#include <QtGui/QPageLayout>
#include <QtGui/QPainter>
#include <QtPrintSupport/QPageSetupDialog>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QFrame>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QVBoxLayout>
#include <QtWidgets/QWhatsThis>
#include <cmath>

namespace {

constexpr int kGap = 10;         // between pages and around them
constexpr int kSmallChange = 10; // scroll bars, arrow keys and the wheel
constexpr int kLargeChange = 200;
constexpr int kHandCursor = -21; // the hand cursor a link object asks for

// The zoom and mode chosen last, where every preview of the run starts.
struct TKeptZoom {
  double Zoom = 1;
  int Mode = 0;
};
TKeptZoom& KeptZoom() {
  static TKeptZoom kept;
  return kept;
}

TrpSpeedButton* ToolButton(QWidget* parent, const QString& text, int hintId) {
  auto* button = new TrpSpeedButton(parent);
  button->SetCaption(text);
  button->SetFlat(true);
  button->setToolTip(rpLoadStr(hintId));
  button->setWhatsThis(rpLoadStr(hintId));
  return button;
}

QWidget* Separator(QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::VLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

QScrollBar* ScrollBar(Qt::Orientation orientation, QWidget* parent) {
  auto* bar = new QScrollBar(orientation, parent);
  bar->setRange(0, 0);
  bar->setSingleStep(kSmallChange);
  bar->setPageStep(kLargeChange);
  bar->setFocusPolicy(Qt::NoFocus);
  return bar;
}

QString PageText(int page) { return rpLoadStr(55004) + QLatin1Char(' ') + QString::number(page); }

} // namespace

// --- the page box

TrpPBox::TrpPBox(TrpPreviewForm* preview, QWidget* parent) : QWidget(parent), preview_(preview) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

void TrpPBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  preview_->PaintBox(painter, event->rect());
}

void TrpPBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  preview_->FormResize();
}

void TrpPBox::mousePressEvent(QMouseEvent* event) { preview_->BoxMouseDown(event); }

void TrpPBox::mouseMoveEvent(QMouseEvent* event) { preview_->BoxMouseMove(event); }

void TrpPBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) preview_->dragging_ = false;
}

void TrpPBox::mouseDoubleClickEvent(QMouseEvent* event) { preview_->BoxDoubleClick(event); }

void TrpPBox::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y() / 120;
  if (steps != 0) preview_->BoxWheel(steps);
  event->accept();
}

// --- the window

TrpPreviewForm::TrpPreviewForm(QWidget* parent) : TForm(parent) {
  SetKeyPreview(true);
  setWindowFlags(Qt::Window);
  CreateToolbar();
  CreatePageArea();
  CreateZoomMenu();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(TPanel);
  layout->addWidget(PreviewPanel, 1);
  resize(900, 700);
}

void TrpPreviewForm::CreateToolbar() {
  TPanel = new QWidget(this);
  ZoomBtn = ToolButton(TPanel, QStringLiteral("100%"), 53024);
  LoadBtn = ToolButton(TPanel, rpLoadStr(53025), 53025);
  SaveBtn = ToolButton(TPanel, rpLoadStr(53026), 53026);
  PrintBtn = ToolButton(TPanel, rpLoadStr(53027), 53027);
  PageSetupBtn = ToolButton(TPanel, rpLoadStr(53033), 53033);
  FindBtn = ToolButton(TPanel, rpLoadStr(53028), 53028);
  HelpBtn = ToolButton(TPanel, QStringLiteral("?"), 53032);
  ExitBtn = ToolButton(TPanel, rpLoadStr(53023), 53023);
  Separator1 = Separator(TPanel);
  Separator2 = Separator(TPanel);
  Separator3 = Separator(TPanel);
  ZoomBtn->setMinimumWidth(56);
  auto* tools = new QHBoxLayout(TPanel);
  tools->setContentsMargins(2, 2, 2, 2);
  for (QWidget* w : std::initializer_list<QWidget*>{ZoomBtn, Separator1, LoadBtn, SaveBtn, PrintBtn, PageSetupBtn,
                                                    Separator2, FindBtn, Separator3, HelpBtn})
    tools->addWidget(w);
  tools->addStretch();
  tools->addWidget(ExitBtn);
  connect(ZoomBtn, &TrpSpeedButton::clicked, this, &TrpPreviewForm::ZoomBtnClick);
  connect(LoadBtn, &TrpSpeedButton::clicked, this, &TrpPreviewForm::LoadBtnClick);
  connect(SaveBtn, &TrpSpeedButton::clicked, this, &TrpPreviewForm::SaveBtnClick);
  connect(PrintBtn, &TrpSpeedButton::clicked, this, &TrpPreviewForm::PrintBtnClick);
  connect(PageSetupBtn, &TrpSpeedButton::clicked, this, &TrpPreviewForm::PageSetupBtnClick);
  connect(FindBtn, &TrpSpeedButton::clicked, this, &TrpPreviewForm::FindBtnClick);
  connect(HelpBtn, &TrpSpeedButton::clicked, this, &TrpPreviewForm::HelpBtnClick);
  connect(ExitBtn, &TrpSpeedButton::clicked, this, &TrpPreviewForm::ExitBtnClick);
}

void TrpPreviewForm::CreatePageArea() {
  // The page box with the page buttons and vertical bar at its right and the
  // status line with the horizontal bar below: all that a host form borrows.
  PreviewPanel = new QWidget(this);
  ScrollBox1 = new TrpPBox(this, PreviewPanel);
  ScrollBox1->setWhatsThis(rpLoadStr(53024));
  RPanel = new QWidget(PreviewPanel);
  VScrollBar = ScrollBar(Qt::Vertical, RPanel);
  PgUp = ToolButton(RPanel, QStringLiteral("▲"), 55004);
  PgDown = ToolButton(RPanel, QStringLiteral("▼"), 55004);
  auto* right = new QVBoxLayout(RPanel);
  right->setContentsMargins(0, 0, 0, 0);
  right->setSpacing(0);
  right->addWidget(VScrollBar, 1);
  right->addWidget(PgUp);
  right->addWidget(PgDown);
  BPanel = new QWidget(PreviewPanel);
  Label1 = new QLabel(BPanel);
  Label2 = new QLabel(BPanel);
  Label1->setMinimumWidth(110);
  Label2->setMinimumWidth(200);
  HScrollBar = ScrollBar(Qt::Horizontal, BPanel);
  auto* bottom = new QHBoxLayout(BPanel);
  bottom->setContentsMargins(4, 0, 0, 0);
  bottom->addWidget(Label1);
  bottom->addWidget(Label2);
  bottom->addWidget(HScrollBar, 1);
  auto* pages = new QHBoxLayout;
  pages->setSpacing(0);
  pages->addWidget(ScrollBox1, 1);
  pages->addWidget(RPanel);
  auto* area = new QVBoxLayout(PreviewPanel);
  area->setContentsMargins(0, 0, 0, 0);
  area->setSpacing(0);
  area->addLayout(pages, 1);
  area->addWidget(BPanel);
  connect(PgUp, &TrpSpeedButton::clicked, this, &TrpPreviewForm::PgUpClick);
  connect(PgDown, &TrpSpeedButton::clicked, this, &TrpPreviewForm::PgDownClick);
  connect(VScrollBar, &QScrollBar::valueChanged, this, &TrpPreviewForm::VScroll);
  connect(HScrollBar, &QScrollBar::valueChanged, this, &TrpPreviewForm::HScroll);
}

void TrpPreviewForm::CreateZoomMenu() {
  ProcMenu = new QMenu(this);
  zoomItems_ = new QActionGroup(this);
  auto addZoom = [this](const QString& caption, int tag) {
    QAction* item = ProcMenu->addAction(caption);
    item->setData(tag);
    item->setCheckable(true);
    zoomItems_->addAction(item);
    connect(item, &QAction::triggered, this, [this, tag] { SetZoomTag(tag); });
  };
  for (int percent : {200, 150, 100, 75, 50, 25, 10})
    addZoom(QString::number(percent) + QStringLiteral(" %"), percent);
  addZoom(rpLoadStr(53020), 1);
  addZoom(rpLoadStr(53021), 2);
  addZoom(rpLoadStr(53022), 3);
  pageItemsSeparator_ = ProcMenu->addSeparator();
  EditPageItem = ProcMenu->addAction(rpLoadStr(53029));
  AddPageItem = ProcMenu->addAction(rpLoadStr(53030));
  RemovePageItem = ProcMenu->addAction(rpLoadStr(53031));
  connect(EditPageItem, &QAction::triggered, this, &TrpPreviewForm::EditPageClick);
  connect(AddPageItem, &QAction::triggered, this, &TrpPreviewForm::AddPageClick);
  connect(RemovePageItem, &QAction::triggered, this, &TrpPreviewForm::RemovePageClick);
  ShowPageItems(false);
}

bool TrpPreviewForm::PageEditingAllowed() const {
  return report_ && report_->ModifyPrepared && bool(rpGlobals().DesignerWindow);
}

void TrpPreviewForm::ShowPageItems(bool show) {
  for (QAction* item : {pageItemsSeparator_, EditPageItem, AddPageItem, RemovePageItem})
    item->setVisible(show);
}

void TrpPreviewForm::EditPageClick() {
  if (!PageEditingAllowed() || PageCount() == 0) return;
  const int index = currentPage_ - 1;
  TrpReport* report = report_;
  Disconnect();
  report->EditPreparedPage(index);
  Connect(report);
  Redisplay(false);
}

void TrpPreviewForm::AddPageClick() {
  if (!PageEditingAllowed() || report_->Pages.Count() == 0) return;
  pages_.Insert(std::max(0, currentPage_ - 1), *report_->Pages.GetPage(0));
  Redisplay(false);
}

void TrpPreviewForm::RemovePageClick() {
  if (!PageEditingAllowed() || PageCount() <= 1) return;
  constexpr int yesNoQuestion = 4 | 32; // mb_YesNo | mb_IconQuestion
  if (rpGlobals().MessageBox(rpLoadStr(55005), rpLoadStr(55006), yesNoQuestion) != mrYes) return;
  pages_.Delete(currentPage_ - 1);
  Redisplay(true);
}

TrpPreviewForm::~TrpPreviewForm() { Disconnect(); }

void TrpPreviewForm::Preview(TrpReport& report, const QString& caption) {
  if (auto* panel = qobject_cast<TrpPreview*>(report.Preview)) {
    panel->Connect(&report);
    return;
  }
  auto* form = new TrpPreviewForm;
  form->SetCaption(caption);
  form->ShowReport(&report);
  if (report.ModalPreview) delete form;
}

void TrpPreviewForm::ShowReport(TrpReport* report) {
  Connect(report);
  ApplyReportOptions();
  Redisplay(true);
  if (report->ModalPreview) {
    setWindowState(windowState() | Qt::WindowMaximized);
    ShowModal();
  } else {
    setAttribute(Qt::WA_DeleteOnClose);
    showMaximized();
  }
}

void TrpPreviewForm::TakePages(TrpEMFPages& from, TrpEMFPages& to) {
  // Only the pages move: each list keeps its own hooks.
  auto keepFrom = std::make_tuple(from.OnObjectClick, from.OnMouseOverObject, from.OpenUrl, from.OnPageAdded);
  auto keepTo = std::make_tuple(to.OnObjectClick, to.OnMouseOverObject, to.OpenUrl, to.OnPageAdded);
  to.Clear();
  std::swap(from, to);
  std::tie(from.OnObjectClick, from.OnMouseOverObject, from.OpenUrl, from.OnPageAdded) = keepFrom;
  std::tie(to.OnObjectClick, to.OnMouseOverObject, to.OpenUrl, to.OnPageAdded) = keepTo;
}

void TrpPreviewForm::FreePageObjects(int index) {
  TrpEMFPage& page = pages_.GetPage(index);
  page.Visible = false;
  // Drawing made the page current; the engine must not keep a freed page.
  TrpRunContext& g = rpRun();
  if (page.PageObject && g.CurrentPage == page.PageObject.get()) g.CurrentPage = nullptr;
  page.PageObject.reset();
}

void TrpPreviewForm::Connect(TrpReport* report) {
  Disconnect();
  report_ = report;
  connected_ = true;
  TakePages(report->EMFPages, pages_);
  // Clicks on the shown pages raise the report's object events.
  pages_.OnObjectClick = report->EMFPages.OnObjectClick;
  pages_.OnMouseOverObject = report->EMFPages.OnMouseOverObject;
  pages_.OpenUrl = report->EMFPages.OpenUrl;
}

void TrpPreviewForm::Disconnect() {
  if (connected_ && report_) TakePages(pages_, report_->EMFPages);
  connected_ = false;
  pages_.Clear();
}

void TrpPreviewForm::ApplyReportOptions() {
  if (!report_) return;
  const unsigned buttons = report_->PreviewButtons;
  ZoomBtn->setVisible(buttons & pbZoom);
  Separator1->setVisible(buttons & pbZoom);
  LoadBtn->setVisible(buttons & pbLoad);
  SaveBtn->setVisible(buttons & pbSave);
  PrintBtn->setVisible(buttons & pbPrint);
  FindBtn->setVisible(buttons & pbFind);
  // Help and exit belong to a window of its own, not to a panel in a host form.
  const bool ownToolbar = TPanel->parentWidget() == this;
  HelpBtn->setVisible(ownToolbar && (buttons & pbHelp));
  ExitBtn->setVisible(ownToolbar && (buttons & pbExit));
  Separator3->setVisible((buttons & pbFind) || HelpBtn->isVisibleTo(TPanel));
  // The print device is a system printer, or a PDF file when there is none.
  PrintBtn->setEnabled(bool(rpGlobals().OpenPrintDevice));
  PageSetupBtn->setVisible(buttons & pbPageSetup);
  PageSetupBtn->setEnabled(PrintBtn->isEnabled());
  ShowPageItems(PageEditingAllowed());
  // With a designer in the program its own setting decides, so both look alike.
  const bool grayed = rpGlobals().DesignerWindow
                          ? rpRegistryReadBool(rpRegistryRoot() + QStringLiteral("\\Form\\TrpDesignerForm"),
                                               QStringLiteral("GrayButtons"), false)
                          : report_->GrayedButtons;
  for (TrpSpeedButton* button : {ZoomBtn, LoadBtn, SaveBtn, PrintBtn, FindBtn, HelpBtn, ExitBtn})
    button->SetGrayedInactive(grayed);
  switch (report_->InitialZoom) {
  case TrpPreviewZoom::pzDefault:
    break;
  case TrpPreviewZoom::pzPageWidth:
    KeptZoom().Mode = 1;
    break;
  case TrpPreviewZoom::pzOnePage:
    KeptZoom().Mode = 2;
    break;
  case TrpPreviewZoom::pzTwoPages:
    KeptZoom().Mode = 3;
    break;
  }
}

void TrpPreviewForm::Redisplay(bool fromFirstPage) {
  zoom_ = KeptZoom().Zoom;
  zoomMode_ = KeptZoom().Mode;
  const int checkedTag = zoomMode_ == 0 ? int(std::lround(zoom_ * 100)) : zoomMode_;
  for (QAction* item : zoomItems_->actions())
    item->setChecked(item->data().toInt() == checkedTag);
  if (fromFirstPage) {
    currentPage_ = 1;
    const QSignalBlocker blockV(VScrollBar), blockH(HScrollBar);
    VScrollBar->setValue(0);
    HScrollBar->setValue(0);
  }
  currentPage_ = std::clamp(currentPage_, 1, std::max(1, PageCount()));
  hitMarked_ = false;
  ShowPageNumber();
  FormResize();
  for (int i = 0; i < PageCount(); ++i)
    FreePageObjects(i);
  RemovePageItem->setEnabled(PageCount() > 1);
  ScrollBox1->update();
}

void TrpPreviewForm::ShowPageNumber() {
  Label1->setText(PageCount() == 0 ? QString()
                                   : PageText(currentPage_) + QLatin1Char('/') + QString::number(PageCount()));
  emit PageShown(currentPage_);
}

QRect TrpPreviewForm::PageRect(int index) const {
  return pages_.GetPage(index).PreviewRect.translated(-HScrollBar->value(), -VScrollBar->value());
}

void TrpPreviewForm::ScrollToCurrentPage() {
  if (PageCount() == 0) return;
  const QRect rect = PageRect(currentPage_ - 1);
  if (rect.top() != kGap) VScrollBar->setValue(VScrollBar->value() + rect.top() - kGap);
}

void TrpPreviewForm::FormResize() {
  if (PageCount() == 0) return;
  ready_ = false;
  hitMarked_ = false;
  const int boxWidth = ScrollBox1->width(), boxHeight = ScrollBox1->height();
  const TrpPrnInfo& current = pages_.GetPage(currentPage_ - 1).PrnInfo;
  if (current.Width > 0 && current.Height > 0) switch (zoomMode_) {
    case 1:
      zoom_ = double(boxWidth - 2 * kGap) / current.Width;
      break;
    case 2:
      zoom_ = double(boxHeight - 2 * kGap) / current.Height;
      break;
    case 3:
      zoom_ = double(boxWidth - 3 * kGap) / (2.0 * current.Width);
      break;
    default:
      break;
    }
  zoom_ = std::max(zoom_, 0.01);
  ZoomBtn->SetCaption(QString::number(std::lround(zoom_ * 100)) + QLatin1Char('%'));

  // Pages per row: the most that fit side by side anywhere in the report.
  int perRow = 1, inRow = 0, x = kGap;
  for (int i = 0; i < PageCount(); ++i) {
    const int width = int(std::lround(pages_.GetPage(i).PrnInfo.Width * zoom_));
    if (x + kGap + width <= boxWidth) {
      x += kGap + width;
      perRow = std::max(perRow, ++inRow);
    } else {
      x = kGap;
      inRow = 0;
    }
  }
  if (zoomMode_ == 2) perRow = 1;
  if (zoomMode_ == 3) perRow = 2;

  int y = kGap, right = 0, bottom = 0;
  for (int first = 0; first < PageCount(); first += perRow) {
    int left = kGap, rowHeight = 0;
    for (int i = first; i < std::min(first + perRow, PageCount()); ++i) {
      TrpEMFPage& page = pages_.GetPage(i);
      const int width = int(std::lround(page.PrnInfo.Width * zoom_));
      const int height = int(std::lround(page.PrnInfo.Height * zoom_));
      if (perRow == 1 && width < boxWidth) left = (boxWidth - width) / 2;
      page.PreviewRect = QRect(left, y, width, height);
      left += width + kGap;
      rowHeight = std::max(rowHeight, height);
      right = std::max(right, page.PreviewRect.right() + 1);
    }
    bottom = y + rowHeight;
    y += rowHeight + kGap;
  }
  auto range = [](int extent, int box) { return extent - box <= 0 ? 0 : extent - box + kGap; };
  HScrollBar->setRange(0, range(right, boxWidth));
  VScrollBar->setRange(0, range(bottom, boxHeight));
  HScrollBar->setEnabled(HScrollBar->maximum() > 0);
  VScrollBar->setEnabled(VScrollBar->maximum() > 0);
  if (isVisible()) ScrollBox1->setFocus();
  ScrollToCurrentPage();
  ready_ = true;
  ScrollBox1->update();
}

QRect TrpPreviewForm::DrawRect(int index, const QRect& pageRect) const {
  const TrpEMFPage& page = pages_.GetPage(index);
  if (page.UseMargins) return pageRect;
  const TrpPrnInfo& info = page.PrnInfo;
  auto scaled = [this](int value) { return int(std::lround(value * zoom_)); };
  return QRect(pageRect.left() + scaled(info.OffsetX + page.LeftMargin),
               pageRect.top() + scaled(info.OffsetY + page.TopMargin),
               scaled(info.PrintableWidth - page.LeftMargin - page.RightMargin),
               scaled(info.PrintableHeight - page.TopMargin - page.BottomMargin));
}

void TrpPreviewForm::PaintBox(QPainter& painter, const QRect& region) {
  if (!ready_ && PageCount() > 0) return;
  if (PageCount() == 0) {
    painter.fillRect(region, palette().color(QPalette::Button));
    return;
  }
  painter.fillRect(region, QColor(128, 128, 128));
  const QRect box = ScrollBox1->rect();
  for (int i = 0; i < PageCount(); ++i) {
    TrpEMFPage& page = pages_.GetPage(i);
    const QRect rect = PageRect(i);
    // Every page that shows in the box is drawn, however far down it lies.
    if (!rect.intersects(box)) {
      FreePageObjects(i);
      continue;
    }
    page.Visible = true;
    if (!rect.intersects(region)) continue;
    painter.fillRect(rect, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.drawLine(rect.left() + 1, rect.bottom() + 1, rect.right() + 1, rect.bottom() + 1);
    painter.drawLine(rect.right() + 1, rect.top() + 1, rect.right() + 1, rect.bottom() + 1);
    painter.save();
    painter.setClipRect(region.intersected(rect));
    pages_.Draw(i, &painter, DrawRect(i, rect));
    painter.restore();
  }
  if (hitMarked_) {
    // The hit's lines in XOR, as a search mark.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(Qt::white);
    for (int y = hitOnScreen_.top(); y <= hitOnScreen_.bottom() + 1; ++y)
      painter.drawLine(hitOnScreen_.left(), y, hitOnScreen_.right() + 1, y);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  }
}

int TrpPreviewForm::PageAt(const QPoint& boxPoint) const {
  for (int i = 0; i < PageCount(); ++i)
    if (PageRect(i).contains(boxPoint)) return i;
  return -1;
}

void TrpPreviewForm::BoxMouseDown(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  if (event->button() == Qt::RightButton) {
    ShowPageItems(PageEditingAllowed());
    ProcMenu->popup(event->globalPosition().toPoint());
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  const int index = PageAt(point);
  if (index >= 0) {
    const QRect rect = PageRect(index);
    const QPoint onPage((point.x() - rect.left()) / zoom_, (point.y() - rect.top()) / zoom_);
    QString link;
    int cursor = 0;
    if (pages_.HitTest(index, onPage, link, cursor, true)) {
      int target = 0;
      if (rpIsPageLink(link, &target) && target <= PageCount()) GoToPage(std::max(target, 1));
      return;
    }
    currentPage_ = index + 1;
    ShowPageNumber();
  }
  dragging_ = true;
  dragFrom_ = point;
}

void TrpPreviewForm::BoxMouseMove(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  if (dragging_ && (event->buttons() & Qt::LeftButton)) {
    // The pages follow the mouse.
    const QPoint moved = point - dragFrom_;
    dragFrom_ = point;
    HScrollBar->setValue(HScrollBar->value() - moved.x());
    VScrollBar->setValue(VScrollBar->value() - moved.y());
    return;
  }
  QString link;
  int cursor = 0;
  const int index = PageAt(point);
  if (index >= 0) {
    const QRect rect = PageRect(index);
    const QPoint onPage((point.x() - rect.left()) / zoom_, (point.y() - rect.top()) / zoom_);
    pages_.HitTest(index, onPage, link, cursor, false);
  }
  ScrollBox1->setCursor(cursor == kHandCursor ? Qt::PointingHandCursor : Qt::ArrowCursor);
  int target = 0;
  Label2->setText(rpIsPageLink(link, &target) ? PageText(target) : link);
}

void TrpPreviewForm::BoxDoubleClick(QMouseEvent* event) {
  dragging_ = false;
  const int index = PageAt(event->position().toPoint());
  if (index < 0) return;
  currentPage_ = index + 1;
  ShowPageNumber();
  if (PageEditingAllowed()) EditPageClick();
}

void TrpPreviewForm::BoxWheel(int steps) { ScrollBy(VScrollBar, -steps * kSmallChange * wheelFactor_); }

void TrpPreviewForm::ScrollBy(QScrollBar* bar, int delta) { bar->setValue(bar->value() + delta); }

void TrpPreviewForm::VScroll(int position) {
  hitMarked_ = false;
  // The current page is the one under the line just below the window's top.
  const int line = position + kGap + 1;
  for (int i = 0; i < PageCount(); ++i) {
    const QRect rect = pages_.GetPage(i).PreviewRect;
    if (rect.top() <= line && rect.bottom() >= line) {
      currentPage_ = i + 1;
      break;
    }
  }
  ShowPageNumber();
  ScrollBox1->update();
}

void TrpPreviewForm::HScroll(int) {
  hitMarked_ = false;
  ScrollBox1->update();
}

void TrpPreviewForm::GoToPage(int page) {
  if (PageCount() == 0) return;
  currentPage_ = std::clamp(page, 1, PageCount());
  ShowPageNumber();
  ScrollToCurrentPage();
}

void TrpPreviewForm::PgUpClick() { GoToPage(currentPage_ - 1); }

void TrpPreviewForm::PgDownClick() { GoToPage(currentPage_ + 1); }

bool TrpPreviewForm::FormKeyDown(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  switch (event->key()) {
  case Qt::Key_Up:
    ScrollBy(VScrollBar, -kSmallChange);
    return true;
  case Qt::Key_Down:
    ScrollBy(VScrollBar, kSmallChange);
    return true;
  case Qt::Key_Left:
    ScrollBy(HScrollBar, -kSmallChange);
    return true;
  case Qt::Key_Right:
    ScrollBy(HScrollBar, kSmallChange);
    return true;
  case Qt::Key_PageUp:
    if (ctrl)
      PgUpClick();
    else
      ScrollBy(VScrollBar, -kLargeChange);
    return true;
  case Qt::Key_PageDown:
    if (ctrl)
      PgDownClick();
    else
      ScrollBy(VScrollBar, kLargeChange);
    return true;
  case Qt::Key_Home:
    if (ctrl) VScrollBar->setValue(0);
    return true;
  case Qt::Key_End:
    if (ctrl) GoToPage(PageCount());
    return true;
  case Qt::Key_Space:
    ZoomBtnClick();
    return true;
  case Qt::Key_Escape:
    ExitBtnClick();
    return true;
  case Qt::Key_F3:
    if (!ctrl && !searchText_.isEmpty()) {
      if (currentPage_ != searchPage_ + 1) {
        searchPage_ = currentPage_ - 1;
        hitIndex_ = 0;
      }
      FindNext();
    }
    return true;
  // Tab never moves the focus between the window's controls.
  case Qt::Key_Tab:
  case Qt::Key_Backtab:
    return true;
  default:
    break;
  }
  if (!ctrl) return false;
  switch (event->key()) {
  case Qt::Key_O:
    if (LoadBtn->isVisible()) LoadBtnClick();
    break;
  case Qt::Key_S:
    if (SaveBtn->isVisible()) SaveBtnClick();
    break;
  case Qt::Key_P:
    if (PrintBtn->isVisible() && PrintBtn->isEnabled()) PrintBtnClick();
    break;
  case Qt::Key_F:
    if (FindBtn->isVisible()) FindBtnClick();
    break;
  case Qt::Key_E:
    if (PageEditingAllowed()) EditPageClick();
    break;
  default:
    break;
  }
  return true;
}

void TrpPreviewForm::SetZoomTag(int tag) {
  if (tag >= 1 && tag <= 3) {
    zoomMode_ = tag;
  } else {
    zoomMode_ = 0;
    zoom_ = tag / 100.0;
  }
  for (QAction* item : zoomItems_->actions())
    item->setChecked(item->data().toInt() == tag);
  HScrollBar->setValue(0);
  FormResize();
  KeptZoom() = {zoom_, zoomMode_};
  ScrollBox1->update();
}

void TrpPreviewForm::ZoomBtnClick() {
  ShowPageItems(false);
  ProcMenu->popup(ZoomBtn->mapToGlobal(QPoint(0, ZoomBtn->height())));
}

void TrpPreviewForm::LoadFile(const QString& fileName) {
  if (!report_) return;
  TrpGlobals& g = rpGlobals();
  // The file is read on the side first, so a damaged one costs nothing shown.
  try {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) throw Exception(QStringLiteral("Súbor %1 sa nedá otvoriť.").arg(fileName));
    const QByteArray data = file.readAll(); // the reader only views these bytes
    TBinaryReader stream(data);
    TrpEMFPages trial;
    trial.LoadFromStream(stream);
  } catch (const Exception& error) {
    if (g.ErrorBox) g.ErrorBox(error.Message(), rpLoadStr(55206));
    return;
  }
  Disconnect();
  report_->EMFPages.Clear();
  try {
    report_->LoadPreparedFile(fileName);
  } catch (const Exception& error) {
    if (g.ErrorBox) g.ErrorBox(error.Message(), rpLoadStr(55206));
  }
  Connect(report_);
  Redisplay(true);
}

bool TrpPreviewForm::SaveFile(const QString& fileName) {
  if (!report_) return false;
  const QFileInfo info(fileName);
  const QString target = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".rpp");
  Disconnect();
  bool saved = true;
  try {
    report_->SavePreparedFile(target);
  } catch (const Exception& error) {
    saved = false;
    if (rpGlobals().ErrorBox) rpGlobals().ErrorBox(error.Message(), rpLoadStr(55206));
  }
  Connect(report_);
  Redisplay(false);
  return saved;
}

void TrpPreviewForm::LoadBtnClick() {
  const QString fileName =
      QFileDialog::getOpenFileName(this, QString(), QString(), rpLoadStr(55211) + QStringLiteral(" (*.rpp)"));
  if (!fileName.isEmpty()) LoadFile(fileName);
}

void TrpPreviewForm::SaveBtnClick() {
  // The prepared report first, then every registered export filter; the
  // first filter marked Default is preselected.
  const QList<TrpExportFilterInfo>& filters = rpGlobals().ExportFilters.Entries();
  QStringList names{rpLoadStr(55211) + QStringLiteral(" (*.rpp)")};
  QString selected = names.first();
  for (const TrpExportFilterInfo& info : filters) {
    // Descriptions that name their mask already keep it once.
    const QString pattern = QStringLiteral(" (") + info.Mask + QLatin1Char(')');
    names.append(info.Description.endsWith(pattern) ? info.Description : info.Description + pattern);
    auto* filter = qobject_cast<TrpExportFilter*>(info.Filter);
    if (filter && filter->Default && selected == names.first()) selected = names.last();
  }
  const QString fileName =
      QFileDialog::getSaveFileName(this, QString(), QString(), names.join(QStringLiteral(";;")), &selected);
  if (fileName.isEmpty()) return;
  const qsizetype index = names.indexOf(selected);
  if (index <= 0)
    SaveFile(fileName);
  else
    ExportFile(qobject_cast<TrpExportFilter*>(filters.at(index - 1).Filter), filters.at(index - 1).Mask, fileName);
}

bool TrpPreviewForm::ExportFile(TrpExportFilter* filter, const QString& mask, const QString& fileName) {
  if (!report_ || !filter) return false;
  // The file takes the filter's extension ("*.pdf" gives ".pdf").
  const QFileInfo info(fileName);
  const QString target = info.path() + QLatin1Char('/') + info.completeBaseName() + mask.mid(1);
  Disconnect();
  const bool written = report_->ExportToFile(filter, target);
  Connect(report_);
  Redisplay(false);
  return written;
}

void TrpPreviewForm::PrintBtnClick() {
  if (!report_ || !PrintBtn->isEnabled()) return;
  const int page = currentPage_;
  Disconnect();
  if (report_->RebuildPrinter && report_->CanRebuild && report_->ShowPrintDialog && rpGlobals().PrintDialog)
    PrintOnChosenPrinter(page);
  else
    report_->PrintWithDialog(page);
  Connect(report_);
  Redisplay(false);
}

void TrpPreviewForm::PrintOnChosenPrinter(int currentPage) {
  // As the report's own print with its dialog, but pages built for another
  // printer are built again for the one chosen.
  TrpPrinter& printer = rpPrinter();
  const int before = printer.PrinterIndex;
  TrpPrintSettings settings;
  settings.Copies = report_->DefaultCopies;
  settings.Collate = report_->DefaultCollate;
  if (!rpGlobals().PrintDialog(settings, currentPage)) return;
  if (printer.PrinterIndex != before) {
    if (!report_->SwitchPrinter(before, printer.PrinterIndex)) return;
    if (!report_->BuildPreparedPages()) return;
  }
  report_->PrintPages(settings.PageList, settings.Copies, settings.Collate, settings.OddEven);
}

void TrpPreviewForm::PageSetupBtnClick() {
  if (!report_ || PageCount() == 0) return;
  // The dialog starts from the first page's paper and margins (pixels × 500 / 18 are hundredths of mm).
  const TrpEMFPage& first = pages_.GetPage(0);
  const QPageSize::PageSizeId id = rpPageSizeIdOf(first.PaperSize);
  const QPageSize size = id == QPageSize::Custom ? QPageSize(QSizeF(first.PaperWidth / 10.0, first.PaperHeight / 10.0),
                                                             QPageSize::Millimeter)
                                                 : QPageSize(id);
  auto mm = [](int pixels) { return pixels * 5.0 / 18; };
  QPrinter printer;
  printer.setPageLayout(
      QPageLayout(size, first.Orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait,
                  QMarginsF(mm(first.LeftMargin), mm(first.TopMargin), mm(first.RightMargin), mm(first.BottomMargin)),
                  QPageLayout::Millimeter));
  QPageSetupDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted) ApplyPageSetup(printer.pageLayout());
}

bool TrpPreviewForm::ApplyPageSetup(const QPageLayout& layout) {
  // Only pages built here can be built again on the new paper.
  if (!report_ || !report_->CanRebuild) return false;
  const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
  auto pixels = [](double millimetres) { return int(std::lround(millimetres * 18 / 5)); };
  const int code = rpPaperCodeOf(layout.pageSize().id());
  const QSizeF paper = layout.pageSize().size(QPageSize::Millimeter) * 10;
  const int orientation = layout.orientation() == QPageLayout::Landscape ? 1 : 0;
  for (int i = 0; i < report_->Pages.Count(); ++i) {
    TrpPage* page = report_->Pages.GetPage(i);
    if (page->PageType != 0) continue;
    page->LeftMargin = pixels(margins.left());
    page->TopMargin = pixels(margins.top());
    page->RightMargin = pixels(margins.right());
    page->BottomMargin = pixels(margins.bottom());
    page->ApplyPaper(code, code == kCustomPaper ? int(paper.width()) : 0,
                     code == kCustomPaper ? int(paper.height()) : 0, page->Bin, orientation);
  }
  Disconnect();
  report_->BuildPreparedPages();
  Connect(report_);
  Redisplay(true);
  return true;
}

void TrpPreviewForm::FindBtnClick() {
  if (!report_) return;
  TrpPreviewSearchForm form(this);
  if (form.ShowModal() != mrOk) return;
  StartFind(form.Edit1->text(), form.CB1->isChecked(), form.RB1->isChecked());
}

bool TrpPreviewForm::StartFind(const QString& text, bool caseSensitive, bool fromFirstPage) {
  caseSensitive_ = caseSensitive;
  searchText_ = caseSensitive ? text : text.toUpper();
  if (fromFirstPage) {
    searchPage_ = 0;
    hitIndex_ = 0;
  } else if (currentPage_ != searchPage_ + 1) {
    searchPage_ = currentPage_ - 1;
    hitIndex_ = 0;
  }
  return FindNext();
}

bool TrpPreviewForm::FindNext() {
  if (searchText_.isEmpty()) return false;
  ready_ = false;
  while (searchPage_ < PageCount()) {
    TrpEMFPage& page = pages_.GetPage(searchPage_);
    const QSize size(page.PrnInfo.Width, page.PrnInfo.Height);
    TrpTextScan scan(size);
    const bool wasVisible = page.Visible;
    page.Visible = true;
    {
      QPainter painter(&scan);
      pages_.Draw(searchPage_, &painter, QRect(QPoint(0, 0), size));
    }
    page.Visible = wasVisible;
    const QList<TrpTextScan::TRecord>& records = scan.Records();
    for (int i = hitIndex_; i < records.size(); ++i) {
      const QString text = caseSensitive_ ? records[i].Text : records[i].Text.toUpper();
      if (text.isEmpty() || !text.contains(searchText_)) continue;
      hitIndex_ = i + 1; // the next search starts after this record
      ShowHit(searchPage_, records[i].Bounds);
      return true;
    }
    if (!page.Visible) FreePageObjects(searchPage_);
    hitIndex_ = 0;
    ++searchPage_;
  }
  ready_ = true;
  ScrollBox1->update();
  return false;
}

void TrpPreviewForm::ShowHit(int pageIndex, const QRect& hit) {
  currentPage_ = pageIndex + 1;
  ShowPageNumber();
  const QRect page = pages_.GetPage(pageIndex).PreviewRect;
  const QRect scaled(page.left() + int(hit.left() * zoom_), page.top() + int(hit.top() * zoom_),
                     int(hit.width() * zoom_), int(hit.height() * zoom_));
  const int boxWidth = ScrollBox1->width(), boxHeight = ScrollBox1->height();
  VScrollBar->setValue(scaled.bottom() + 1 > boxHeight ? scaled.bottom() + 1 - boxHeight : page.top() - kGap);
  HScrollBar->setValue(scaled.right() + 1 > boxWidth ? scaled.right() + 1 - boxWidth : page.left() - kGap);
  // Scrolling names the page at the top; the hit's page stays the current one.
  currentPage_ = pageIndex + 1;
  ShowPageNumber();
  QCoreApplication::processEvents();
  ready_ = true;
  hitOnScreen_ = scaled.translated(-HScrollBar->value(), -VScrollBar->value());
  hitMarked_ = true;
  ScrollBox1->update();
}

void TrpPreviewForm::HelpBtnClick() { QWhatsThis::enterWhatsThisMode(); }

void TrpPreviewForm::ExitBtnClick() {
  if (ModalResult() == mrNone && isModal())
    SetModalResult(mrOk);
  else
    close();
}

void TrpPreviewForm::FormShow() { rpRestoreFormPosition(this); }

void TrpPreviewForm::hideEvent(QHideEvent* event) {
  // A modal run ends without a close event, so the place is kept whenever the window goes.
  if (!event->spontaneous()) rpSaveFormPosition(this);
  TForm::hideEvent(event);
}

void TrpPreviewForm::FormClose(TCloseAction& action) {
  // The pages go back to the report, which can still print or save them.
  Disconnect();
  if (!isModal()) action = TCloseAction::Free;
}

// --- the panel

TrpPreview::TrpPreview(QWidget* parent) : QWidget(parent), form_(new TrpPreviewForm) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(form_->PreviewPanel, 1);
  form_->PreviewPanel->show();
  form_->wheelFactor_ = 3;
  connect(form_, &TrpPreviewForm::PageShown, this, &TrpPreview::PageChanged);
}

TrpPreview::~TrpPreview() {
  if (host_) host_->removeEventFilter(this);
  delete form_;
}

void TrpPreview::SetScrollBars(TScrollBars bars) {
  scrollBars_ = bars;
  form_->RPanel->setVisible(bars == ssVertical || bars == ssBoth);
  form_->BPanel->setVisible(bars == ssHorizontal || bars == ssBoth);
}

void TrpPreview::SetShowToolbar(bool show) {
  if (show == ShowToolbar()) return;
  if (show) {
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, form_->TPanel);
  } else {
    static_cast<QVBoxLayout*>(form_->layout())->insertWidget(0, form_->TPanel);
  }
  form_->TPanel->show();
  form_->ApplyReportOptions();
}

bool TrpPreview::ShowToolbar() const { return form_->TPanel->parentWidget() == this; }

void TrpPreview::Connect(TrpReport* report) {
  form_->Connect(report);
  form_->ApplyReportOptions();
  form_->Redisplay(true);
  // The host form's wheel scrolls the pages.
  if (host_ != window()) {
    if (host_) host_->removeEventFilter(this);
    host_ = window();
    host_->installEventFilter(this);
  }
}

void TrpPreview::Disconnect() {
  form_->Disconnect();
  form_->Redisplay(true);
}

void TrpPreview::Print() { form_->PrintBtnClick(); }

int TrpPreview::CurrentPage() const { return form_->CurrentPage(); }

bool TrpPreview::eventFilter(QObject* watched, QEvent* event) {
  if (watched == host_ && event->type() == QEvent::Wheel && form_->PageCount() > 0) {
    const int steps = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
    if (steps != 0) form_->BoxWheel(steps);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}
