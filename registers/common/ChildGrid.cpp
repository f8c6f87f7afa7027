#include "registers/common/ChildGrid.h"
#include "app/AppContext.h"
#include "app/MyUnitsForms.h"
#include "app/QPLUnit.h"
#include "app/ToolBar.h"
#include "app/UnitOfWork.h"
#include "controls/DbGridQPL.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "registers/common/DialogForm.h"
#include "registers/common/PatternKeys.h"
#include <QtCore/QScopedValueRollback>
#include <QtWidgets/QApplication>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QVBoxLayout>

TIBTransaction& TDialogChildOwner::ChildTransaction() const { return *dialog_.dlg.ibt1; }
int TDialogChildOwner::ChildOwnerKey() const { return dialog_.Jedin; }
quint16 TDialogChildOwner::ChildYear() const { return dialog_.dlg.Rok; }

TChildGrid::TChildGrid(TChildGridOwner& owner, QString table, QStringList select,
                       std::function<std::unique_ptr<TForm>()> createDialog,
                       std::function<void(TForm&, int)> tieToOwner)
    : owner_(owner), table_(std::move(table)), select_(std::move(select)), createDialog_(std::move(createDialog)),
      tieToOwner_(std::move(tieToOwner)) {}

TChildGrid::~TChildGrid() {
  // The owner's widgets may outlive this object, and the focus moves while
  // they are destroyed: no focus change may reach it then.
  QObject::disconnect(focusWatch_);
}

QGroupBox* TChildGrid::Build(QWidget& parent, const QString& caption, const QString& boxName, const QString& barName,
                             const QString& suffix) {
  auto* box = new QGroupBox(caption, &parent);
  box->setObjectName(boxName);
  auto* layout = new QVBoxLayout(box);
  auto* bar = new TToolBar(box);
  bar->setObjectName(barName);
  bar->setIconSize(QSize(16, 16));
  bar->SetImages(ImageList16());
  add = bar->AddButton(QStringLiteral("btnPridaj") + suffix, 5);
  edit = bar->AddButton(QStringLiteral("btnOprav") + suffix, 6);
  del = bar->AddButton(QStringLiteral("btnVymaz") + suffix, 7);
  bar->addSeparator();
  refresh = bar->AddButton(QStringLiteral("btnRefresh") + suffix, 4);
  bar->setMaximumHeight(28);
  layout->addWidget(bar);
  grid = new TDbGridQPL(box);
  grid->setObjectName(QStringLiteral("gr") + suffix);
  // Made after the grid, so that it goes after it too.
  query = new TIBQuery(box);
  query->setObjectName(QStringLiteral("ib") + suffix);
  query->SetDatabase(MainDatabase());
  query->SetTransaction(&owner_.ChildTransaction());
  grid->SetKeyField(QStringLiteral("jedin"));
  grid->SetKeyFieldType(TGridKeyFieldType::sktInteger);
  grid->SetCheckEnabled(true);
  grid->SetClickTitleEnabled(true);
  grid->SetReadOnly(true);
  grid->SetOptions(grid->Options() | dgRowSelect);
  grid->SetDataSet(query);
  // The grid takes the room the dialog leaves it; its own wish would make
  // the dialog taller than the screen.
  grid->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  layout->addWidget(grid, 1);
  QObject::connect(add, &QToolButton::clicked, grid, [this] { Add(); });
  QObject::connect(edit, &QToolButton::clicked, grid, [this] { Edit(); });
  QObject::connect(del, &QToolButton::clicked, grid, [this] { Delete(); });
  QObject::connect(refresh, &QToolButton::clicked, grid, [this] { grid->DisplayGrid(); });
  QObject::connect(grid, &TDbGridQPL::OnDisplayGrid, grid, [this] { Refresh(); });
  QObject::connect(grid, &TDbGridQPL::OnKeyDown, grid, [this](int& key, Qt::KeyboardModifiers m) { KeyDown(key, m); });
  QObject::connect(grid, &TDbGridBase::OnClickEnter, grid, [this] { Edit(); });
  QObject::connect(grid, &QAbstractItemView::doubleClicked, grid, [this] { Edit(); });
  focusWatch_ =
      QObject::connect(qApp, &QApplication::focusChanged, grid, [this](QWidget*, QWidget* now) { FocusChanged(now); });
  return box;
}

QStatusBar* TChildGrid::AddStatusBar(const QString& name, std::span<QLabel*> panels) {
  QWidget* box = grid->parentWidget();
  auto* bar = new QStatusBar(box);
  bar->setObjectName(name);
  bar->setSizeGripEnabled(false);
  for (QLabel*& panel : panels) {
    panel = new QLabel(bar);
    bar->addWidget(panel);
  }
  box->layout()->addWidget(bar);
  return bar;
}

