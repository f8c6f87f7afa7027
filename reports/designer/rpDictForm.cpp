#include "reports/designer/rpDictForm.h"
#include "core/DataSet.h"
#include "core/Exception.h"
#include "reports/designer/rpDialogButtons.h"
#include "reports/designer/rpDictVariables.h"
#include "reports/designer/rpExprForm.h"
#include "reports/designer/rpVaredForm.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include "reports/engine/ui/rpComboEdit.h"
#include "reports/engine/ui/rpSpeedButton.h"
#include <QtCore/QScopedValueRollback>
#include <QtCore/QSignalBlocker>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QTreeWidget>
#include <QtWidgets/QVBoxLayout>

namespace {

constexpr int kDictKindRole = Qt::UserRole;
constexpr int kDictNameRole = Qt::UserRole + 1; // a category's or variable's entry name as last stored
// PAGE# .. TOTALPAGES of the system variables; index 1 (an expression) is never offered.
constexpr int kDictSystemVariableCount = 9;

// The node icons, drawn in code: a coloured shape per kind.
QIcon DictNodeIcon(int kind) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1));
  switch (kind) {
  case TrpDictForm::nkCategory:
    p.setBrush(QColor(0xF0, 0xD0, 0x60));
    p.drawRect(1, 4, 13, 9);
    p.drawLine(1, 4, 4, 2);
    break;
  case TrpDictForm::nkVariable:
    p.setBrush(QColor(0x60, 0xA0, 0xE0));
    p.drawEllipse(QRectF(3.5, 3.5, 9, 9));
    break;
  case TrpDictForm::nkRoot:
  case TrpDictForm::nkDataSet:
    p.setBrush(kind == TrpDictForm::nkRoot ? QColor(0xA0, 0xA0, 0xA0) : QColor(0x50, 0x90, 0x50));
    p.drawEllipse(QRectF(2.5, 1.5, 11, 4));
    p.drawRect(QRectF(2.5, 3.5, 11, 10));
    break;
  case TrpDictForm::nkField:
  case TrpDictForm::nkExcludedField:
    p.setBrush(Qt::white);
    p.drawRect(2, 5, 12, 6);
    if (kind == TrpDictForm::nkExcludedField) {
      p.setPen(QPen(Qt::darkRed, 2));
      p.drawLine(3, 3, 13, 13);
    }
    break;
  case TrpDictForm::nkDataSource:
    p.setBrush(QColor(0xC0, 0x70, 0xC0));
    p.drawRect(2, 2, 12, 12);
    p.drawLine(2, 6, 14, 6);
    break;
  default:
    p.setPen(QPen(Qt::gray, 1, Qt::DotLine));
    p.drawRect(3, 3, 10, 10);
  }
  return QIcon(QPixmap::fromImage(image));
}

// The variables page's tool glyphs: "category", "variable", "rename", "delete", "list".
QImage DictButtonGlyph(const QString& name) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1));
  if (name == QLatin1String("category") || name == QLatin1String("variable")) {
    p.drawImage(0, 2,
                DictNodeIcon(name == QLatin1String("category") ? TrpDictForm::nkCategory : TrpDictForm::nkVariable)
                    .pixmap(12, 12)
                    .toImage());
    p.setPen(QPen(Qt::darkGreen, 2));
    p.drawLine(12, 1, 12, 7);
    p.drawLine(9, 4, 15, 4);
  } else if (name == QLatin1String("rename")) {
    p.setPen(QPen(Qt::darkBlue, 2));
    p.drawLine(3, 13, 12, 4);
    p.drawLine(2, 14, 4, 14);
  } else if (name == QLatin1String("delete")) {
    p.setPen(QPen(Qt::darkRed, 2.5));
    p.drawLine(4, 4, 12, 12);
    p.drawLine(12, 4, 4, 12);
  } else {
    for (int y = 3; y <= 13; y += 3)
      p.drawLine(y == 3 ? 2 : 5, y, 14, y);
  }
  return image;
}

int DictKind(const QTreeWidgetItem* node) { return node ? node->data(0, kDictKindRole).toInt() : -1; }

QTreeWidgetItem* DictNode(const QString& text, int kind) {
  auto* node = new QTreeWidgetItem(QStringList{text});
  node->setData(0, kDictKindRole, kind);
  node->setIcon(0, DictNodeIcon(kind));
  return node;
}

void SetDictKind(QTreeWidgetItem* node, int kind) {
  node->setData(0, kDictKindRole, kind);
  node->setIcon(0, DictNodeIcon(kind));
}

TrpSpeedButton* DictToolButton(QWidget* parent, const QImage& glyph, const QString& caption, const QString& hint) {
  auto* button = new TrpSpeedButton(parent);
  if (!glyph.isNull()) button->SetGlyph(glyph);
  if (!caption.isEmpty()) button->SetCaption(caption);
  button->setToolTip(hint);
  button->setFixedSize(25, 25);
  return button;
}

