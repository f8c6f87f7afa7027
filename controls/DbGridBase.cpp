#include "controls/DbGridBase.h"
#include "controls/KitMessages.h"
#include "core/DataSet.h"
#include "core/gui/ColorConvert.h"
#include "core/ui/EventBoundary.h"
#include <QtCore/QAbstractTableModel>
#include <QtCore/QLocale>
#include <QtCore/QMetaMethod>
#include <QtCore/QScopedValueRollback>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStyledItemDelegate>
#include <QtWidgets/qdrawutil.h>

// ---- model -------------------------------------------------------------

// The rows of the grid's data set as a table model: values are read from the
// data set on demand (ValueAt), never copied. Columns are the grid's columns
// in their creation order; the title header keeps the visible order. The row
// count follows the data set by inserting and removing rows, never by a
// reset, so that the header keeps the user's column order and widths.
class TDataSetModel : public QAbstractTableModel {
public:
  explicit TDataSetModel(TDbGridBase* grid) : QAbstractTableModel(grid), grid_(grid) {}

  int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows_; }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : int(grid_->columns_.size());
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    const TGridColumn& column = *grid_->columns_[index.column()];
    const TField* field = grid_->ColumnField(&column);
    if (!field) return {};
    return TDbGridBase::CellText(column, *field, grid_->dataSet_->ValueAt(index.row(), field->Index()));
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= columnCount()) return {};
    return grid_->columns_[section]->Title;
  }

  // Follows the data set's rows after a change of content.
  void Refresh() {
    const TDataSet* ds = grid_->dataSet_;
    const int count = ds && ds->Active() ? ds->RecordCount() : 0;
    if (count > rows_) {
      beginInsertRows({}, rows_, count - 1);
      rows_ = count;
      endInsertRows();
    } else if (count < rows_) {
      beginRemoveRows({}, count, rows_ - 1);
      rows_ = count;
      endRemoveRows();
    }
    if (rows_ > 0 && columnCount() > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
  }
  void RowChanged(int row) {
    if (row >= 0 && row < rows_ && columnCount() > 0) emit dataChanged(index(row, 0), index(row, columnCount() - 1));
  }
  // Structural change of the columns.
  void Reset() {
    beginResetModel();
    const TDataSet* ds = grid_->dataSet_;
    rows_ = ds && ds->Active() ? ds->RecordCount() : 0;
    endResetModel();
  }

private:
  TDbGridBase* grid_;
  int rows_ = 0;
};

// ---- indicator glyphs ----------------------------------------------------

namespace {

constexpr int kGlyphSize = 10;

// The seven indicator glyphs: 0 current row, 1 current row in edit, 2 current
// row being inserted, 3 marked, 4..6 marked with 0..2.
const QList<QPixmap>& IndicatorGlyphs() {
  static const QList<QPixmap> glyphs = [] {
    auto arrow = [](QPainter& p) {
      QPainterPath path;
      path.moveTo(2, 1);
      path.lineTo(7, 5);
      path.lineTo(2, 9);
      path.closeSubpath();
      p.fillPath(path, Qt::black);
    };
    auto edit = [](QPainter& p) {
      p.setPen(QPen(Qt::black, 1));
      p.drawLine(4, 1, 4, 8);
      p.drawLine(2, 1, 6, 1);
      p.drawLine(2, 8, 6, 8);
    };
    auto insert = [](QPainter& p) {
      p.setPen(QPen(Qt::black, 1.5));
      p.drawLine(4, 1, 4, 8);
      p.drawLine(1, 3, 7, 6);
      p.drawLine(1, 6, 7, 3);
    };
    auto check = [](QPainter& p) {
      p.setPen(QPen(Qt::darkGreen, 2));
      p.drawLine(1, 5, 4, 8);
      p.drawLine(4, 8, 9, 1);
    };
    using Draw = void (*)(QPainter&);
    const QList<QList<Draw>> parts = {{arrow},        {edit},        {insert},       {check},
                                      {check, arrow}, {check, edit}, {check, insert}};
    QList<QPixmap> list;
    for (const auto& glyph : parts) {
      QPixmap pixmap(kGlyphSize, kGlyphSize);
      pixmap.fill(Qt::transparent);
      QPainter painter(&pixmap);
      painter.setRenderHint(QPainter::Antialiasing);
      for (Draw draw : glyph)
        draw(painter);
      list << pixmap;
    }
    return list;
  }();
  return glyphs;
}

bool IsNumericType(TFieldType type) {
  switch (type) {
  case TFieldType::SmallInt:
  case TFieldType::Integer:
  case TFieldType::LargeInt:
  case TFieldType::Float:
  case TFieldType::Currency:
    return true;
  default:
    return false;
  }
}

} // namespace

