#include "reports/objects/rpCrossForm.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpUtils.h"
#include "reports/objects/RegisterReportObjects.h"
#include "reports/objects/rpCrossView.h"
#include <QtCore/QPointer>
#include <QtGui/QDragEnterEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyledItemDelegate>
#include <QtWidgets/QToolButton>

namespace {

constexpr int kPreviewTop = 244; // the lists end here; the preview takes the rest of the form
const char* const kCrossFunctions[] = {"", "+", "+min", "+max", "+avg", "+count"};

// A field list that takes drops from the editor's lists and leaves the moving to the editor's rules.
class TCrossFormList : public QListWidget {
public:
  using QListWidget::QListWidget;
  std::function<void(QListWidget* source, int sourceRow, int targetRow)> OnDrop;

protected:
  void dragEnterEvent(QDragEnterEvent* event) override { Accept(event); }
  void dragMoveEvent(QDragMoveEvent* event) override { Accept(event); }
  void dropEvent(QDropEvent* event) override {
    auto* source = qobject_cast<QListWidget*>(event->source());
    if (!source || source->count() == 0 || !OnDrop) return;
    const QListWidgetItem* at = itemAt(event->position().toPoint());
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    OnDrop(source, source->currentRow(), at ? row(at) : -1);
  }

private:
  static void Accept(QDropEvent* event) {
    auto* source = qobject_cast<QListWidget*>(event->source());
    if (source && source->count() > 0)
      event->acceptProposedAction();
    else
      event->ignore();
  }
};

// An entry with "+" shows its field at the left and its function at the right.
class TCrossItemDelegate : public QStyledItemDelegate {
public:
  TCrossItemDelegate(const QString& emptyFunction, QObject* parent)
      : QStyledItemDelegate(parent), emptyFunction_(emptyFunction) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QString text = index.data().toString();
    if (!text.contains(QLatin1Char('+'))) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    // The item's background and selection without its text, which is drawn in two parts.
    QStyleOptionViewItem plain = option;
    initStyleOption(&plain, index);
    plain.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, widget);
    QString function = text.section(QLatin1Char('+'), 1);
    if (function.isEmpty()) function = emptyFunction_;
    const QRect area = option.rect.adjusted(3, 0, -3, 0);
    painter->save();
    painter->setPen(option.state & QStyle::State_Selected ? option.palette.highlightedText().color()
                                                          : option.palette.text().color());
    painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, rpCrossFieldName(text));
    painter->drawText(area, Qt::AlignRight | Qt::AlignVCenter, function);
    painter->restore();
  }

private:
  QString emptyFunction_;
};

QStringList ItemTexts(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i)
    texts.append(list->item(i)->text());
  return texts;
}

void SetItemTexts(QListWidget* list, const QStringList& texts) {
  list->clear();
  list->addItems(texts);
}

void InsertItem(QListWidget* list, int row, const QString& text) {
  list->insertItem(row < 0 || row > list->count() ? list->count() : row, text);
}

// Removes the items whose field is `field`.
void RemoveField(QListWidget* list, const QString& field) {
  for (int i = list->count() - 1; i >= 0; --i)
    if (rpCrossFieldName(list->item(i)->text()) == field) delete list->takeItem(i);
}

} // namespace

void TDrawPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (OnPaint) OnPaint(painter);
}

TrpCrossForm& rpCrossForm() {
  static QPointer<TrpCrossForm> form;
  if (!form) form = new TrpCrossForm;
  return *form;
}