bool IsEnterKey(const QKeyEvent* event) { return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter; }

} // namespace

TrpDictForm::TrpDictForm(TrpReport& report, QWidget* parent) : TForm(parent), report_(report) {
  setObjectName(QStringLiteral("TrpDictForm"));
  SetCaption(rpLoadStr(53340));
  setSizeGripEnabled(true);
  Pages = new QTabWidget(this);
  Pages->addTab(CreateVariablesPage(), rpLoadStr(53341));
  QList<TrpSpeedButton*> fieldButtons, sourceButtons;
  Pages->addTab(CreateAliasPage(53352, 53353, FieldsTree, DataSetsLB, FieldAliasEdit, fieldButtons, &ExcludeCB),
                rpLoadStr(53342));
  AddDataSetBtn = fieldButtons[0];
  AddAllDataSetsBtn = fieldButtons[1];
  RemoveDataSetBtn = fieldButtons[2];
  RemoveAllDataSetsBtn = fieldButtons[3];
  Pages->addTab(CreateAliasPage(53357, 53358, SourcesTree, SourcesLB, SourceAliasEdit, sourceButtons, nullptr),
                rpLoadStr(53343));
  AddSourceBtn = sourceButtons[0];
  AddAllSourcesBtn = sourceButtons[1];
  RemoveSourceBtn = sourceButtons[2];
  RemoveAllSourcesBtn = sourceButtons[3];
  FieldsTree->setObjectName(QStringLiteral("FieldsTree"));
  SourcesTree->setObjectName(QStringLiteral("SourcesTree"));
  connect(FieldsTree, &QTreeWidget::itemExpanded, this, &TrpDictForm::ExpandDataSet);
  connect(ExcludeCB, &QCheckBox::clicked, this, &TrpDictForm::SetFieldExcluded);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Pages);
  layout->addLayout(rpOkCancelRow(this));
  resize(560, 420);
}

QWidget* TrpDictForm::CreateVariablesPage() {
  auto* page = new QWidget;
  VarTree = new QTreeWidget(page);
  VarTree->setObjectName(QStringLiteral("VarTree"));
  VarTree->setHeaderHidden(true);
  VarTree->setEditTriggers(QAbstractItemView::EditKeyPressed);
  VarTree->installEventFilter(this);
  auto* treeLabel = new QLabel(rpLoadStr(53344), page);
  treeLabel->setBuddy(VarTree);
  NewCategoryBtn = DictToolButton(page, DictButtonGlyph(QStringLiteral("category")), {}, rpLoadStr(53347));
  NewVariableBtn = DictToolButton(page, DictButtonGlyph(QStringLiteral("variable")), {}, rpLoadStr(53348));
  RenameBtn = DictToolButton(page, DictButtonGlyph(QStringLiteral("rename")), {}, rpLoadStr(53349));
  DeleteBtn = DictToolButton(page, DictButtonGlyph(QStringLiteral("delete")), {}, rpLoadStr(53350));
  EditListBtn = DictToolButton(page, DictButtonGlyph(QStringLiteral("list")), {}, rpLoadStr(53351));
  auto* buttons = new QHBoxLayout;
  for (TrpSpeedButton* button : {NewCategoryBtn, NewVariableBtn, RenameBtn, DeleteBtn, EditListBtn})
    buttons->addWidget(button);
  buttons->addStretch();
  connect(NewCategoryBtn, &TrpSpeedButton::clicked, this, &TrpDictForm::NewCategory);
  connect(NewVariableBtn, &TrpSpeedButton::clicked, this, &TrpDictForm::NewVariable);
  connect(RenameBtn, &TrpSpeedButton::clicked, this, &TrpDictForm::RenameNode);
  connect(DeleteBtn, &TrpSpeedButton::clicked, this, &TrpDictForm::DeleteNode);
  connect(EditListBtn, &TrpSpeedButton::clicked, this, &TrpDictForm::EditList);
  connect(VarTree, &QTreeWidget::currentItemChanged, this, &TrpDictForm::VariableSelected);
  connect(VarTree, &QTreeWidget::itemChanged, this, &TrpDictForm::VariableRenamed);

  DataSourceCB = new QComboBox(page);
  DataSourceCB->setObjectName(QStringLiteral("DataSourceCB"));
  auto* valuesLabel = new QLabel(rpLoadStr(53345), page);
  valuesLabel->setBuddy(DataSourceCB);
  ValuesLB = new QListWidget(page);
  ValuesLB->setObjectName(QStringLiteral("ValuesLB"));
  ExprCB = new QCheckBox(rpLoadStr(53346), page);
  ExprEdit = new TrpComboEdit(page);
  ExprEdit->setObjectName(QStringLiteral("ExprEdit"));
  ExprEdit->setEnabled(false);
  ExprEdit->installEventFilter(this); // the combo has the focus, its edit only the keys
  connect(DataSourceCB, &QComboBox::currentIndexChanged, this, &TrpDictForm::FillValues);
  connect(ValuesLB, &QListWidget::currentRowChanged, this, &TrpDictForm::ValueChosen);
  connect(ExprCB, &QCheckBox::toggled, this, &TrpDictForm::ExpressionChecked);
  connect(ExprEdit, &TrpComboEdit::ButtonClicked, this, &TrpDictForm::EditExpression);

  auto* left = new QVBoxLayout;
  left->addWidget(treeLabel);
  left->addWidget(VarTree);
  left->addLayout(buttons);
  auto* right = new QVBoxLayout;
  right->addWidget(valuesLabel);
  right->addWidget(DataSourceCB);
  right->addWidget(ValuesLB);
  right->addWidget(ExprCB);
  right->addWidget(ExprEdit);
  auto* layout = new QHBoxLayout(page);
  layout->addLayout(left, 1);
  layout->addLayout(right, 1);
  return page;
}