// ---- title header --------------------------------------------------------

// The title row: the active column's title in its own colour and bevel; a
// press outside the sizing zones chooses the active column.
class TTitleHeader : public QHeaderView {
public:
  explicit TTitleHeader(TDbGridBase* grid) : QHeaderView(Qt::Horizontal, grid), grid_(grid) {
    setSectionsMovable(true);
    setHighlightSections(false);
    setSectionsClickable(false);
  }

protected:
  void paintSection(QPainter* painter, const QRect& rect, int logical) const override {
    const bool active = visualIndex(logical) == grid_->activeTitleIndex_ - grid_->IndicatorOffset();
    painter->save();
    painter->fillRect(rect, ToQColor(active ? grid_->activeTitleColor_ : grid_->fixedColor_));
    painter->setPen(ToQColor(clBtnShadow));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->setFont(grid_->titleFont_);
    painter->setPen(ToQColor(clBtnText));
    const TGridColumn& column = *grid_->columns_[logical];
    const QRect textRect = rect.adjusted(3, 0, -3, 0);
    // A title wider than its column keeps its beginning in sight, whatever its alignment.
    const bool fits = QFontMetrics(grid_->titleFont_).horizontalAdvance(column.Title) <= textRect.width();
    painter->drawText(textRect,
                      Qt::AlignVCenter | (fits ? column.TitleAlignment & Qt::AlignHorizontal_Mask : Qt::AlignLeft),
                      column.Title);
    if (active) {
      switch (grid_->activeTitleBevel_) {
      case TGridActiveTitleBevel::stbLowered:
        qDrawShadePanel(painter, rect, palette(), true, 1);
        break;
      case TGridActiveTitleBevel::stbRaised:
        qDrawShadePanel(painter, rect, palette(), false, 1);
        break;
      case TGridActiveTitleBevel::stbNone:
        painter->setPen(ToQColor(grid_->activeTitleColor_));
        painter->drawRect(rect.adjusted(0, 0, -1, -1));
        break;
      }
    }
    painter->restore();
  }

  void mousePressEvent(QMouseEvent* event) override {
    const int logical = logicalIndexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && logical >= 0 &&
        !grid_->InSizingZone(this, event->position().toPoint().x()))
      grid_->ChangeActiveTitle(visualIndex(logical) + grid_->IndicatorOffset());
    QHeaderView::mousePressEvent(event);
  }

private:
  TDbGridBase* grid_;
};

// ---- indicator column ----------------------------------------------------

// The indicator column: marked rows in CheckedColor, the current row's glyph;
// a press makes the row current and toggles its mark.
class TIndicatorHeader : public QHeaderView {
public:
  explicit TIndicatorHeader(TDbGridBase* grid) : QHeaderView(Qt::Vertical, grid), grid_(grid) {
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
    setHighlightSections(false);
  }

  QSize sizeHint() const override { return {kGlyphSize + 6, QHeaderView::sizeHint().height()}; }

protected:
  void paintSection(QPainter* painter, const QRect& rect, int row) const override {
    const bool marked = grid_->checkEnabled_ && grid_->IsRowMarked(row);
    painter->fillRect(rect, ToQColor(marked ? grid_->checkedColor_ : grid_->fixedColor_));
    painter->setPen(ToQColor(clBtnShadow));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    int glyph = -1;
    const TDataSet* ds = grid_->dataSet_;
    if (row == grid_->CurrentRow())
      glyph = ds->State() == TDataSetState::Edit ? 1 : ds->State() == TDataSetState::Insert ? 2 : 0;
    if (grid_->checkEnabled_ && grid_->checkedSignum_ && marked) glyph = glyph < 0 ? 3 : glyph + 4;
    if (glyph < 0) return;
    const int margin = grid_->GridLineWidth() > 0 ? 1 : 2;
    const QPixmap& pixmap = IndicatorGlyphs().at(glyph);
    painter->drawPixmap(rect.right() - margin - pixmap.width(), rect.top() + (rect.height() - pixmap.height()) / 2,
                        pixmap);
  }

