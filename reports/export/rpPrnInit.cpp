#include "reports/export/rpPrnInit.h"
#include "core/Exception.h"
#include "platform/MessageDialogs.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpControlUtils.h"
#include "reports/export/rpTextAdvExport.h"
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QToolButton>

TrpPrnInit::TrpPrnInit(TrpTextAdvExport& filter, QWidget* parent) : TForm(parent), filter_(filter) {
  setObjectName(QStringLiteral("TrpPrnInit"));
  SetCaption(rpLoadStr(53040));
  TrpPrinter& printer = rpPrinter();
  rememberedPrinter_ = printer.PrinterIndex;

  auto* printerGroup = new QGroupBox(rpLoadStr(53041), this);
  auto* printerRow = new QHBoxLayout(printerGroup);
  PrinterCB = new QComboBox(this);
  const QIcon icon = rpPrinterIcon();
  for (const QString& name : printer.Printers)
    PrinterCB->addItem(icon, name);
  PrinterCB->setCurrentIndex(printer.PrinterIndex);
  auto* nameLabel = new QLabel(rpLoadStr(53049), this);
  nameLabel->setBuddy(PrinterCB);
  PropertiesB = new QPushButton(rpLoadStr(53042), this);
  printerRow->addWidget(nameLabel);
  printerRow->addWidget(PrinterCB, 1);
  printerRow->addWidget(PropertiesB);

  auto* copiesGroup = new QGroupBox(rpLoadStr(53043), this);
  auto* copiesRow = new QHBoxLayout(copiesGroup);
  CopiesE = new QSpinBox(this);
  CopiesE->setRange(1, 9999);
  CopiesE->setValue(std::clamp(filter.Copies, 1, 9999));
  auto* copiesLabel = new QLabel(rpLoadStr(53050), this);
  copiesLabel->setBuddy(CopiesE);
  copiesRow->addWidget(copiesLabel);
  copiesRow->addWidget(CopiesE);
  copiesRow->addStretch();

  auto* initGroup = new QGroupBox(rpLoadStr(55765), this);
  auto* initColumn = new QVBoxLayout(initGroup);
  auto* typeRow = new QHBoxLayout;
  TypeCB = new QComboBox(this);
  for (const TrpPrinterType& type : filter.PrinterTypes)
    TypeCB->addItem(type.Name);
  LoadB = new QToolButton(this);
  LoadB->setText(rpLoadStr(55767));
  LoadB->setToolTip(rpLoadStr(55767));
  SaveB = new QToolButton(this);
  SaveB->setText(rpLoadStr(55768));
  SaveB->setToolTip(rpLoadStr(55768));
  typeRow->addWidget(new QLabel(rpLoadStr(55766), this));
  typeRow->addWidget(TypeCB, 1);
  typeRow->addWidget(LoadB);
  typeRow->addWidget(SaveB);
  CommandsLB = new QListWidget(this);
  initColumn->addLayout(typeRow);
  initColumn->addWidget(CommandsLB);

  OKB = new QPushButton(rpLoadStr(55000), this);
  OKB->setDefault(true);
  CancelB = new QPushButton(rpLoadStr(55001), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKB);
  buttons->addWidget(CancelB);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(printerGroup);
  layout->addWidget(copiesGroup);
  layout->addWidget(initGroup, 1);
  layout->addLayout(buttons);

  ShowCommands();
  connect(PrinterCB, &QComboBox::activated, this, [](int index) { rpPrinter().SetPrinterIndex(index); });
  connect(PropertiesB, &QPushButton::clicked, this, [] { rpPrinter().PropertiesDlg(); });
  connect(TypeCB, &QComboBox::activated, this, [this](int index) {
    filter_.PrinterType = index;
    filter_.BuildInitString();
    ShowCommands();
  });
  connect(CommandsLB, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (filling_) return;
    QList<TrpPrinterCommand>& commands = filter_.PrinterTypes[filter_.PrinterType].Commands;
    commands[CommandsLB->row(item)].Enabled = item->checkState() == Qt::Checked;
    filter_.BuildInitString();
  });
  connect(LoadB, &QToolButton::clicked, this, [this] {
    const QString name = QFileDialog::getOpenFileName(this, rpLoadStr(55767), QString(), TemplateFilter());
    if (!name.isEmpty()) LoadTemplate(name);
  });
  connect(SaveB, &QToolButton::clicked, this, [this] {
    QFileDialog dialog(this, rpLoadStr(55768), QString(), TemplateFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("fpi"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
      SaveTemplate(dialog.selectedFiles().constFirst());
  });
  connect(OKB, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
  connect(CancelB, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
}

QString TrpPrnInit::TemplateFilter() const {
  // The engine string holds the filter as "description|mask".
  return rpLoadStr(55769).section(QLatin1Char('|'), 0, 0);
}

void TrpPrnInit::ShowCommands() {
  filling_ = true;
  TypeCB->setCurrentIndex(filter_.PrinterType);
  CommandsLB->clear();
  if (filter_.PrinterType >= 0 && filter_.PrinterType < filter_.PrinterTypes.size())
    for (const TrpPrinterCommand& command : filter_.PrinterTypes[filter_.PrinterType].Commands) {
      auto* item = new QListWidgetItem(command.Name, CommandsLB);
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      item->setCheckState(command.Enabled ? Qt::Checked : Qt::Unchecked);
    }
  filling_ = false;
}

void TrpPrnInit::LoadTemplate(const QString& fileName) {
  try {
    filter_.LoadInitTemplate(fileName);
  } catch (const Exception& e) {
    MessageDlg(e.Message(), TMsgDlgType::Error, mbOK);
    return;
  }
  ShowCommands();
}

void TrpPrnInit::SaveTemplate(const QString& fileName) {
  try {
    filter_.SaveInitTemplate(fileName);
  } catch (const Exception& e) {
    MessageDlg(e.Message(), TMsgDlgType::Error, mbOK);
  }
}

void TrpPrnInit::FormClose(TCloseAction& action) {
  if (ModalResult() != mrOk) rpPrinter().SetPrinterIndex(rememberedPrinter_);
  TForm::FormClose(action);
}
