#include "controls/DbGridQPL.h"
#include "controls/DbGridQPLFind.h"
#include "controls/KitMessages.h"
#include "controls/UxPlacemnt.h"
#include "core/ui/EventBoundary.h"
#include "platform/MessageDialogs.h"
#include <QtCore/QMetaMethod>
#include <QtGui/QActionGroup>
#include <QtGui/QClipboard>
#include <QtGui/QContextMenuEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <QtWidgets/QStyle>

// ---- SQL fragments ---------------------------------------------------------

std::optional<QString> CheckedFilterCondition(const QList<int>& keys, const QString& alias, const QString& keyField) {
  if (keys.isEmpty()) return QString();
  if (keys.size() > kMaxCheckedFilterKeys) return std::nullopt;
  QStringList numbers;
  numbers.reserve(keys.size());
  for (int key : keys)
    numbers << QString::number(key);
  return QStringLiteral(" ") + alias + keyField + QStringLiteral(" in (") + numbers.join(QLatin1Char(',')) +
         QStringLiteral(")");
}

QString ColumnSortExpression(const TQPLColumn* column, const QString& direction) {
  if (!column || column->Order == TOrderSets::osNone || column->OrderBy.trimmed().isEmpty()) return {};
  QString expression = column->OrderBy.trimmed();
  if (column->CollateBy == TCollateOption::coPXW_CSY)
    expression += QStringLiteral(" collate PXW_CSY");
  else if (column->CollateBy == TCollateOption::coWin1250)
    expression += QStringLiteral(" collate Win1250");
  if (!direction.isEmpty()) expression += QStringLiteral(" ") + direction;
  return expression;
}

QString OrderByList(const QList<const TQPLColumn*>& columns, int activePosition, const QString& direction) {
  QString list = ColumnSortExpression(columns.value(activePosition), direction);
  for (int i = 0; i < columns.size(); ++i) {
    if (i == activePosition) continue;
    const QString expression = ColumnSortExpression(columns[i], direction);
    if (expression.isEmpty()) continue;
    if (!list.isEmpty()) list += QLatin1Char(',');
    list += expression;
  }
  return list;
}

// ---- grid --------------------------------------------------------------------

namespace {

TGridPrinter& GridPrinter() {
  static TGridPrinter printer;
  return printer;
}

// The busy cursor for the length of a scope, restored also on an exception.
class TBusyCursor {
public:
  TBusyCursor() { QApplication::setOverrideCursor(Qt::BusyCursor); }
  ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};

QString ColumnIdent(const QString& gridName, int position) {
  return gridName + QStringLiteral(".Column[") + QString::number(position) + QStringLiteral("].FieldName");
}

// The per-form value store in the grid's own section (form class + grid name).
class TColumnStore {
public:
  explicit TColumnStore(QObject* grid) : placement_(grid) {
    placement_.SetOptions(fpPosition);
    placement_.SetUseRegistry(true);
  }
  TUxFormPlacement* operator->() { return &placement_; }

private:
  TUxFormPlacement placement_;
};

} // namespace

TDbGridQPL::TDbGridQPL(QWidget* parent) : TDbGridBase(parent) {
  SetCheckedColor(clYellow);
  SetKeyField(QStringLiteral("jedin"));
  SetCheckEnabled(true);
  SetClickTitleEnabled(true);
  SetOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs | dgRowSelect |
             dgConfirmDelete | dgCancelOnExit);
  SetReadOnly(true);
  BuildPopup();
}

TDbGridQPL::~TDbGridQPL() = default;

void TDbGridQPL::SetGridPrinter(TGridPrinter printer) { GridPrinter() = std::move(printer); }

void TDbGridQPL::BuildPopup() {
  popup_ = new QMenu(this);
  auto add = [this](const char* caption, void (TDbGridQPL::*slot)(), const QKeySequence& shortcut = {}) {
    QAction* action = popup_->addAction(QString::fromUtf8(caption), this, slot);
    // Shown in the menu only: the grid's key handling runs the copies.
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetShortcut);
    return action;
  };
  add("Kopírovať riadok do schránky", &TDbGridQPL::CopyRow, QKeySequence(Qt::CTRL | Qt::Key_C));
  add("Kopírovať celý grid do schránky", &TDbGridQPL::CopyGrid, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  popup_->addSeparator();
  add("Uloženie pozícií stĺpcov gridu", &TDbGridQPL::SaveColumns);
  add("Obnovenie pozícií stĺpcov gridu", &TDbGridQPL::RestoreColumns);
  add("Vymazanie uložených pozícií stĺpcov gridu", &TDbGridQPL::EraseColumns);
  popup_->addSeparator();
  printGrid_ = add("Vytlačenie obsahu gridu", &TDbGridQPL::PrintGrid);
  printDataSet_ = add("Vytlačenie obsahu datasetu", &TDbGridQPL::PrintDataSet);
  portrait_ = popup_->addAction(QStringLiteral("Vytlačenie obsahu na dĺžku stránky"));
  landscape_ = popup_->addAction(QStringLiteral("Vytlačenie obsahu na šírku stránky"));
  auto* orientation = new QActionGroup(this);
  for (QAction* action : {portrait_, landscape_}) {
    action->setCheckable(true);
    orientation->addAction(action);
  }
  portrait_->setChecked(true);
  popup_->addSeparator();
  add("Zarovnanie šírok stĺpcov gridu", &TDbGridQPL::FitColumns);
  connect(popup_, &QMenu::aboutToShow, this, [this] {
    printGrid_->setEnabled(bool(GridPrinter()));
    printDataSet_->setEnabled(bool(GridPrinter()));
  });
  printGrid_->setEnabled(bool(GridPrinter()));
  printDataSet_->setEnabled(bool(GridPrinter()));
}