  void mousePressEvent(QMouseEvent* event) override {
    const int row = logicalIndexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && row >= 0) grid_->IndicatorPressed(row);
  }

private:
  TDbGridBase* grid_;
};

// ---- cell painting -------------------------------------------------------

class TGridCellDelegate : public QStyledItemDelegate {
public:
  explicit TGridCellDelegate(TDbGridBase* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const int position = grid_->titleHeader_->visualIndex(index.column());
    TGridCellCanvas canvas;
    canvas.Selected = option.state.testFlag(QStyle::State_Selected);
    canvas.Focused = grid_->hasFocus();
    grid_->PrepareCell(index.row(), position, canvas);
    painter->save();
    painter->fillRect(option.rect, ToQColor(canvas.Brush));
    painter->setPen(ToQColor(canvas.FontColor));
    painter->setFont(canvas.Font);
    const TGridColumn* column = grid_->Column(position);
    const TField* field = grid_->ColumnField(column);
    const Qt::Alignment own = column ? column->Alignment & Qt::AlignHorizontal_Mask : Qt::Alignment();
    const Qt::Alignment align = Qt::AlignVCenter | (own                                         ? own
                                                    : field && IsNumericType(field->DataType()) ? Qt::AlignRight
                                                                                                : Qt::AlignLeft);
    const QRect textRect = option.rect.adjusted(2, 0, -2, 0);
    painter->drawText(
        textRect, align,
        QFontMetrics(canvas.Font).elidedText(index.data().toString(), grid_->textElideMode(), textRect.width()));
    painter->restore();
  }

private:
  TDbGridBase* grid_;
};

// ---- grid ----------------------------------------------------------------

TDbGridBase::TDbGridBase(QWidget* parent)
    : QTableView(parent), model_(new TDataSetModel(this)), titleHeader_(new TTitleHeader(this)),
      indicatorHeader_(new TIndicatorHeader(this)), delegate_(new TGridCellDelegate(this)) {
  titleFont_ = font();
  lockedFont_ = font();
  setHorizontalHeader(titleHeader_);
  setVerticalHeader(indicatorHeader_);
  setModel(model_);
  setItemDelegate(delegate_);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  indicatorHeader_->setDefaultSectionSize(fontMetrics().height() + 4);
  connect(titleHeader_, &QHeaderView::sectionMoved, this, &TDbGridBase::SectionMoved);
  connect(titleHeader_, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
    if (logical >= 0 && logical < ColumnCount()) columns_[logical]->Width = size;
    UpdateLockedView();
  });
  // A press on the indicator's title cell makes no column active.
  if (auto* corner = findChild<QAbstractButton*>()) corner->installEventFilter(this);
  SetOptions(options_);
}

TDbGridBase::~TDbGridBase() = default;

bool TDbGridBase::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && qobject_cast<QAbstractButton*>(watched) &&
      watched->parent() == this) {
    RunGuarded([this] { ChangeActiveTitle(0); });
    return true;
  }
  return QTableView::eventFilter(watched, event);
}

void TDbGridBase::SetDataSet(TDataSet* dataSet) {
  if (dataSet_ == dataSet) return;
  if (dataSet_) disconnect(dataSet_, nullptr, this, nullptr);
  dataSet_ = dataSet;
  if (dataSet_) {
    connect(dataSet_, &TDataSet::DataSetChanged, this, &TDbGridBase::DataSetChanged);
    connect(dataSet_, &TDataSet::Scrolled, this, &TDbGridBase::DataSetScrolled);
    connect(dataSet_, &TDataSet::RecordChanged, this, [this](int row) { model_->RowChanged(row); });
    connect(dataSet_, &QObject::destroyed, this, [this] { DataSetChanged(); });
  }
  DataSetChanged();
}

void TDbGridBase::DataSetChanged() {
  syncing_ = true;
  model_->Refresh();
  syncing_ = false;
  FitDateColumns();
  FitTextColumns();
  SyncCurrentRow();
}

int TDbGridBase::TitleFitWidth(const TGridColumn& column) const {
  // The title's text rectangle is 3 pixels in from each side, the line 1 more.
  return QFontMetrics(titleFont_).horizontalAdvance(column.Title) + 7;
}