QWidget* TrpDictForm::CreateAliasPage(int rootId, int listId, QTreeWidget*& tree, QListWidget*& list, QLineEdit*& alias,
                                      QList<TrpSpeedButton*>& moveButtons, QCheckBox** exclude) {
  auto* page = new QWidget;
  tree = new QTreeWidget(page);
  tree->setHeaderHidden(true);
  tree->setHeaderLabel(rpLoadStr(rootId));
  tree->installEventFilter(this);
  list = new QListWidget(page);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setSortingEnabled(true);
  auto* listLabel = new QLabel(rpLoadStr(listId), page);
  listLabel->setBuddy(list);
  auto* moves = new QVBoxLayout;
  moves->addStretch();
  for (const char* caption : {">", ">>", "<", "<<"}) {
    moveButtons.append(DictToolButton(page, {}, QString::fromLatin1(caption), {}));
    moves->addWidget(moveButtons.last());
  }
  moves->addStretch();
  auto* group = new QGroupBox(rpLoadStr(53354), page);
  auto* aliasLabel = new QLabel(rpLoadStr(53355), group);
  alias = new QLineEdit(group);
  alias->installEventFilter(this);
  aliasLabel->setBuddy(alias);
  auto* groupLayout = new QGridLayout(group);
  groupLayout->addWidget(aliasLabel, 0, 0);
  groupLayout->addWidget(alias, 0, 1);
  if (exclude) {
    *exclude = new QCheckBox(rpLoadStr(53356), group);
    groupLayout->addWidget(*exclude, 1, 0, 1, 2);
  }
  auto* rightSide = new QVBoxLayout;
  rightSide->addWidget(listLabel);
  rightSide->addWidget(list);
  auto* lists = new QHBoxLayout;
  lists->addWidget(tree, 1);
  lists->addLayout(moves);
  lists->addLayout(rightSide, 1);
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(lists, 1);
  layout->addWidget(group);
  ConnectAliasPage(tree, list, moveButtons);
  return page;
}

void TrpDictForm::ConnectAliasPage(QTreeWidget* tree, QListWidget* list, const QList<TrpSpeedButton*>& buttons) {
  connect(buttons[0], &TrpSpeedButton::clicked, this, [this, tree] { MoveIn(tree, false); });
  connect(buttons[1], &TrpSpeedButton::clicked, this, [this, tree] { MoveIn(tree, true); });
  connect(buttons[2], &TrpSpeedButton::clicked, this, [this, tree] { MoveOut(tree, false); });
  connect(buttons[3], &TrpSpeedButton::clicked, this, [this, tree] { MoveOut(tree, true); });
  connect(list, &QListWidget::itemDoubleClicked, this, [this, tree] { MoveIn(tree, false); });
  connect(tree, &QTreeWidget::currentItemChanged, this,
          [this, tree](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
            AliasNodeSelected(tree, current, previous);
          });
  // Qt's own dragging carries the items; what a drop means is decided here.
  for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(tree), static_cast<QAbstractItemView*>(list)}) {
    view->setDragEnabled(true);
    view->setDragDropMode(QAbstractItemView::DragDrop);
    view->viewport()->installEventFilter(this);
  }
}

// --- showing and closing