void TChildGrid::Refresh() {
  const int kept = query->Active() && !query->IsEmpty() ? query->FieldByName(QStringLiteral("JEDIN")).AsInteger() : 0;
  RunUnitOfWork(
      owner_.ChildTransaction(),
      [&] {
        QStringList lines = select_;
        AddRowVersion(lines, table_); // a delete tells a row changed since this load
        lines.append(QStringLiteral("order by"));
        QString order;
        if (grid->ActiveTitleIndex() != 0) grid->GetOrderBy(QString(), order);
        lines.append(order.isEmpty() ? QStringLiteral("a.jedin") : order);
        query->SetSQL(lines.join(QLatin1Char('\n')));
        query->ParamByName(QStringLiteral("JEDIN")).SetValue(owner_.ChildOwnerKey());
        if (BindParams) BindParams(*query);
        TraceQuerySQL(*query, query->SQL());
        query->Open();
        if (AfterOpen) AfterOpen();
        if (kept != 0) query->Locate(QStringLiteral("jedin"), kept);
      },
      TWorkEnd::KeepOpen);
}

void TChildGrid::Add() {
  // Children need their owner's key.
  const int ownerKey = owner_.ChildOwnerKey();
  if (ownerKey == 0 || owner_.childDialogRunning) return;
  QScopedValueRollback<bool> running(owner_.childDialogRunning, true);
  std::unique_ptr<TForm> dialog = createDialog_();
  TDialogPattern* pattern = TDialogPattern::Of(dialog.get());
  pattern->Rok = owner_.ChildYear();
  const int result = RunAddPasses(*dialog, [&] { tieToOwner_(*dialog, ownerKey); });
  grid->DisplayGrid();
  if (result == mrOk) query->Locate(QStringLiteral("jedin"), pattern->Jedin());
}

void TChildGrid::Edit() {
  if (!query->Active() || query->IsEmpty() || owner_.childDialogRunning) return;
  QScopedValueRollback<bool> running(owner_.childDialogRunning, true);
  std::unique_ptr<TForm> dialog = createDialog_();
  TDialogPattern::Of(dialog.get())->Rok = owner_.ChildYear();
  const int ownerKey = owner_.ChildOwnerKey();
  RunEditPasses(*dialog, *query, [&] { tieToOwner_(*dialog, ownerKey); });
  grid->DisplayGrid();
}

void TChildGrid::Delete() {
  if (!query->Active() || query->IsEmpty()) return;
  if (BeforeDelete && !BeforeDelete()) return;
  if (DeleteMarkedRecords(*grid, table_) && AfterDelete) AfterDelete();
}

QList<int> TChildGrid::Doomed() const {
  QList<int> keys = MarkedKeysInList(*grid);
  if (keys.isEmpty() && query->Active() && !query->IsEmpty())
    keys.append(query->FieldByName(QStringLiteral("JEDIN")).AsInteger());
  return keys;
}

void TChildGrid::KeyDown(int& key, Qt::KeyboardModifiers modifiers) {
  if (key == 0 || (modifiers & kHeldModifiers)) return;
  const int pressed = key;
  key = 0;
  switch (pressed) {
  case Qt::Key_Delete:
  case Qt::Key_F8:
    if (del->isEnabled()) Delete();
    return;
  case Qt::Key_O:
  case Qt::Key_F4:
    if (edit->isEnabled()) Edit();
    return;
  case Qt::Key_P:
  case Qt::Key_F2:
    if (add->isEnabled()) Add();
    return;
  case Qt::Key_R:
    grid->DisplayGrid();
    return;
  default:
    key = pressed;
  }
}

void TChildGrid::FocusChanged(QWidget* now) {
  // Only while the owner dialog is in front; its child dialogs coming and
  // going move the focus too.
  QWidget* dialog = grid->window();
  if (!now || now->window() != dialog || QApplication::activeModalWidget() != dialog) return;
  if (now == grid || grid->isAncestorOf(now)) Entered();
}

void TChildGrid::Entered() {
  // Asked again when it runs: focus may arrive twice (the window's activation).
  auto addIfEmpty = [this] {
    if (!owner_.childDialogRunning && query->Active() && query->IsEmpty() && add->isEnabled()) Add();
  };
  if (!owner_.childDialogRunning && query->Active() && query->IsEmpty())
    QMetaObject::invokeMethod(grid, addIfEmpty, Qt::QueuedConnection);
}