void TDbGridBase::FitDateColumns() {
  if (!dataSet_ || !dataSet_->Active()) return;
  for (int logical = 0; logical < ColumnCount(); ++logical) {
    const TGridColumn* column = columns_[logical].get();
    const TField* field = ColumnField(column);
    if (!field || fittedToDates_.contains(column)) continue;
    QVariant sample;
    switch (field->DataType()) {
    case TFieldType::Date:
      sample = QDate(2000, 12, 28);
      break;
    case TFieldType::Time:
      sample = QTime(20, 58, 58);
      break;
    case TFieldType::DateTime:
      sample = QDateTime(QDate(2000, 12, 28), QTime(0, 0));
      break;
    default:
      continue;
    }
    // Only once, before the user can have chosen a width of his own.
    fittedToDates_.insert(column);
    // The cell's text rectangle is 2 pixels in from each side, the line 1 more.
    const int needed = QFontMetrics(column->Font).horizontalAdvance(VariantText(sample)) + 5;
    if (titleHeader_->sectionSize(logical) < needed) titleHeader_->resizeSection(logical, needed);
  }
}

void TDbGridBase::FitTextColumns() {
  if (!dataSet_ || !dataSet_->Active()) return;
  int extra = 0;
  for (int logical = 0; logical < ColumnCount(); ++logical) {
    const TGridColumn* column = columns_[logical].get();
    const TField* field = ColumnField(column);
    if (!column->FitToText || !field) continue;
    // The active column may be drawn bold, and any column may become active.
    QFont font = column->Font;
    if (activeColumnBold_) font.setBold(true);
    const QFontMetrics metrics(font);
    int needed = 0;
    for (int row = 0; row < dataSet_->RecordCount(); ++row)
      needed = std::max(needed,
                        metrics.horizontalAdvance(CellText(*column, *field, dataSet_->ValueAt(row, field->Index()))));
    // The cell's text rectangle is 2 pixels in from each side, the line 1 more.
    needed += 5;
    const int current = titleHeader_->sectionSize(logical);
    if (current >= needed) continue;
    titleHeader_->resizeSection(logical, needed);
    extra += needed - current;
  }
  if (extra > 0) emit OnColumnsWidened(extra);
}

void TDbGridBase::DataSetScrolled() {
  if (!syncing_) SyncCurrentRow();
  indicatorHeader_->viewport()->update();
}

void TDbGridBase::SyncCurrentRow() {
  const int row = CurrentRow();
  syncing_ = true;
  if (row >= 0 && row < model_->rowCount() && model_->columnCount() > 0) {
    const int column = std::max(currentIndex().column(), titleHeader_->logicalIndex(0));
    const QModelIndex index = model_->index(row, std::max(column, 0));
    const auto flags = QItemSelectionModel::ClearAndSelect |
                       (options_.testFlag(dgRowSelect) ? QItemSelectionModel::Rows : QItemSelectionModel::NoUpdate);
    selectionModel()->setCurrentIndex(index, flags);
    scrollTo(index);
  } else {
    selectionModel()->clear();
  }
  syncing_ = false;
  viewport()->update();
  indicatorHeader_->viewport()->update();
}

void TDbGridBase::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (syncing_ || !dataSet_ || dataSet_->State() != TDataSetState::Browse || !current.isValid()) return;
  if (current.row() != CurrentRow()) {
    syncing_ = true;
    dataSet_->SetRecNo(current.row() + 1);
    syncing_ = false;
  }
  indicatorHeader_->viewport()->update();
}

QModelIndex TDbGridBase::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  QModelIndex target = QTableView::moveCursor(action, modifiers);
  if (!target.isValid()) return target;
  // Locked columns are not entered: the cursor goes to the first unlocked one.
  if (appliedLockedCols_ > 0 && titleHeader_->visualIndex(target.column()) < appliedLockedCols_)
    target = model_->index(target.row(), titleHeader_->logicalIndex(appliedLockedCols_));
  if (!options_.testFlag(dgRowSelect) && target != currentIndex()) {
    bool canSelect = true;
    emit OnSelectCell(titleHeader_->visualIndex(target.column()) + IndicatorOffset(), target.row(), canSelect);
    if (!canSelect) return currentIndex();
  }
  return target;
}

