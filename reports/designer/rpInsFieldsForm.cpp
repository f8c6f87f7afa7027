#include "reports/designer/rpInsFieldsForm.h"
#include "reports/designer/rpDesignerSettings.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpDock.h"
#include <QtGui/QPainter>
#include <QtGui/QResizeEvent>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QSplitter>
#include <QtWidgets/QVBoxLayout>

namespace {

TrpInsFieldsForm* openFieldsWindow = nullptr;
const QString kFieldsWindowClass = QStringLiteral("TrpInsFieldsForm");

// The small pictures before data sets (a table) and fields (a column).
QIcon FieldsWindowIcon(bool dataSet) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setPen(Qt::black);
  if (dataSet) {
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 11);
    p.fillRect(2, 3, 12, 3, QColor(0, 0, 128));
    p.drawLine(1, 9, 14, 9);
    p.drawLine(6, 6, 6, 13);
  } else {
    p.setBrush(QColor(255, 255, 192));
    p.drawRect(3, 4, 10, 8);
    p.drawLine(5, 8, 11, 8);
  }
  return QIcon(QPixmap::fromImage(image));
}

} // namespace

TrpInsFieldsForm* rpFieldsWindow() { return openFieldsWindow; }

QString& rpLastInsFieldsDataset() {
  static QString name;
  return name;
}

TrpInsFieldsForm::TrpInsFieldsForm(TrpReport& report, QWidget* designer)
    : QWidget(designer, Qt::Tool), report_(report) {
  setObjectName(kFieldsWindowClass);
  setWindowTitle(rpLoadStr(53450));
  resize(180, 300);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  Splitter = new QSplitter(Qt::Vertical, this);
  Splitter->setObjectName(QStringLiteral("Splitter"));
  Splitter->setHandleWidth(2);
  Splitter->setChildrenCollapsible(false);
  DatasetsLB = new QListWidget(Splitter);
  DatasetsLB->setObjectName(QStringLiteral("DatasetsLB"));
  FieldsLB = new QListWidget(Splitter);
  FieldsLB->setObjectName(QStringLiteral("FieldsLB"));
  FieldsLB->setDragEnabled(true);
  layout->addWidget(Splitter);
  rpRestoreFormPosition(this);
  connect(DatasetsLB, &QListWidget::currentRowChanged, this, [this] { FillFields(); });
  connect(FieldsLB, &QListWidget::currentRowChanged, this, [this] { PrepareReference(); });
  openFieldsWindow = this;
}

TrpInsFieldsForm::~TrpInsFieldsForm() {
  if (openFieldsWindow == this) openFieldsWindow = nullptr;
}

void TrpInsFieldsForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  openFieldsWindow = this;
  const int split = rpRegistryReadInt(rpDesignerFormKey(kFieldsWindowClass), QStringLiteral("SplitterPos"), 120);
  Splitter->setSizes({split, qMax(1, Splitter->height() - split - Splitter->handleWidth())});
  RefreshData();
}

void TrpInsFieldsForm::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (openFieldsWindow == this) openFieldsWindow = nullptr;
  rpSaveFormPosition(this);
  rpRegistryWriteInt(rpDesignerFormKey(kFieldsWindowClass), QStringLiteral("SplitterPos"), DatasetsLB->height());
  PrepareReference();
  if (parentWidget() && parentWidget()->isVisible()) parentWidget()->activateWindow();
}

void TrpInsFieldsForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (event->size().height() != event->oldSize().height() && OnHeightChanged) OnHeightChanged(this);
}

void TrpInsFieldsForm::RefreshData() {
  if (DatasetsLB->currentItem()) rpLastInsFieldsDataset() = DatasetsLB->currentItem()->text();
  {
    const QSignalBlocker blocker(DatasetsLB);
    DatasetsLB->clear();
    const QIcon icon = FieldsWindowIcon(true);
    for (const QString& name : report_.Dictionary.ListDataSets())
      DatasetsLB->addItem(new QListWidgetItem(icon, name));
    if (DatasetsLB->count() > 0) {
      const QList<QListWidgetItem*> last = DatasetsLB->findItems(rpLastInsFieldsDataset(), Qt::MatchExactly);
      DatasetsLB->setCurrentItem(last.isEmpty() ? DatasetsLB->item(0) : last.first());
    }
  }
  FillFields();
}

void TrpInsFieldsForm::FillFields() {
  FieldsLB->clear();
  const QListWidgetItem* dataSet = DatasetsLB->currentItem();
  if (!dataSet) return;
  const QIcon icon = FieldsWindowIcon(false);
  for (const QString& name : report_.Dictionary.ListFields(dataSet->text()))
    FieldsLB->addItem(new QListWidgetItem(icon, name));
}

void TrpInsFieldsForm::PrepareReference() {
  const QListWidgetItem* dataSet = DatasetsLB->currentItem();
  if (dataSet) rpLastInsFieldsDataset() = dataSet->text();
  const QListWidgetItem* field = FieldsLB->currentItem();
  if (dataSet && field) dbField_ = dataSet->text() + QStringLiteral(".\"") + field->text() + QLatin1Char('"');
}