void TDbGridQPL::Loaded() {
  RestoreColumns();
  if (toolTip().trimmed().isEmpty()) setToolTip(title_);
}

TQPLColumn* TDbGridQPL::AddColumn(const QString& fieldName, const QString& title, int width) {
  return static_cast<TQPLColumn*>(TDbGridBase::AddColumn(fieldName, title, width));
}

void TDbGridQPL::SetColoringRows(bool on) {
  coloringRows_ = on;
  ApplyPalette();
}

void TDbGridQPL::SetOznacNaCerveno(bool on) {
  oznacNaCerveno_ = on;
  ApplyPalette();
}

void TDbGridQPL::SetColorSelectedRow(bool on) {
  colorSelectedRow_ = on;
  ApplyPalette();
}

bool TDbGridQPL::Landscape() const { return landscape_->isChecked(); }

void TDbGridQPL::DisplayGrid() {
  if (!isSignalConnected(QMetaMethod::fromSignal(&TDbGridQPL::OnDisplayGrid))) {
    if (ClickTitleEnabled()) ShowKitInformation(QStringLiteral("Missing OnDisplay event code."));
    return;
  }
  TBusyCursor busy;
  emit OnDisplayGrid();
}

bool TDbGridQPL::GetCheckedFilter(const QString& alias, QString& filter, const QString& column) {
  filter.clear();
  if (!CheckEnabled() || CheckedCount() == 0) return true;
  const std::optional<QString> condition =
      CheckedFilterCondition(CheckedList().Keys(), alias, column.isEmpty() ? KeyField() : column);
  if (!condition) {
    ShowKitInformation(QStringLiteral("Nie je možné označiť viac ako %1 záznamov!\r\n"
                                      "Filtrovanie označených nebolo akceptované.")
                           .arg(kMaxCheckedFilterKeys));
    return false;
  }
  filter = *condition;
  return true;
}

QList<const TQPLColumn*> TDbGridQPL::ColumnsInOrder() const {
  QList<const TQPLColumn*> columns;
  for (int i = 0; i < ColumnCount(); ++i)
    columns << QPLColumn(i);
  return columns;
}

void TDbGridQPL::GetOrderBy(const QString& direction, QString& orderBy) const {
  orderBy = OrderByList(ColumnsInOrder(), ActiveTitleIndex() - IndicatorOffset(), direction);
}

void TDbGridQPL::CheckAll() {
  if (!CheckEnabled() || KeyField().isEmpty() || !DataSet() || !DataSet()->Active()) return;
  const int count = DataSet()->RecordCount();
  for (int row = 0; row < count; ++row) {
    const QVariant key = KeyAt(row);
    if (KeyMarked(key)) continue;
    ToggleKey(key);
    emit OnCheckRow();
  }
  ApplyPalette();
}

int TDbGridQPL::GetRecordCount() const { return DataSet() && DataSet()->Active() ? DataSet()->RecordCount() : 0; }

void TDbGridQPL::ChangeActiveTitle(int columnIndex) {
  const bool changes = columnIndex != ActiveTitleIndex();
  TDbGridBase::ChangeActiveTitle(columnIndex);
  if (changes) DisplayGrid();
}

void TDbGridQPL::ColumnMoved(int from, int to) {
  TDbGridBase::ColumnMoved(from, to);
  DisplayGrid();
  RepaintTitles();
}

// ---- find ----------------------------------------------------------------------