void TrpDictForm::FormShow() {
  // The data set look-ups name the components of the report being edited.
  rpRun().CurrentReport = &report_;
  variables_ = report_.Dictionary.Variables;
  fieldAliases_ = report_.Dictionary.FieldAliases;
  sourceAliases_ = report_.Dictionary.BandSourceAliases;
  expressionNode_ = nullptr;
  {
    QScopedValueRollback<bool> quiet(loading_, true);
    FillFieldAliasPage();
    FillSourcePage();
    DataSourceCB->clear();
    QStringList sources = report_.Dictionary.ListDataSets();
    sources.sort();
    DataSourceCB->addItems(sources);
    DataSourceCB->addItem(rpLoadStr(55075));
    DataSourceCB->setCurrentIndex(0);
    FillValues();
  }
  FillVariablesTree();
  Pages->setCurrentIndex(0);
  VarTree->setFocus();
}

void TrpDictForm::FormClose(TCloseAction&) {
  if (ModalResult() == mrOk) {
    StorePendingEdits();
    report_.Dictionary.Variables = variables_;
    report_.Dictionary.FieldAliases = fieldAliases_;
    report_.Dictionary.BandSourceAliases = sourceAliases_;
  }
  variables_.Clear();
  fieldAliases_.Clear();
  sourceAliases_.Clear();
  expressionNode_ = nullptr;
}

void TrpDictForm::StorePendingEdits() {
  StoreExpression();
  StoreAlias(FieldsTree, FieldsTree->currentItem());
  StoreAlias(SourcesTree, SourcesTree->currentItem());
}

bool TrpDictForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn && watched == ExprEdit) {
    expressionNode_ = VarTree->currentItem();
  } else if (event->type() == QEvent::FocusOut && watched == ExprEdit) {
    StoreExpression();
  } else if (event->type() == QEvent::FocusOut && (watched == FieldAliasEdit || watched == SourceAliasEdit)) {
    QTreeWidget* tree = watched == FieldAliasEdit ? FieldsTree : SourcesTree;
    StoreAlias(tree, tree->currentItem());
  } else if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if ((watched == FieldAliasEdit || watched == SourceAliasEdit) && IsEnterKey(key)) {
      (watched == FieldAliasEdit ? FieldsTree : SourcesTree)->setFocus();
      return true;
    }
    // Keys the rename editor leaves unused come up to the tree: they are the editor's.
    if (watched == VarTree && !VarTree->indexWidget(VarTree->currentIndex())) {
      if (key->key() == Qt::Key_Insert) {
        if (VarTree->currentItem() && !PlaceholderShown() && !(key->modifiers() & Qt::ControlModifier))
          NewVariable();
        else
          NewCategory();
        return true;
      }
      if (key->key() == Qt::Key_Delete) {
        DeleteNode();
        return true;
      }
      if (IsEnterKey(key)) {
        RenameNode();
        return true;
      }
    }
    if (watched == FieldsTree && key->key() == Qt::Key_Space) {
      const int kind = DictKind(FieldsTree->currentItem());
      if (kind == nkField || kind == nkExcludedField) SetFieldExcluded(kind == nkField);
      return true;
    }
  } else if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove || event->type() == QEvent::Drop) {
    return DropFrom(watched, static_cast<QDropEvent*>(event));
  }
  return TForm::eventFilter(watched, event);
}

// A list item dropped on its page's tree moves in, a tree node dropped on
// its page's list moves out; anything else is not taken.
bool TrpDictForm::DropFrom(QObject* target, QDropEvent* event) {
  QTreeWidget* tree = nullptr;
  bool moveIn = false;
  for (QTreeWidget* pageTree : {FieldsTree, SourcesTree}) {
    if (target == pageTree->viewport() && event->source() == ListOf(pageTree)) {
      tree = pageTree;
      moveIn = true;
    } else if (target == ListOf(pageTree)->viewport() && event->source() == pageTree) {
      tree = pageTree;
    }
  }
  if (!tree) {
    event->ignore();
    return true;
  }
  event->setDropAction(Qt::CopyAction);
  event->accept();
  if (event->type() == QEvent::Drop) {
    if (moveIn)
      MoveIn(tree, false);
    else
      MoveOut(tree, false);
  }
  return true;
}

// --- the variables page

void TrpDictForm::FillVariablesTree() {
  {
    QScopedValueRollback<bool> quiet(loading_, true);
    expressionNode_ = nullptr;
    VarTree->clear();
    for (const auto& [category, names] : TrpDictVariables(variables_).Tree()) {
      QTreeWidgetItem* node = DictNode(category, nkCategory);
      node->setData(0, kDictNameRole, category);
      node->setFlags(node->flags() | Qt::ItemIsEditable);
      VarTree->addTopLevelItem(node);
      for (const QString& name : names)
        AddVariableNode(node, name);
    }
    ShowPlaceholder(VarTree->topLevelItemCount() == 0);
    VarTree->expandAll();
  }
  VarTree->setCurrentItem(nullptr);
  VarTree->setCurrentItem(VarTree->topLevelItem(0));
}

