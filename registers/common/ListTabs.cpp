#include "registers/common/ListTabs.h"
#include "app/ToolBar.h"
#include "controls/DbGridQPL.h"
#include "core/ui/Form.h"
#include "registers/common/ListPattern.h"
#include "registers/common/PatternKeys.h"
#include <QtWidgets/QLayout>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

TListTabs::TListTabs(TListPattern& first, const QString& name, const QString& caption)
    : QObject(&first.Form()), pc1(new QTabWidget(&first.Form())) {
  pc1->setObjectName(QStringLiteral("pc1"));
  // The page control takes the grid's place under the tool bar (and the filter panel).
  QLayout* layout = first.Form().layout();
  delete layout->replaceWidget(first.gr1, pc1);
  auto* page = new QWidget(pc1);
  page->setObjectName(name);
  auto* pageLayout = new QVBoxLayout(page);
  pageLayout->setContentsMargins(0, 0, 0, 0);
  first.gr1->setParent(page);
  pageLayout->addWidget(first.gr1);
  pc1->addTab(page, caption);
  lists_.append(&first);
  connect(first.gr1, &TDbGridQPL::OnKeyDown, this, &TListTabs::GridKeyDown);
  connect(pc1, &QTabWidget::currentChanged, this, &TListTabs::TabChanged);
}

TListTabs::~TListTabs() = default;

TListPattern& TListTabs::AddTab(const QString& name, const QString& caption, const QString& gridName) {
  auto* page = new QWidget(pc1);
  page->setObjectName(name);
  auto* list = new TListPattern(*lists_.first(), *page, gridName);
  pc1->addTab(page, caption);
  lists_.append(list);
  connect(list->gr1, &TDbGridQPL::OnKeyDown, this, &TListTabs::GridKeyDown);
  return *list;
}

int TListTabs::CurrentIndex() const { return pc1->currentIndex(); }

void TListTabs::ShowTab(int index) { pc1->setCurrentIndex(index); }

bool TListTabs::IsTabVisible(int index) const { return pc1->isTabVisible(index); }

void TListTabs::SetTabVisible(int index, bool visible) {
  if (!visible && index == pc1->currentIndex()) {
    int before = index - 1;
    while (before > 0 && !pc1->isTabVisible(before))
      --before;
    quiet_ = true;
    pc1->setCurrentIndex(qMax(before, 0));
    quiet_ = false;
  }
  pc1->setTabVisible(index, visible);
}

void TListTabs::TabChanged(int index) {
  if (index < 0 || index >= lists_.size()) return;
  TListPattern& list = *lists_[index];
  TListPattern& first = *lists_.first();
  first.SetActive(list);
  if (first.btnTlac) first.btnTlac->setEnabled(bool(list.Print));
  if (!quiet_) list.btnRefreshClick();
  if (first.Form().isVisible()) list.gr1->setFocus();
}

int TListTabs::NeighbourTab(int step) const {
  for (int index = pc1->currentIndex() + step; index >= 0 && index < pc1->count(); index += step)
    if (pc1->isTabVisible(index)) return index;
  return -1;
}

void TListTabs::GridKeyDown(int& key, Qt::KeyboardModifiers modifiers) {
  if ((key != Qt::Key_Left && key != Qt::Key_Right) || (modifiers & kHeldModifiers)) return;
  const int next = NeighbourTab(key == Qt::Key_Right ? 1 : -1);
  key = 0;
  if (next >= 0) ShowTab(next);
}