TGridColumn* TDbGridBase::AddColumn(const QString& fieldName, const QString& title, int width) {
  auto column = std::unique_ptr<TGridColumn>(CreateColumn());
  column->FieldName = fieldName;
  column->Title = title;
  column->Width = std::max(width, TitleFitWidth(*column));
  column->Font = font();
  column->Color = color_;
  TGridColumn* result = column.get();
  columns_.push_back(std::move(column));
  model_->Reset();
  ApplyColumnWidths();
  ApplyLockedCols();
  SyncCurrentRow();
  return result;
}

void TDbGridBase::ClearColumns() {
  columns_.clear();
  fittedToDates_.clear();
  model_->Reset();
  ApplyLockedCols();
  SyncCurrentRow();
}

TGridColumn* TDbGridBase::Column(int position) const {
  if (position < 0 || position >= ColumnCount()) return nullptr;
  return columns_[titleHeader_->logicalIndex(position)].get();
}

int TDbGridBase::PositionOf(const TGridColumn* column) const {
  for (int i = 0; i < ColumnCount(); ++i)
    if (columns_[i].get() == column) return titleHeader_->visualIndex(i);
  return -1;
}

void TDbGridBase::MoveColumn(int from, int to, bool notify) {
  if (from < 0 || to < 0 || from >= ColumnCount() || to >= ColumnCount()) return;
  quietMove_ = !notify;
  titleHeader_->moveSection(from, to);
  quietMove_ = false;
}

void TDbGridBase::SetColumnWidth(int position, int width) {
  if (position >= 0 && position < ColumnCount())
    titleHeader_->resizeSection(titleHeader_->logicalIndex(position), std::max(width, 0));
}

void TDbGridBase::SectionMoved(int, int from, int to) {
  if (from == to) return;
  // A quiet move still keeps the active title on its column.
  if (quietMove_)
    TDbGridBase::ColumnMoved(from, to);
  else
    ColumnMoved(from, to);
}

void TDbGridBase::ColumnMoved(int from, int to) {
  if (activeTitleIndex_ - IndicatorOffset() == from) SetActiveTitleIndex(to + IndicatorOffset());
  ApplyLockedCols();
}

void TDbGridBase::ApplyColumnWidths() {
  for (int i = 0; i < ColumnCount(); ++i)
    titleHeader_->resizeSection(i, columns_[i]->Width);
}

void TDbGridBase::SetOptions(TGridOptions options) {
  options_ = options;
  titleHeader_->setVisible(options_.testFlag(dgTitles));
  indicatorHeader_->setVisible(options_.testFlag(dgIndicator));
  setShowGrid(options_.testFlag(dgColLines) || options_.testFlag(dgRowLines));
  setSelectionBehavior(options_.testFlag(dgRowSelect) ? SelectRows : SelectItems);
  setTabKeyNavigation(options_.testFlag(dgTabs));
  titleHeader_->setSectionResizeMode(options_.testFlag(dgColumnResize) ? QHeaderView::Interactive : QHeaderView::Fixed);
  titleHeader_->setSectionsMovable(options_.testFlag(dgColumnResize));
  ApplyLockedCols();
}

int TDbGridBase::GridLineWidth() const { return showGrid() ? 1 : 0; }

void TDbGridBase::RepaintTitles() { titleHeader_->viewport()->update(); }

void TDbGridBase::ApplyPalette() {
  viewport()->update();
  RepaintTitles();
  indicatorHeader_->viewport()->update();
}

void TDbGridBase::SetFixedColor(TColor color) {
  fixedColor_ = color;
  ApplyPalette();
}

void TDbGridBase::SetColor(TColor color) {
  color_ = color;
  ApplyLockedCols();
}

void TDbGridBase::SetTitleFont(const QFont& font) {
  titleFont_ = font;
  RepaintTitles();
}

void TDbGridBase::SetActiveTitleIndex(int index) {
  activeTitleIndex_ = index;
  ApplyLockedCols();
  ApplyPalette();
}

TGridColumn* TDbGridBase::ActiveColumn() const { return Column(activeTitleIndex_ - IndicatorOffset()); }

void TDbGridBase::SetActiveTitleBevel(TGridActiveTitleBevel bevel) {
  activeTitleBevel_ = bevel;
  RepaintTitles();
}

