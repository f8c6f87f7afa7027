#include "reports/designer/rpDocOptForm.h"
#include "core/DateTime.h"
#include "reports/designer/rpDialogButtons.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include <QtCore/QLocale>
#include <QtGui/QPainter>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

namespace {

// A small printer: paper coming out of a grey body.
QIcon DocOptPrinterIcon() {
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::white);
  painter.drawRect(4, 1, 7, 6);
  painter.setBrush(QColor(0xC0, 0xC0, 0xC0));
  painter.drawRect(1, 6, 13, 6);
  painter.setBrush(Qt::white);
  painter.drawRect(4, 10, 7, 4);
  return QIcon(picture);
}

// A date-time of the report in the system's format; none for a report never saved.
QString DocOptDateText(TDateTime value) {
  return value == 0 ? QString() : QLocale().toString(DateTime::ToDateTime(value), QLocale::ShortFormat);
}

} // namespace

TrpDocOptForm::TrpDocOptForm(QWidget* parent) : TForm(parent) {
  SetCaption(rpLoadStr(53370));
  PageControl = new QTabWidget(this);
  PageControl->addTab(CreateGeneralTab(), rpLoadStr(55656));
  PageControl->addTab(CreateDocumentTab(), rpLoadStr(55658));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PageControl);
  layout->addLayout(rpOkCancelRow(this));
}

QWidget* TrpDocOptForm::CreateGeneralTab() {
  auto* tab = new QWidget;
  auto* printer = new QGroupBox(rpLoadStr(53371), tab);
  PrinterCB = new QComboBox(printer);
  PrinterCB->setObjectName(QStringLiteral("PrinterCB"));
  PrinterCB->setMinimumWidth(260);
  SelectPrinterCB = new QCheckBox(rpLoadStr(53372), printer);
  auto* printerColumn = new QVBoxLayout(printer);
  printerColumn->addWidget(PrinterCB);
  printerColumn->addWidget(SelectPrinterCB);
  auto* other = new QGroupBox(rpLoadStr(53373), tab);
  TwoPassCB = new QCheckBox(rpLoadStr(53374), other);
  PasswordCB = new QCheckBox(rpLoadStr(55657), other);
  auto* otherColumn = new QVBoxLayout(other);
  otherColumn->addWidget(TwoPassCB);
  otherColumn->addWidget(PasswordCB);
  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(printer);
  layout->addWidget(other);
  layout->addStretch();
  return tab;
}

QWidget* TrpDocOptForm::CreateDocumentTab() {
  auto* tab = new QWidget;
  auto* attributes = new QGroupBox(rpLoadStr(55659), tab);
  NameE = new QLineEdit(attributes);
  AuthorE = new QLineEdit(attributes);
  auto* attributeForm = new QFormLayout(attributes);
  attributeForm->addRow(rpLoadStr(55660), NameE);
  attributeForm->addRow(rpLoadStr(55661), AuthorE);

  auto* version = new QGroupBox(rpLoadStr(55662), tab);
  auto* versionGrid = new QGridLayout(version);
  int captionId = 55663;
  int column = 0;
  for (QLineEdit** part : {&MajorE, &MinorE, &ReleaseE, &BuildE}) {
    *part = new QLineEdit(version);
    (*part)->setMaximumWidth(60);
    versionGrid->addWidget(new QLabel(rpLoadStr(captionId++), version), 0, column);
    versionGrid->addWidget(*part, 1, column++);
  }

  auto* description = new QGroupBox(rpLoadStr(55667), tab);
  CommentM = new QPlainTextEdit(description);
  CommentM->setTabChangesFocus(true);
  CommentM->setMaximumHeight(70);
  ModifiedL = new QLabel(description);
  CreatedL = new QLabel(description);
  auto* descriptionForm = new QFormLayout(description);
  descriptionForm->addRow(rpLoadStr(55668), CommentM);
  descriptionForm->addRow(rpLoadStr(55669), ModifiedL);
  descriptionForm->addRow(rpLoadStr(55670), CreatedL);

  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(attributes);
  layout->addWidget(version);
  layout->addWidget(description);
  return tab;
}

void TrpDocOptForm::SetReport(const TrpReport& report) {
  const TrpPrinter& printer = rpPrinter();
  const QIcon icon = DocOptPrinterIcon();
  PrinterCB->clear();
  for (const QString& name : printer.Printers)
    PrinterCB->addItem(icon, name);
  PrinterCB->setCurrentIndex(printer.PrinterIndex);
  SelectPrinterCB->setChecked(!report.UseCurrentPrinter);
  TwoPassCB->setChecked(report.DoublePassReport);
  PasswordCB->setChecked(report.Info.AskPassword);
  NameE->setText(report.Info.Name);
  AuthorE->setText(report.Info.Author);
  MajorE->setText(report.Info.VersionMajor);
  MinorE->setText(report.Info.VersionMinor);
  ReleaseE->setText(report.Info.VersionRelease);
  BuildE->setText(report.Info.VersionBuild);
  CommentM->setPlainText(report.Info.Comment);
  ModifiedL->setText(DocOptDateText(report.Info.LastChange));
  CreatedL->setText(DocOptDateText(report.Info.Created));
}

void TrpDocOptForm::StoreInto(TrpReport& report) const {
  report.UseCurrentPrinter = !SelectPrinterCB->isChecked();
  report.DoublePassReport = TwoPassCB->isChecked();
  report.Info.Name = NameE->text();
  report.Info.Author = AuthorE->text();
  report.Info.VersionMajor = MajorE->text();
  report.Info.VersionMinor = MinorE->text();
  report.Info.VersionRelease = ReleaseE->text();
  report.Info.VersionBuild = BuildE->text();
  report.Info.Comment = CommentM->toPlainText();
}
