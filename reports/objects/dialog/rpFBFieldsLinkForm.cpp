#include "reports/objects/dialog/rpFBFieldsLinkForm.h"
#include "db/IBTable.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpUtils.h"
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyledItemDelegate>

namespace {

// Every entry of the detail list after the first is drawn greyed: only the first can be joined next.
class TLinkDetailDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.row() > 0)
      option->palette.setColor(QPalette::Text, option->palette.color(QPalette::Disabled, QPalette::Text));
  }
};

QListWidget* AddLinkList(QGridLayout& grid, int column, int captionId, QWidget* parent) {
  auto* label = new QLabel(rpLoadStr(captionId), parent);
  auto* list = new QListWidget(parent);
  label->setBuddy(list);
  grid.addWidget(label, 0, column);
  grid.addWidget(list, 1, column);
  return list;
}

} // namespace

TrpFBFieldsLinkForm::TrpFBFieldsLinkForm(TDataSet& master, TIBTable& detail, QWidget* parent)
    : TForm(parent), detail_(detail) {
  setObjectName(QStringLiteral("rpFBFieldsLinkForm"));
  SetCaption(detail.TableName() + QStringLiteral(" -> ") + master.objectName());
  auto* grid = new QGridLayout(this);
  DetailList = AddLinkList(*grid, 0, 56130, this);
  DetailList->setItemDelegate(new TLinkDetailDelegate(DetailList));
  MasterList = AddLinkList(*grid, 2, 56131, this);
  AddButton = new QPushButton(rpLoadStr(56133), this);
  grid->addWidget(AddButton, 1, 1, Qt::AlignCenter);
  JoinedList = new QListWidget(this);
  auto* joinedLabel = new QLabel(rpLoadStr(56132), this);
  joinedLabel->setBuddy(JoinedList);
  grid->addWidget(joinedLabel, 2, 0);
  grid->addWidget(JoinedList, 3, 0, 1, 3);
  ClearButton = new QPushButton(rpLoadStr(56134), this);
  auto* ok = new QPushButton(rpLoadStr(55000), this);
  auto* cancel = new QPushButton(rpLoadStr(55001), this);
  ok->setDefault(true);
  grid->addWidget(ClearButton, 4, 0, Qt::AlignLeft);
  grid->addWidget(ok, 4, 1);
  grid->addWidget(cancel, 4, 2, Qt::AlignLeft);
  connect(ok, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
  connect(cancel, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
  connect(AddButton, &QPushButton::clicked, this, &TrpFBFieldsLinkForm::AddLink);
  connect(ClearButton, &QPushButton::clicked, this, &TrpFBFieldsLinkForm::ClearLinks);
  connect(DetailList, &QListWidget::itemClicked, this, [this] { DetailList->setCurrentRow(0); });
  connect(DetailList, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row > 0) DetailList->setCurrentRow(0);
    UpdateAddButton();
  });
  connect(MasterList, &QListWidget::currentRowChanged, this, &TrpFBFieldsLinkForm::UpdateAddButton);

  saved_ = working_ = detail.MasterFields();
  rpGetFieldNames(&master, masterNames_);
  detailNames_ = detail.IndexFields();
  Rebuild();
}

void TrpFBFieldsLinkForm::Rebuild() {
  QStringList masters = masterNames_, details = detailNames_;
  QStringList joined;
  for (const QString& name : working_.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const QString master = name.trimmed();
    if (details.isEmpty()) break; // no index field left to join it with
    joined.append(details.takeFirst() + QStringLiteral(" -> ") + master);
    masters.removeOne(master);
  }
  DetailList->clear();
  DetailList->addItems(details);
  MasterList->clear();
  MasterList->addItems(masters);
  JoinedList->clear();
  JoinedList->addItems(joined);
  AddButton->setEnabled(false);
}

void TrpFBFieldsLinkForm::UpdateAddButton() {
  AddButton->setEnabled(DetailList->currentRow() >= 0 && MasterList->currentRow() >= 0);
}

void TrpFBFieldsLinkForm::AddLink() {
  if (DetailList->currentRow() < 0 || !MasterList->currentItem()) return;
  const QString master = MasterList->currentItem()->text();
  working_ = working_.isEmpty() ? master : working_ + QLatin1Char(';') + master;
  Rebuild();
}

void TrpFBFieldsLinkForm::ClearLinks() {
  working_.clear();
  Rebuild();
}

void TrpFBFieldsLinkForm::FormClose(TCloseAction& action) {
  detail_.SetMasterFields(ModalResult() == mrOk ? working_ : saved_);
}