void TrpDictForm::ShowPlaceholder(bool shown) {
  QScopedValueRollback<bool> quiet(loading_, true);
  if (shown && !PlaceholderShown()) VarTree->addTopLevelItem(DictNode(rpLoadStr(55076), nkPlaceholder));
  if (!shown && PlaceholderShown()) delete VarTree->topLevelItem(0);
  VarTree->setRootIsDecorated(!shown);
  ExprCB->setEnabled(!shown);
  if (shown) ExprCB->setChecked(false);
}

bool TrpDictForm::PlaceholderShown() const { return DictKind(VarTree->topLevelItem(0)) == nkPlaceholder; }

QTreeWidgetItem* TrpDictForm::AddVariableNode(QTreeWidgetItem* category, const QString& name) {
  QTreeWidgetItem* node = DictNode(name, nkVariable);
  node->setData(0, kDictNameRole, name);
  node->setFlags(node->flags() | Qt::ItemIsEditable);
  category->addChild(node);
  return node;
}

QString TrpDictForm::ValueOf(const QTreeWidgetItem* node) const {
  const QString name = node->data(0, kDictNameRole).toString();
  const QString entry = DictKind(node) == nkCategory ? TrpDictVariables::CategoryEntry(name) : name;
  return rpValueToText(variables_.GetVariable(entry));
}

void TrpDictForm::SetValueOf(const QTreeWidgetItem* node, const QString& value) {
  if (DictKind(node) != nkVariable) return;
  const int index = variables_.IndexOf(node->data(0, kDictNameRole).toString());
  if (index >= 0) variables_.SetValue(index, value);
}

void TrpDictForm::VariableSelected(QTreeWidgetItem* current, QTreeWidgetItem*) {
  if (loading_) return;
  StoreExpression();
  const int kind = DictKind(current);
  if (kind != nkCategory && kind != nkVariable) return;
  QScopedValueRollback<bool> quiet(loading_, true);
  ExprCB->setEnabled(kind == nkVariable);
  ShowValue(ValueOf(current));
  // A category's value is never an expression to edit, whatever its entry holds.
  if (kind != nkVariable) ExprCB->setChecked(false);
}

void TrpDictForm::ShowValue(const QString& value) {
  if (ShowFieldValue(value)) {
    ExprCB->setChecked(false);
    return;
  }
  const QStringList& system = rpSystemVariableNames();
  if (!value.trimmed().isEmpty()) {
    for (int index = 0; index < kDictSystemVariableCount; ++index) {
      if (index == 1 || system.value(index).compare(value, Qt::CaseInsensitive) != 0) continue;
      DataSourceCB->setCurrentIndex(DataSourceCB->count() - 1);
      ValuesLB->setCurrentRow(index == 0 ? 1 : index);
      ExprCB->setChecked(false);
      return;
    }
  }
  ValuesLB->setCurrentRow(0);
  ExprCB->setChecked(!value.isEmpty());
  ExprEdit->setCurrentText(value);
}

// A value naming a field of an offered data source selects them both.
bool TrpDictForm::ShowFieldValue(const QString& value) {
  QString dataSet, field;
  if (!rpDictSplitFieldValue(value, dataSet, field)) return false;
  const TrpDataDictionary& dictionary = report_.Dictionary;
  for (int i = 0; i + 1 < DataSourceCB->count(); ++i) {
    if (dictionary.DataSetOfAlias(DataSourceCB->itemText(i)).compare(dataSet, Qt::CaseInsensitive) != 0) continue;
    DataSourceCB->setCurrentIndex(i);
    for (int row = 1; row < ValuesLB->count(); ++row)
      if (dictionary.FieldOfAlias(ValuesLB->item(row)->text()) == field) {
        ValuesLB->setCurrentRow(row);
        return true;
      }
    return false;
  }
  return false;
}

bool TrpDictForm::SystemEntryShown() const { return DataSourceCB->currentIndex() == DataSourceCB->count() - 1; }

void TrpDictForm::FillValues() {
  const QSignalBlocker quiet(ValuesLB);
  ValuesLB->clear();
  if (DataSourceCB->currentIndex() < 0) return;
  ValuesLB->addItem(rpLoadStr(55076));
  if (SystemEntryShown()) {
    for (int index = 0; index < kDictSystemVariableCount; ++index)
      if (index != 1) ValuesLB->addItem(rpLoadStr(55110 + index));
  } else {
    ValuesLB->addItems(report_.Dictionary.ListFields(DataSourceCB->currentText()));
  }
}