void TDbGridBase::SetActiveTitleColor(TColor color) {
  activeTitleColor_ = color;
  RepaintTitles();
}

void TDbGridBase::SetActiveColumnBold(bool bold) {
  activeColumnBold_ = bold;
  viewport()->update();
}

void TDbGridBase::SetLockedCols(int count) {
  lockedCols_ = count;
  ApplyLockedCols();
}

void TDbGridBase::SetLockedFont(const QFont& font) {
  lockedFont_ = font;
  ApplyLockedCols();
}

void TDbGridBase::SetLockedColor(TColor color) {
  lockedColor_ = color;
  ApplyLockedCols();
}

void TDbGridBase::ApplyLockedCols() {
  // Only when at least one data column stays scrollable beside the locked
  // ones; a larger count is kept but not applied.
  const bool applies = lockedCols_ >= 0 && lockedCols_ < ColumnCount() - 1;
  if (applies)
    appliedLockedCols_ = lockedCols_;
  else if (lockedCols_ < appliedLockedCols_)
    appliedLockedCols_ = std::max(lockedCols_, 0);
  for (int i = 0; i < ColumnCount(); ++i) {
    Column(i)->Font = i < appliedLockedCols_ ? lockedFont_ : font();
    Column(i)->Color = i < appliedLockedCols_ ? lockedColor_ : color_;
  }
  UpdateLockedView();
  viewport()->update();
}

void TDbGridBase::CreateLockedView() {
  lockedView_ = new QTableView(this);
  lockedView_->setObjectName(QStringLiteral("lockedColumns"));
  auto* titles = new TTitleHeader(this);
  lockedView_->setHorizontalHeader(titles);
  lockedView_->setModel(model_);
  lockedView_->setSelectionModel(selectionModel());
  lockedView_->setItemDelegate(delegate_);
  lockedView_->verticalHeader()->hide();
  lockedView_->verticalHeader()->setDefaultSectionSize(indicatorHeader_->defaultSectionSize());
  lockedView_->setFocusPolicy(Qt::NoFocus);
  lockedView_->setFrameShape(QFrame::NoFrame);
  lockedView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lockedView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lockedView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  titles->setSectionsMovable(false);
  // A locked column resized by the user resizes the grid's own column.
  connect(titles, &QHeaderView::sectionResized, this, [this, titles](int logical, int, int size) {
    if (!updatingLocked_ && !titles->isSectionHidden(logical)) titleHeader_->resizeSection(logical, size);
  });
  connect(lockedView_->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(), &QScrollBar::setValue);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, lockedView_->verticalScrollBar(), &QScrollBar::setValue);
}

void TDbGridBase::UpdateLockedView() {
  if (appliedLockedCols_ == 0 || ColumnCount() == 0) {
    if (lockedView_) lockedView_->hide();
    return;
  }
  if (!lockedView_) CreateLockedView();
  const QScopedValueRollback updating(updatingLocked_, true);
  QHeaderView* titles = lockedView_->horizontalHeader();
  int width = 0;
  for (int position = 0; position < ColumnCount(); ++position) {
    const int logical = titleHeader_->logicalIndex(position);
    const int from = titles->visualIndex(logical);
    if (from != position) titles->moveSection(from, position);
    titles->setSectionHidden(logical, position >= appliedLockedCols_);
    titles->resizeSection(logical, titleHeader_->sectionSize(logical));
    if (position < appliedLockedCols_) width += titleHeader_->sectionSize(logical);
  }
  titles->setVisible(titleHeader_->isVisible());
  lockedView_->setShowGrid(showGrid());
  lockedView_->setSelectionBehavior(selectionBehavior());
  const int left = frameWidth() + (indicatorHeader_->isVisible() ? indicatorHeader_->width() : 0);
  const int titleHeight = titleHeader_->isVisible() ? titleHeader_->height() : 0;
  lockedView_->setGeometry(left, frameWidth(), width, viewport()->height() + titleHeight);
  lockedView_->verticalScrollBar()->setValue(verticalScrollBar()->value());
  lockedView_->show();
  lockedView_->raise();
}

void TDbGridBase::updateGeometries() {
  QTableView::updateGeometries();
  UpdateLockedView();
}

void TDbGridBase::SetKeyFieldType(TGridKeyFieldType type) {
  ClearChecked();
  keyFieldType_ = type;
}