TrpCrossForm::TrpCrossForm(QWidget* parent) : TrpObjEditorForm(parent) {
  setObjectName(QStringLiteral("TrpCrossForm"));
  resize(600, 540);
  Image1 = rpObjectBitmap("RP_CROSSVIEW");
  const auto makeList = [this](QWidget* parent, const QString& name, const QString& emptyFunction) {
    auto* list = new TCrossFormList(parent);
    list->setObjectName(name);
    list->setDragEnabled(true);
    list->setAcceptDrops(true);
    list->setDragDropMode(QAbstractItemView::DragDrop);
    list->setDefaultDropAction(Qt::MoveAction);
    if (!emptyFunction.isEmpty()) list->setItemDelegate(new TCrossItemDelegate(emptyFunction, list));
    list->OnDrop = [this, list](QListWidget* source, int sourceRow, int targetRow) {
      DropField(source, sourceRow, list, targetRow);
    };
    connect(list, &QListWidget::itemSelectionChanged, this, [this, list] {
      if (!list->selectedItems().isEmpty()) SelectIn(list);
    });
    return list;
  };

  GroupBox2 = new QGroupBox(this);
  GroupBox2->setGeometry(8, 8, 190, 228);
  DatasetsLB = new QComboBox(GroupBox2);
  DatasetsLB->setObjectName(QStringLiteral("DatasetsLB"));
  DatasetsLB->setGeometry(8, 24, 174, 24);
  FieldsLB = makeList(GroupBox2, QStringLiteral("FieldsLB"), {});
  FieldsLB->setGeometry(8, 54, 174, 166);

  GroupBox1 = new QGroupBox(this);
  GroupBox1->setGeometry(206, 8, 296, 228);
  SpeedButton1 = new QToolButton(GroupBox1);
  SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
  SpeedButton1->setGeometry(8, 24, 96, 56);
  SpeedButton1->setText(QStringLiteral("⇄"));
  ListBox3 = makeList(GroupBox1, QStringLiteral("ListBox3"), QStringLiteral("total"));
  ListBox3->setGeometry(110, 24, 178, 56);
  ListBox2 = makeList(GroupBox1, QStringLiteral("ListBox2"), QStringLiteral("total"));
  ListBox2->setGeometry(8, 86, 96, 134);
  ListBox4 = makeList(GroupBox1, QStringLiteral("ListBox4"), QStringLiteral("sum"));
  ListBox4->setGeometry(110, 86, 178, 78);
  CheckBox1 = new QCheckBox(GroupBox1);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  CheckBox1->setGeometry(110, 168, 178, 22);
  Label1 = new QLabel(GroupBox1);
  Label1->setGeometry(110, 194, 60, 24);
  ComboBox2 = new QComboBox(GroupBox1);
  ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
  ComboBox2->setGeometry(172, 194, 116, 24);
  ComboBox2->addItems({QStringLiteral("None"), QStringLiteral("Sum"), QStringLiteral("Min"), QStringLiteral("Max"),
                       QStringLiteral("Average"), QStringLiteral("Count")});

  Button1 = new QPushButton(this);
  Button1->setGeometry(512, 16, 80, 26);
  Button1->setDefault(true);
  Button2 = new QPushButton(this);
  Button2->setGeometry(512, 48, 80, 26);
  Preview = new TDrawPanel(this);
  Preview->setObjectName(QStringLiteral("Preview"));
  Preview->OnPaint = [this](QPainter& painter) { PaintPreview(painter); };

  connect(Button1, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
  connect(Button2, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
  connect(SpeedButton1, &QToolButton::clicked, this, [this] { SwapRowsAndColumns(); });
  connect(CheckBox1, &QCheckBox::clicked, this, [this] { ToggleSubtotals(); });
  connect(ComboBox2, &QComboBox::activated, this, [this](int index) { ChooseFunction(index); });
  for (QListWidget* list : {ListBox2, ListBox3})
    connect(list, &QListWidget::itemDoubleClicked, this, [this] { ToggleSubtotals(); });
  connect(DatasetsLB, &QComboBox::activated, this, [this] {
    // Fields of another data set do not apply to this one.
    for (QListWidget* list : {ListBox2, ListBox3, ListBox4})
      list->clear();
    ListFields();
    Preview->update();
  });
  SetTexts();
  ShowSelectionState();
}

void TrpCrossForm::SetTexts() {
  SetCaption(rpLoadStr(53754));
  GroupBox1->setTitle(rpLoadStr(53750));
  GroupBox2->setTitle(rpLoadStr(53751));
  CheckBox1->setText(rpLoadStr(53752));
  Label1->setText(rpLoadStr(53753));
  Button1->setText(rpLoadStr(55000));
  Button2->setText(rpLoadStr(55001));
}

void TrpCrossForm::resizeEvent(QResizeEvent* event) {
  TrpObjEditorForm::resizeEvent(event);
  Preview->setGeometry(0, kPreviewTop, width(), std::max(0, height() - kPreviewTop));
}

int TrpCrossForm::ShowEditor(TrpView* object) {
  view_ = dynamic_cast<TrpCrossView*>(object);
  if (!view_) return mrCancel;
  SetTexts();
  FormShow();
  const int result = ShowModal();
  if (result == mrOk && !(view_->Restrictions & rrModify)) {
    TrpReportDesigner* designer = rpCurrentDesigner();
    if (designer) designer->BeforeChange();
    view_->Memo = Definition();
    if (designer) designer->AfterChange();
  }
  view_ = nullptr;
  return result;
}

void TrpCrossForm::FormShow() {
  if (!view_) return;
  DatasetsLB->clear();
  if (view_->Report) DatasetsLB->addItems(view_->Report->Dictionary.ListDataSets());
  const QStringList& memo = view_->Memo;
  if (memo.size() < 4) {
    DatasetsLB->setCurrentIndex(DatasetsLB->count() > 0 ? 0 : -1);
    ListFields();
    for (QListWidget* list : {ListBox2, ListBox3, ListBox4})
      list->clear();
  } else if (const int index = DatasetsLB->findText(memo[0]); index >= 0) {
    DatasetsLB->setCurrentIndex(index);
    ListFields();
    SetItemTexts(ListBox2, rpCrossFieldEntries(memo[1]));
    SetItemTexts(ListBox3, rpCrossFieldEntries(memo[2]));
    SetItemTexts(ListBox4, rpCrossFieldEntries(memo[3]));
    for (QListWidget* list : {ListBox2, ListBox3})
      for (const QString& entry : ItemTexts(list))
        RemoveField(FieldsLB, rpCrossFieldName(entry));
  }
  ShowSelectionState();
  Preview->update();
}

void TrpCrossForm::ListFields() {
  FieldsLB->clear();
  if (view_ && view_->Report && DatasetsLB->currentIndex() >= 0)
    FieldsLB->addItems(view_->Report->Dictionary.ListFields(DatasetsLB->currentText()));
}

QStringList TrpCrossForm::Definition() const {
  QStringList lines{DatasetsLB->currentText()};
  for (const QListWidget* list : {ListBox2, ListBox3, ListBox4}) {
    QString line;
    for (const QString& entry : ItemTexts(list))
      line += entry + QLatin1Char(';');
    lines.append(line);
  }
  return lines;
}

bool TrpCrossForm::IsCellField(const QString& field) const {
  for (const QString& entry : ItemTexts(ListBox4))
    if (rpCrossFieldName(entry) == field) return true;
  return false;
}

void TrpCrossForm::DropField(QListWidget* source, int sourceRow, QListWidget* target, int targetRow) {
  if (!source || sourceRow < 0 || sourceRow >= source->count()) return;
  const QString text = source->item(sourceRow)->text();
  const QString field = rpCrossFieldName(text);
  const bool toCells = target == ListBox4;
  if (source == target) {
    if (source == FieldsLB) return;
    delete source->takeItem(sourceRow);
    InsertItem(target, targetRow > sourceRow ? targetRow - 1 : targetRow, text);
  } else if (source == FieldsLB) {
    // A field may be a cell field several times, but a cell field is no row or column field.
    if (!toCells && IsCellField(field)) return;
    InsertItem(target, targetRow, field + QLatin1Char('+'));
    if (!toCells) delete FieldsLB->takeItem(sourceRow);
  } else if (target == FieldsLB) {
    delete source->takeItem(sourceRow);
    if (source != ListBox4) InsertItem(FieldsLB, targetRow, field);
  } else {
    delete source->takeItem(sourceRow);
    InsertItem(target, targetRow, field);
    if (source == ListBox4 && !toCells) {
      RemoveField(FieldsLB, field);
      RemoveField(ListBox4, field);
    } else if (toCells) {
      InsertItem(FieldsLB, -1, field);
    }
  }
  ShowSelectionState();
  Preview->update();
}

void TrpCrossForm::SelectIn(QListWidget* list) {
  for (QListWidget* other : {FieldsLB, ListBox2, ListBox3, ListBox4})
    if (other != list) {
      const QSignalBlocker blocker(other);
      other->clearSelection();
    }
  ShowSelectionState();
}

QListWidget* TrpCrossForm::SelectedList() const {
  for (QListWidget* list : {ListBox2, ListBox3, ListBox4})
    if (!list->selectedItems().isEmpty()) return list;
  return nullptr;
}

void TrpCrossForm::ShowSelectionState() {
  QListWidget* list = SelectedList();
  CheckBox1->setEnabled(list == ListBox2 || list == ListBox3);
  ComboBox2->setEnabled(list == ListBox4);
  if (!list) return;
  const QString entry = list->selectedItems().first()->text();
  if (list != ListBox4) {
    CheckBox1->setChecked(entry.contains(QLatin1Char('+')));
    return;
  }
  int index = 0;
  if (entry.contains(QLatin1Char('+'))) {
    const QString function = entry.section(QLatin1Char('+'), 1).toLower();
    index = 1;
    for (int i = 2; i < 6; ++i)
      if (function == QLatin1String(kCrossFunctions[i] + 1)) index = i;
  }
  ComboBox2->setCurrentIndex(index);
}

void TrpCrossForm::ToggleSubtotals() {
  QListWidget* list = SelectedList();
  if (list != ListBox2 && list != ListBox3) return;
  QListWidgetItem* item = list->selectedItems().first();
  QString entry = item->text();
  if (entry.contains(QLatin1Char('+')))
    entry.chop(1);
  else
    entry += QLatin1Char('+');
  item->setText(entry);
  ShowSelectionState();
  Preview->update();
}

void TrpCrossForm::ChooseFunction(int index) {
  if (SelectedList() != ListBox4 || index < 0 || index >= 6) return;
  QListWidgetItem* item = ListBox4->selectedItems().first();
  item->setText(rpCrossFieldName(item->text()) + QLatin1String(kCrossFunctions[index]));
  Preview->update();
}

void TrpCrossForm::SwapRowsAndColumns() {
  const QStringList rows = ItemTexts(ListBox2);
  SetItemTexts(ListBox2, ItemTexts(ListBox3));
  SetItemTexts(ListBox3, rows);
  ShowSelectionState();
  Preview->update();
}

void TrpCrossForm::PaintPreview(QPainter& painter) const {
  const QStringList rows = ItemTexts(ListBox2), columns = ItemTexts(ListBox3), cells = ItemTexts(ListBox4);
  if (rows.isEmpty() || columns.isEmpty() || cells.isEmpty()) return;
  constexpr int w = 72, h = 18, x0 = 10, y0 = 10;
  const QColor totalFill(245, 245, 245), grandFill(192, 192, 192);
  const QString totalOf = rpLoadStr(55602), grandTotal = rpLoadStr(55600);
  const auto cell = [&](const QRect& r, const QString& text, const QColor& fill) {
    painter.fillRect(r, fill);
    painter.setPen(Qt::black);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    painter.save();
    painter.setClipRect(r.adjusted(3, 3, -3, -3));
    painter.drawText(r.adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.restore();
  };
  const int rowCount = int(rows.size()), columnCount = int(columns.size());
  const int headerWidth = rowCount * w, headerHeight = columnCount * h, dataHeight = int(cells.size()) * h;
  const int dataLeft = x0 + headerWidth, dataTop = y0 + headerHeight;
  painter.setPen(QPen(Qt::black, 1, Qt::DashDotLine));
  painter.drawRect(x0, y0, headerWidth - 1, headerHeight - 1);
  // Column fields: one line each, the subtotal columns of the marked ones after the data column.
  int right = dataLeft + w;
  for (int j = 0; j < columnCount; ++j)
    cell(QRect(dataLeft, y0 + j * h, w, h), rpCrossFieldName(columns[j]), Qt::white);
  for (int j = columnCount - 1; j >= 0; --j)
    if (columns[j].contains(QLatin1Char('+'))) {
      cell(QRect(right, y0 + j * h, w, headerHeight - j * h + dataHeight), totalOf + rpCrossFieldName(columns[j]),
           totalFill);
      right += w;
    }
  const int grandLeft = right + w / 2;
  cell(QRect(grandLeft, y0, w, headerHeight + dataHeight), grandTotal, grandFill);
  // Row fields: one column each, the innermost at the right, their subtotal rows below the data row.
  int bottom = dataTop + dataHeight;
  for (int k = 0; k < rowCount; ++k)
    cell(QRect(x0 + k * w, dataTop, w, dataHeight), rpCrossFieldName(rows[k]), Qt::white);
  for (int k = rowCount - 1; k >= 0; --k)
    if (rows[k].contains(QLatin1Char('+'))) {
      cell(QRect(x0 + k * w, bottom, headerWidth - k * w + w, h), totalOf + rpCrossFieldName(rows[k]), totalFill);
      bottom += h;
    }
  const int grandTop = bottom + h / 2;
  cell(QRect(x0, grandTop, headerWidth + w, h), grandTotal, grandFill);
  // The cell fields stand in the first data cell.
  painter.setPen(Qt::black);
  painter.drawRect(dataLeft, dataTop, w - 1, dataHeight - 1);
  for (int i = 0; i < cells.size(); ++i) {
    painter.save();
    painter.setClipRect(QRect(dataLeft + 3, dataTop + i * h + 3, w - 6, h - 6));
    painter.drawText(QRect(dataLeft + 3, dataTop + i * h, w - 6, h), Qt::AlignLeft | Qt::AlignVCenter,
                     rpCrossFieldName(cells[i]));
    painter.restore();
  }
  painter.setPen(QPen(Qt::black, 1, Qt::DashDotLine));
  painter.drawLine(dataLeft + w, dataTop + dataHeight / 2, grandLeft, dataTop + dataHeight / 2);
  painter.drawLine(dataLeft + w / 2, dataTop + dataHeight, dataLeft + w / 2, grandTop);
}