void TrpDictForm::ValueChosen(int position) {
  QTreeWidgetItem* node = VarTree->currentItem();
  if (loading_ || position < 0 || DictKind(node) != nkVariable) return;
  {
    QScopedValueRollback<bool> quiet(loading_, true);
    ExprCB->setChecked(false);
  }
  QString value;
  if (position > 0 && SystemEntryShown()) {
    value = rpSystemVariableNames().value(position == 1 ? 0 : position);
  } else if (position > 0) {
    const TrpDataDictionary& dictionary = report_.Dictionary;
    value = dictionary.DataSetOfAlias(DataSourceCB->currentText()) + QStringLiteral(".\"") +
            dictionary.FieldOfAlias(ValuesLB->item(position)->text()) + QLatin1Char('"');
  }
  SetValueOf(node, value);
}

void TrpDictForm::ExpressionChecked(bool checked) {
  ExprEdit->setEnabled(checked);
  if (checked) {
    if (loading_) return;
    if (!VarTree->hasFocus()) ExprEdit->setFocus();
    const QSignalBlocker quiet(ValuesLB);
    ValuesLB->setCurrentRow(0);
    return;
  }
  ExprEdit->setCurrentText(QString());
  if (!loading_) ValueChosen(0);
}

void TrpDictForm::StoreExpression() {
  // The node is remembered for one visit of the field only: the field shows another node's value next.
  if (expressionNode_ && ExprEdit->isEnabled()) SetValueOf(expressionNode_, ExprEdit->currentText());
  expressionNode_ = nullptr;
}

void TrpDictForm::EditExpression() {
  TrpExprForm form(this);
  form.ExprMemo->setPlainText(ExprEdit->currentText());
  if (form.ShowModal() == mrOk) ExprEdit->setCurrentText(form.ExprMemo->toPlainText());
}

void TrpDictForm::NewCategory() {
  const QString name = TrpDictVariables(variables_).AddCategory();
  ShowPlaceholder(false);
  QTreeWidgetItem* node;
  {
    QScopedValueRollback<bool> quiet(loading_, true);
    node = DictNode(name, nkCategory);
    node->setData(0, kDictNameRole, name);
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    VarTree->addTopLevelItem(node);
  }
  VarTree->setCurrentItem(node);
  VarTree->editItem(node);
}

void TrpDictForm::NewVariable() {
  QTreeWidgetItem* selected = VarTree->currentItem();
  if (!selected || PlaceholderShown()) return;
  QTreeWidgetItem* category = DictKind(selected) == nkCategory ? selected : selected->parent();
  if (DictKind(category) != nkCategory) return;
  const QString name = TrpDictVariables(variables_).AddVariable(category->data(0, kDictNameRole).toString());
  if (name.isEmpty()) return;
  QTreeWidgetItem* node;
  {
    QScopedValueRollback<bool> quiet(loading_, true);
    node = AddVariableNode(category, name);
  }
  category->setExpanded(true);
  VarTree->setCurrentItem(node);
  VarTree->editItem(node);
}

void TrpDictForm::RenameNode() {
  QTreeWidgetItem* node = VarTree->currentItem();
  const int kind = DictKind(node);
  if (kind == nkCategory || kind == nkVariable) VarTree->editItem(node);
}

void TrpDictForm::VariableRenamed(QTreeWidgetItem* item) {
  const int kind = DictKind(item);
  if (loading_ || (kind != nkCategory && kind != nkVariable)) return;
  QScopedValueRollback<bool> quiet(loading_, true);
  const QString oldName = item->data(0, kDictNameRole).toString();
  if (TrpDictVariables(variables_).Rename(oldName, item->text(0), kind == nkCategory)) {
    const QString newName = item->text(0).trimmed();
    item->setData(0, kDictNameRole, newName);
    item->setText(0, newName);
  } else {
    item->setText(0, oldName);
  }
}

void TrpDictForm::DeleteNode() {
  QTreeWidgetItem* node = VarTree->currentItem();
  const int kind = DictKind(node);
  if (kind != nkCategory && kind != nkVariable) return;
  TrpDictVariables names(variables_);
  const QString name = node->data(0, kDictNameRole).toString();
  if (kind == nkCategory)
    names.DeleteCategory(name);
  else
    names.DeleteVariable(name);
  if (expressionNode_ == node || (expressionNode_ && expressionNode_->parent() == node)) expressionNode_ = nullptr;
  {
    QScopedValueRollback<bool> quiet(loading_, true);
    delete node;
  }
  if (VarTree->topLevelItemCount() == 0)
    FillVariablesTree();
  else
    VariableSelected(VarTree->currentItem(), nullptr);
}

void TrpDictForm::EditList() {
  StoreExpression();
  TrpVaredForm form(this);
  form.SetVariables(&variables_);
  if (form.ShowModal() == mrOk) FillVariablesTree();
}

// --- the alias pages