void TDbGridQPL::Find() {
  const TQPLColumn* column = static_cast<const TQPLColumn*>(ActiveColumn());
  if (ActiveTitleIndex() == 0 || !column) {
    ShowKitInformation(QStringLiteral("Nie je zvolený žiadny stĺpec, nie je možné vyhľadávať."));
    return;
  }
  if (!isVisible() || !isEnabled()) {
    ShowKitInformation(QStringLiteral("Grid nie je viditeľný, vyhľadávanie sa neprevedie."));
    return;
  }
  if (GetRecordCount() == 0) {
    ShowKitInformation(QStringLiteral("Nie sú zobrazené žiadne údaje, nie je v čom vyhľadávať."));
    return;
  }
  if (column->FindExternal) {
    FindExternal();
    return;
  }
  const TField& field = DataSet()->FieldByName(column->FindByField.isEmpty() ? column->FieldName : column->FindByField);
  TfrmDBGridQPLFind::TPage page;
  switch (field.DataType()) {
  case TFieldType::String:
  case TFieldType::SmallInt:
  case TFieldType::Integer:
  case TFieldType::Currency:
  case TFieldType::LargeInt:
    page = TfrmDBGridQPLFind::TPage::Text;
    break;
  case TFieldType::Date:
    page = TfrmDBGridQPLFind::TPage::Date;
    break;
  default:
    ShowKitInformation(QStringLiteral("Unknown type"));
    return;
  }
  TfrmDBGridQPLFind dialog(this, field.FieldName(), page);
  dialog.ShowModal();
}

void TDbGridQPL::FindExternal() {
  if (!isSignalConnected(QMetaMethod::fromSignal(&TDbGridQPL::OnFindExternal))) return;
  struct Lime {
    TDbGridQPL* grid;
    ~Lime() { grid->SetColorSelectedRow(false); }
  } lime{this};
  SetColorSelectedRow(true);
  emit OnFindExternal();
}

// ---- keys, mouse, menu -----------------------------------------------------------

void TDbGridQPL::keyPressEvent(QKeyEvent* event) {
  RunGuarded([&] {
    int key = event->key();
    if (HandleListKey(key, event->modifiers())) key = 0;
    emit OnKeyDown(key, event->modifiers());
    if (key == 0) {
      event->accept();
      return;
    }
    GridKeyDown(event, key);
  });
}

// Runs the list keys; true when the key was used up.
bool TDbGridQPL::HandleListKey(int key, Qt::KeyboardModifiers modifiers) {
  const Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  const bool none = held == Qt::NoModifier;
  const bool ctrl = held == Qt::ControlModifier;
  const bool ctrlShift = held == (Qt::ControlModifier | Qt::ShiftModifier);
  const int active = ActiveTitleIndex();
  const int activePosition = active - IndicatorOffset();
  TDataSet* ds = DataSet();
  const bool hasRows = ds && ds->Active() && !ds->IsEmpty();

  if (none && (key == Qt::Key_Insert || key == Qt::Key_Space) && CheckEnabled()) {
    CheckRow();
    if (ds && ds->Active() && ds->State() == TDataSetState::Browse) ds->Next();
  } else if (none && keypad && key == Qt::Key_Plus && CheckEnabled()) {
    CheckAll();
  } else if (none && keypad && key == Qt::Key_Minus && CheckEnabled()) {
    UncheckAll();
    emit OnCheckRow();
  } else if (ctrl && keypad && key == Qt::Key_Minus && CheckEnabled()) {
    ClearChecked();
    emit OnCheckRow();
  } else if (none && key == Qt::Key_V && hasRows) {
    Find();
    return true;
  } else if (ctrl && key == Qt::Key_Left && ClickTitleEnabled() && active > 0) {
    SetActiveTitleIndex(active - 1);
    RepaintTitles();
    DisplayGrid();
    return true;
  } else if (ctrl && key == Qt::Key_Right && ClickTitleEnabled() && active < ColumnCount()) {
    SetActiveTitleIndex(active + 1);
    RepaintTitles();
    DisplayGrid();
    return true;
  } else if (ctrlShift && key == Qt::Key_Left && Options().testFlag(dgColumnResize) && active > 1) {
    MoveColumn(activePosition, activePosition - 1);
    return true;
  } else if (ctrlShift && key == Qt::Key_Right && Options().testFlag(dgColumnResize) && active > 0 &&
             active < ColumnCount()) {
    MoveColumn(activePosition, activePosition + 1);
    return true;
  } else if (ctrl && key == Qt::Key_C) {
    CopyRow();
    return true;
  } else if (ctrlShift && key == Qt::Key_C) {
    CopyGrid();
    return true;
  }
  return false;
}

void TDbGridQPL::contextMenuEvent(QContextMenuEvent* event) { popup_->exec(event->globalPos()); }

void TDbGridQPL::wheelEvent(QWheelEvent* event) {
  TDbGridBase::wheelEvent(event);
  TDataSet* ds = DataSet();
  if (!ds || !ds->Active() || ds->IsEmpty() || ds->State() != TDataSetState::Browse) return;
  if (event->angleDelta().y() < 0)
    ds->Next();
  else
    ds->Prior();
}