void TDbGridBase::SetCheckEnabled(bool on) {
  if (on && keyField_.isEmpty()) {
    ShowKitInformation(QStringLiteral("Položka \"KeyField\" musí být definována"));
    return;
  }
  checkEnabled_ = on;
  ApplyPalette();
}

void TDbGridBase::SetCheckedColor(TColor color) {
  checkedColor_ = color;
  ApplyPalette();
}

void TDbGridBase::SetCheckedSignum(bool on) {
  checkedSignum_ = on;
  ApplyPalette();
}

int TDbGridBase::CurrentRow() const {
  if (!dataSet_ || !dataSet_->Active()) return -1;
  return dataSet_->RecNo() - 1;
}

TField* TDbGridBase::ColumnField(const TGridColumn* column) const {
  if (!column || !dataSet_ || !dataSet_->Active()) return nullptr;
  if (column->FieldIndex >= 0)
    return column->FieldIndex < dataSet_->FieldCount() ? &dataSet_->FieldByNumber(column->FieldIndex) : nullptr;
  if (column->FieldName.isEmpty()) return nullptr;
  return dataSet_->FindField(column->FieldName);
}

QString TDbGridBase::CellText(const TGridColumn& column, const TField& field, const QVariant& value) {
  if (field.DataType() == TFieldType::Blob || field.DataType() == TFieldType::Memo) return QStringLiteral("(BLOB)");
  if (!column.DisplayFormat.isEmpty() && IsNumericType(field.DataType()) && value.isValid() && !value.isNull())
    return FormatColumnNumber(column.DisplayFormat, value.toDouble());
  return VariantText(value);
}

QString FormatColumnNumber(const QString& displayFormat, double value) {
  const qsizetype point = displayFormat.indexOf(QLatin1Char('.'));
  const int decimals = point < 0 ? 0 : int(displayFormat.size() - point - 1);
  QLocale locale;
  if (!displayFormat.left(point < 0 ? displayFormat.size() : point).contains(QLatin1Char(',')))
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(value, 'f', decimals);
}

QVariant TDbGridBase::KeyAt(int row) const {
  const TField* field =
      dataSet_ && dataSet_->Active() && !keyField_.isEmpty() ? dataSet_->FindField(keyField_) : nullptr;
  const QVariant value = field ? dataSet_->ValueAt(row, field->Index()) : QVariant();
  if (keyFieldType_ == TGridKeyFieldType::sktString) return VariantText(value);
  return value.isNull() ? 0 : int(value.toLongLong());
}

QVariant TDbGridBase::CurrentKey() const { return KeyAt(CurrentRow()); }

bool TDbGridBase::KeyMarked(const QVariant& key) const {
  return keyFieldType_ == TGridKeyFieldType::sktString ? checkedStringList_.GetChecked(key.toString())
                                                       : checkedList_.GetChecked(key.toInt());
}

void TDbGridBase::ToggleKey(const QVariant& key) {
  if (keyFieldType_ == TGridKeyFieldType::sktString)
    checkedStringList_.Check(key.toString());
  else
    checkedList_.Check(key.toInt());
}

bool TDbGridBase::IsRowMarked(int row) const { return KeyMarked(KeyAt(row)); }

void TDbGridBase::CheckRow() {
  if (!checkEnabled_) return;
  ToggleKey(CurrentKey());
  emit OnCheckRow();
  ApplyPalette();
}

bool TDbGridBase::IsRowChecked() const { return KeyMarked(CurrentKey()); }

int TDbGridBase::CheckedCount() const {
  return keyFieldType_ == TGridKeyFieldType::sktString ? checkedStringList_.Count() : checkedList_.Count();
}

int TDbGridBase::CheckedKey(int index) const {
  if (keyFieldType_ == TGridKeyFieldType::sktString) return -1;
  return checkedList_.Keys().value(index, -1);
}

void TDbGridBase::ClearChecked() {
  if (!checkEnabled_) return;
  checkedList_.Clear();
  checkedStringList_.Clear();
  ApplyPalette();
}

void TDbGridBase::UncheckAll() {
  if (!checkEnabled_ || !dataSet_ || !dataSet_->Active()) return;
  const int count = dataSet_->RecordCount();
  for (int row = 0; row < count; ++row) {
    const QVariant key = KeyAt(row);
    if (KeyMarked(key)) ToggleKey(key);
  }
  ApplyPalette();
}