TrpVariables& TrpDictForm::EntriesOf(const QTreeWidget* tree) {
  return tree == FieldsTree ? fieldAliases_ : sourceAliases_;
}

QListWidget* TrpDictForm::ListOf(const QTreeWidget* tree) const { return tree == FieldsTree ? DataSetsLB : SourcesLB; }

QLineEdit* TrpDictForm::AliasEditOf(const QTreeWidget* tree) const {
  return tree == FieldsTree ? FieldAliasEdit : SourceAliasEdit;
}

QTreeWidgetItem* TrpDictForm::AddEntryNode(QTreeWidget* tree, const QString& name) {
  const bool dataSet = tree == FieldsTree;
  QTreeWidgetItem* node = DictNode(rpDictNodeText(name, rpValueToText(EntriesOf(tree).GetVariable(name))),
                                   dataSet ? nkDataSet : nkDataSource);
  tree->topLevelItem(0)->addChild(node);
  // A data set's fields are listed when it is first opened.
  if (dataSet) node->addChild(DictNode(rpLoadStr(55076), nkPlaceholder));
  return node;
}

void TrpDictForm::FillFieldAliasPage() {
  FieldsTree->clear();
  DataSetsLB->clear();
  FieldsTree->addTopLevelItem(DictNode(rpLoadStr(53352), nkRoot));
  QList<TrpComponentEntry> components;
  if (report_.Owner()) rpGetComponents(report_.Owner(), TDataSet::staticMetaObject, components);
  QStringList names;
  for (const TrpComponentEntry& component : components)
    if (rpFindDataSet(&report_, component.Name) && report_.Dictionary.IsDataSetAllowed(component.Name))
      names.append(component.Name);
  names.sort();
  for (const QString& name : names) {
    if (fieldAliases_.IndexOf(name) >= 0)
      AddEntryNode(FieldsTree, name);
    else
      DataSetsLB->addItem(name);
  }
  FieldsTree->topLevelItem(0)->setExpanded(true);
  FieldsTree->setCurrentItem(FieldsTree->topLevelItem(0));
}

void TrpDictForm::FillSourcePage() {
  SourcesTree->clear();
  SourcesLB->clear();
  SourcesTree->addTopLevelItem(DictNode(rpLoadStr(53357), nkRoot));
  QList<TrpComponentEntry> components;
  if (report_.Owner()) rpGetComponents(report_.Owner(), TrpDataset::staticMetaObject, components);
  QStringList names;
  for (const TrpComponentEntry& component : components)
    names.append(component.Name);
  names.sort();
  for (const QString& name : names) {
    if (sourceAliases_.IndexOf(name) >= 0)
      AddEntryNode(SourcesTree, name);
    else
      SourcesLB->addItem(name);
  }
  SourcesTree->topLevelItem(0)->setExpanded(true);
  SourcesTree->setCurrentItem(SourcesTree->topLevelItem(0));
}

void TrpDictForm::ExpandDataSet(QTreeWidgetItem* node) {
  if (DictKind(node) != nkDataSet || DictKind(node->child(node->childCount() - 1)) != nkPlaceholder) return;
  QScopedValueRollback<bool> quiet(loading_, true);
  qDeleteAll(node->takeChildren());
  const QString dataSet = rpDictNodeName(node->text(0));
  QStringList fields;
  if (auto* component = qobject_cast<TDataSet*>(rpFindDataSet(&report_, dataSet))) {
    try {
      // A closed data set knows its fields once it is open, as for the designer's lists.
      if (!component->Active()) component->Open();
    } catch (const Exception&) {
      // one that cannot open lists no fields
    }
    rpGetFieldNames(component, fields);
  }
  fields.sort();
  for (const QString& field : fields) {
    const QString key = dataSet + QLatin1Char('.') + field;
    if (fieldAliases_.IndexOf(key) < 0) {
      node->addChild(DictNode(field, nkField));
      continue;
    }
    const QString alias = rpValueToText(fieldAliases_.GetVariable(key));
    node->addChild(DictNode(rpDictNodeText(field, alias), alias.isEmpty() ? nkExcludedField : nkField));
  }
}

QString TrpDictForm::FieldKey(const QTreeWidgetItem* fieldNode) const {
  return rpDictNodeName(fieldNode->parent()->text(0)) + QLatin1Char('.') + rpDictNodeName(fieldNode->text(0));
}

void TrpDictForm::AliasNodeSelected(QTreeWidget* tree, QTreeWidgetItem* current, QTreeWidgetItem* previous) {
  StoreAlias(tree, previous);
  QLineEdit* alias = AliasEditOf(tree);
  const int kind = DictKind(current);
  alias->setText(current && kind != nkRoot && kind != nkPlaceholder ? rpDictNodeAlias(current->text(0)) : QString());
  alias->setModified(false);
  if (tree != FieldsTree) return;
  const QSignalBlocker quiet(ExcludeCB);
  ExcludeCB->setEnabled(kind == nkField || kind == nkExcludedField);
  ExcludeCB->setChecked(kind == nkExcludedField);
}