// ---- painting ----------------------------------------------------------------------

void TDbGridQPL::PrepareCell(int row, int position, TGridCellCanvas& canvas) const {
  TDbGridBase::PrepareCell(row, position, canvas);
  const bool showsSelection = canvas.Selected && (canvas.Focused || Options().testFlag(dgAlwaysShowSelection));
  const bool marked = CheckEnabled() && IsRowMarked(row);
  if (coloringRows_ && !showsSelection) canvas.Brush = (row + 1) % 2 == 1 ? TColor(0xFFFBE6) : TColor(0xE6FFFE);
  if (marked && (!canvas.Selected || !canvas.Focused)) canvas.Brush = CheckedColor();
  if (oznacNaCerveno_ && ((canvas.Selected && CheckedCount() == 0) || (CheckedCount() > 0 && IsRowMarked(row)))) {
    canvas.Brush = clRed;
    canvas.FontColor = clYellow;
  }
  if (colorSelectedRow_ && canvas.Selected && position == ActiveTitleIndex() - IndicatorOffset()) canvas.Brush = clLime;
  emit OnDrawColumnCell(row, QPLColumn(position), canvas);
}

// ---- clipboard -------------------------------------------------------------------

QString TDbGridQPL::RowText(int row) const {
  QStringList cells;
  for (int i = 0; i < ColumnCount(); ++i) {
    const TGridColumn* column = Column(i);
    const TField* field = ColumnField(column);
    cells << (field ? CellText(*column, *field, DataSet()->ValueAt(row, field->Index())) : QString());
  }
  return cells.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
}

void TDbGridQPL::CopyRow() {
  if (GetRecordCount() == 0) return;
  QGuiApplication::clipboard()->setText(RowText(CurrentRow()));
}

void TDbGridQPL::CopyGrid() {
  if (GetRecordCount() == 0) return;
  TBusyCursor busy;
  QString text;
  const int count = GetRecordCount();
  for (int row = 0; row < count; ++row)
    text += RowText(row);
  QGuiApplication::clipboard()->setText(text);
}

// ---- column order ------------------------------------------------------------------

void TDbGridQPL::SaveColumns() {
  TColumnStore store(this);
  for (int i = 0; i < ColumnCount(); ++i)
    store->WriteString(ColumnIdent(objectName(), i), Column(i)->FieldName);
}

void TDbGridQPL::RestoreColumns() {
  TColumnStore store(this);
  for (int i = 0; i < ColumnCount(); ++i) {
    const QString name = store->ReadString(ColumnIdent(objectName(), i), QString());
    if (name.isEmpty()) return;
    int found = -1;
    for (int j = 0; j < ColumnCount() && found < 0; ++j)
      if (Column(j)->FieldName.compare(name, Qt::CaseInsensitive) == 0) found = j;
    if (found < 0) return;
    if (found != i) MoveColumn(found, i, false);
  }
}

void TDbGridQPL::EraseColumns() {
  if (MessageDlg(QStringLiteral("Chcete vymazať uložené pozície stĺpcov a pri opätovnom otvorení okna sa obnovili "
                                "pôvodné pozície?"),
                 TMsgDlgType::Confirmation, mbYes | mbNo) != mrYes)
    return;
  TColumnStore store(this);
  for (int i = 0; i < ColumnCount(); ++i)
    store->WriteString(ColumnIdent(objectName(), i), QString());
}

// ---- prints and widths ---------------------------------------------------------------

void TDbGridQPL::Print(bool wholeDataSet) {
  if (GetRecordCount() <= 0 || !GridPrinter()) return;
  TGridPrintJob job;
  job.Grid = this;
  job.WholeDataSet = wholeDataSet;
  job.Landscape = Landscape();
  job.AutoWidth = !wholeDataSet;
  job.Title = title_.trimmed().isEmpty() ? QString() : title_;
  GridPrinter()(job);
}

void TDbGridQPL::PrintGrid() { Print(false); }
void TDbGridQPL::PrintDataSet() { Print(true); }

void TDbGridQPL::FitColumns() {
  int n = 0;
  for (int i = 0; i < ColumnCount(); ++i)
    if (ColumnField(Column(i))) ++n;
  // Without a bound column there is nothing to spread the width over.
  if (n == 0) return;
  int s = 0;
  for (int i = 0; i < n; ++i)
    s += Column(i)->Width;
  const int b = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const int w = width();
  int delta = 0;
  int sign = 1;
  if (b + s + 24 < w) {
    delta = (w - b - 11) - (s + 11);
  } else if (b + s + 24 > w) {
    delta = (s + 11) - (w - b - 11);
    sign = -1;
  }
  if (delta <= 0) return;
  delta = sign * (delta / n);
  for (int i = 0; i < n; ++i)
    SetColumnWidth(i, Column(i)->Width + delta);
}