void TDbGridBase::ChangeActiveTitle(int columnIndex) {
  if (!clickTitleEnabled_) return;
  int index = columnIndex;
  emit OnChangeTitle(index);
  if (index != activeTitleIndex_) {
    SetActiveTitleIndex(index);
    const TGridColumn* column = ActiveColumn();
    const QString fieldName = column && dataSet_ && dataSet_->Active() ? column->FieldName : QString();
    emit OnClickTitle(fieldName, activeTitleIndex_ - IndicatorOffset());
  }
  ApplyPalette();
}

bool TDbGridBase::InSizingZone(const QHeaderView* header, int x) const {
  const int w = GridLineWidth();
  const int range = std::max(w, 7);
  const int back = w < 7 ? (7 - w) / 2 : 0;
  const int clientWidth = header->viewport()->width();
  if (x >= clientWidth - back) return true;
  for (int position = 0; position < header->count(); ++position) {
    const int logical = header->logicalIndex(position);
    if (header->isSectionHidden(logical)) continue;
    const int line = header->sectionViewportPosition(logical) + header->sectionSize(logical) - w;
    if (line < 0) continue;
    if (line > clientWidth) break;
    if (x >= line - back && x <= line - back + range) return true;
  }
  return false;
}

void TDbGridBase::IndicatorPressed(int row) {
  if (!dataSet_ || !dataSet_->Active() || dataSet_->State() != TDataSetState::Browse) return;
  if (!options_.testFlag(dgIndicator)) return;
  dataSet_->SetRecNo(row + 1);
  CheckRow();
}

void TDbGridBase::PrepareCell(int row, int position, TGridCellCanvas& canvas) const {
  const TGridColumn* column = Column(position);
  canvas.Brush = column ? column->Color : color_;
  canvas.Font = column ? column->Font : font();
  canvas.FontColor = clWindowText;
  if (activeColumnBold_ && position == activeTitleIndex_ - IndicatorOffset()) canvas.Font.setBold(true);
  if (canvas.Selected && (canvas.Focused || options_.testFlag(dgAlwaysShowSelection))) {
    canvas.Brush = clHighlight;
    canvas.FontColor = clHighlightText;
  }
}

bool TDbGridBase::IsNavigationKey(int key) {
  switch (key) {
  case Qt::Key_Up:
  case Qt::Key_Down:
  case Qt::Key_Left:
  case Qt::Key_Right:
  case Qt::Key_PageUp:
  case Qt::Key_PageDown:
  case Qt::Key_Home:
  case Qt::Key_End:
  case Qt::Key_Tab:
  case Qt::Key_Backtab:
    return true;
  default:
    return false;
  }
}

void TDbGridBase::keyPressEvent(QKeyEvent* event) {
  RunGuarded([&] { GridKeyDown(event, event->key()); });
}

void TDbGridBase::GridKeyDown(QKeyEvent* event, int key) {
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  if (enterIsTab_ && enter) key = Qt::Key_Tab;
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  bool handled = false;
  if (IsNavigationKey(key)) {
    QKeyEvent navigation(QEvent::KeyPress, key, modifiers);
    QTableView::keyPressEvent(&navigation);
    handled = true;
  }
  if (dataSet_ && dataSet_->Active()) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      emit OnClickEnter();
    } else if (key == Qt::Key_Escape) {
      if (isSignalConnected(QMetaMethod::fromSignal(&TDbGridBase::OnClickEsc)))
        emit OnClickEsc();
      else
        dataSet_->Cancel();
    } else if (key == Qt::Key_Insert) {
      if (isSignalConnected(QMetaMethod::fromSignal(&TDbGridBase::OnClickIns)))
        emit OnClickIns();
      else if (!readOnly_ && dataSet_->CanModify())
        dataSet_->Insert();
    } else if (key == Qt::Key_Delete) {
      emit OnClickDel();
    } else if (key == Qt::Key_Space && isSignalConnected(QMetaMethod::fromSignal(&TDbGridBase::OnClickSpace))) {
      const TGridColumn* column = Column(titleHeader_->visualIndex(currentIndex().column()));
      emit OnClickSpace(column ? column->FieldName : QString());
      handled = true;
    }
  }
  event->setAccepted(handled);
}