void TrpDictForm::StoreAlias(QTreeWidget* tree, QTreeWidgetItem* node) {
  // Checked first: a node being deleted arrives here after its edit was dropped.
  QLineEdit* edit = AliasEditOf(tree);
  if (!edit->isModified() || !node) return;
  const int kind = DictKind(node);
  if (kind == nkRoot || kind == nkPlaceholder) return;
  edit->setModified(false);
  const QString alias = edit->text().trimmed();
  const QString name = rpDictNodeName(node->text(0));
  node->setText(0, rpDictNodeText(name, alias));
  if (kind == nkDataSet || kind == nkDataSource) {
    EntriesOf(tree).SetVariable(name, alias);
    return;
  }
  // An emptied alias gives the field its own name back; excluding it is the check box's work.
  const QString key = FieldKey(node);
  if (alias.isEmpty())
    fieldAliases_.Delete(fieldAliases_.IndexOf(key));
  else
    fieldAliases_.SetVariable(key, alias);
  SetDictKind(node, nkField);
  if (node == FieldsTree->currentItem()) {
    const QSignalBlocker quiet(ExcludeCB);
    ExcludeCB->setChecked(false);
  }
}

void TrpDictForm::SetFieldExcluded(bool excluded) {
  QTreeWidgetItem* node = FieldsTree->currentItem();
  const int kind = DictKind(node);
  if (kind != nkField && kind != nkExcludedField) return;
  FieldAliasEdit->setModified(false);
  const QString key = FieldKey(node);
  if (excluded)
    fieldAliases_.SetVariable(key, QString());
  else
    fieldAliases_.Delete(fieldAliases_.IndexOf(key));
  const QString field = rpDictNodeName(node->text(0));
  node->setText(0, field);
  SetDictKind(node, excluded ? nkExcludedField : nkField);
  FieldAliasEdit->setText(field);
  FieldAliasEdit->setModified(false);
  const QSignalBlocker quiet(ExcludeCB);
  ExcludeCB->setChecked(excluded);
}

void TrpDictForm::MoveIn(QTreeWidget* tree, bool all) {
  QListWidget* list = ListOf(tree);
  QList<QListWidgetItem*> items;
  for (int row = 0; row < list->count(); ++row)
    if (all || list->item(row)->isSelected()) items.append(list->item(row));
  if (items.isEmpty()) return;
  const int oldRow = list->row(items.first());
  for (QListWidgetItem* item : items) {
    EntriesOf(tree).SetVariable(item->text(), QString());
    AddEntryNode(tree, item->text());
    delete item;
  }
  tree->topLevelItem(0)->setExpanded(true);
  tree->setCurrentItem(tree->topLevelItem(0));
  list->clearSelection();
  if (list->count() > 0) list->setCurrentRow(std::min(oldRow, list->count() - 1));
}

void TrpDictForm::ReturnToList(QListWidget* list, const QString& name) {
  if (list->findItems(name, Qt::MatchFixedString).isEmpty()) list->addItem(name);
}

void TrpDictForm::MoveOut(QTreeWidget* tree, bool all) {
  QTreeWidgetItem* root = tree->topLevelItem(0);
  TrpVariables& entries = EntriesOf(tree);
  QListWidget* list = ListOf(tree);
  if (all) {
    // Data sources: every entry name goes back; data sets: every node (their entries name fields too).
    if (tree == SourcesTree)
      for (int i = 0; i < entries.GetCount(); ++i)
        ReturnToList(list, entries.GetName(i));
    else
      for (int i = 0; i < root->childCount(); ++i)
        ReturnToList(list, rpDictNodeName(root->child(i)->text(0)));
    entries.Clear();
    qDeleteAll(root->takeChildren());
    tree->setCurrentItem(root);
    return;
  }
  QTreeWidgetItem* node = tree->currentItem();
  const int kind = DictKind(node);
  if (kind != nkDataSet && kind != nkDataSource) return;
  const QString name = rpDictNodeName(node->text(0));
  // Only the fields listed under the node lose their entries.
  for (int i = 0; i < node->childCount(); ++i)
    if (const int fieldKind = DictKind(node->child(i)); fieldKind == nkField || fieldKind == nkExcludedField)
      entries.Delete(entries.IndexOf(FieldKey(node->child(i))));
  entries.Delete(entries.IndexOf(name));
  AliasEditOf(tree)->setModified(false);
  ReturnToList(list, name);
  delete node;
  tree->setCurrentItem(root);
}
