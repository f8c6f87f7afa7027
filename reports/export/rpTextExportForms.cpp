#include "reports/export/rpTextExportForms.h"
#include "reports/engine/rpUtils.h"
#include "reports/export/rpHTMExport.h"
#include "reports/export/rpRTFExport.h"
#include "reports/export/rpTextExport.h"
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLineEdit>

double rpScaleOf(const QString& text) {
  try {
    return rpStrToFloat(text);
  } catch (const Exception&) {
    return 1;
  }
}

TrpTXTExportForm::TrpTXTExportForm(TrpTextExport& filter, QWidget* parent) : TrpExportForm(parent), filter_(filter) {
  SetCaption(rpLoadStr(54800));
  KillEmptyLinesCB = AddCheck(54801, filter.KillEmptyLines);
  ConvertToOEMCB = AddCheck(54802, filter.ConvertToOEM);
  ExportFramesCB = AddCheck(54803, filter.ExportFrames);
  UsePseudographicCB = AddCheck(54804, filter.UsePseudographic);
  PageBreaksCB = AddCheck(54805, filter.PageBreaks);
  AddScaleEdits(&ScaleXE, filter.ScaleX, &ScaleYE, filter.ScaleY);
  // Box drawing only makes sense with frames.
  const auto follow = [this] { UsePseudographicCB->setEnabled(ExportFramesCB->isChecked()); };
  follow();
  connect(ExportFramesCB, &QCheckBox::clicked, this, follow);
}

void TrpTXTExportForm::Apply() {
  filter_.KillEmptyLines = KillEmptyLinesCB->isChecked();
  filter_.ConvertToOEM = ConvertToOEMCB->isChecked();
  filter_.ExportFrames = ExportFramesCB->isChecked();
  filter_.UsePseudographic = UsePseudographicCB->isChecked();
  filter_.PageBreaks = PageBreaksCB->isChecked();
  filter_.ScaleX = rpScaleOf(ScaleXE->text());
  filter_.ScaleY = rpScaleOf(ScaleYE->text());
}

TrpCSVExportForm::TrpCSVExportForm(TrpCSVExport& filter, QWidget* parent) : TrpExportForm(parent), filter_(filter) {
  SetCaption(rpLoadStr(54810));
  KillEmptyLinesCB = AddCheck(54801, filter.KillEmptyLines);
  ConvertToOEMCB = AddCheck(54802, filter.ConvertToOEM);
  AddScaleEdits(&ScaleXE, filter.ScaleX, &ScaleYE, filter.ScaleY);
  DelimiterE = AddEdit(rpLoadStr(54811), QString(filter.Delimiter), column_);
  DelimiterE->setMaxLength(1);
}

void TrpCSVExportForm::Apply() {
  filter_.KillEmptyLines = KillEmptyLinesCB->isChecked();
  filter_.ConvertToOEM = ConvertToOEMCB->isChecked();
  filter_.ScaleX = rpScaleOf(ScaleXE->text());
  filter_.ScaleY = rpScaleOf(ScaleYE->text());
  if (!DelimiterE->text().isEmpty()) filter_.Delimiter = DelimiterE->text().at(0);
}

TrpHTMExportForm::TrpHTMExportForm(TrpHTMExport& filter, QWidget* parent) : TrpExportForm(parent), filter_(filter) {
  SetCaption(rpLoadStr(54830));
  KillEmptyLinesCB = AddCheck(54801, filter.KillEmptyLines);
  ExportPicturesCB = AddCheck(54821, filter.ExportPictures);
  AddScaleEdits(nullptr, 1, &ScaleYE, filter.ScaleY);
}

void TrpHTMExportForm::Apply() {
  filter_.KillEmptyLines = KillEmptyLinesCB->isChecked();
  filter_.ExportPictures = ExportPicturesCB->isChecked();
  filter_.ScaleY = rpScaleOf(ScaleYE->text());
}

TrpRTFExportForm::TrpRTFExportForm(TrpRTFExport& filter, QWidget* parent) : TrpExportForm(parent), filter_(filter) {
  SetCaption(rpLoadStr(54820));
  KillEmptyLinesCB = AddCheck(54801, filter.KillEmptyLines);
  ExportBitmapsCB = AddCheck(54821, filter.ExportBitmaps);
  ConvertToTableCB = AddCheck(54822, filter.ConvertToTable);
  PageBreaksCB = AddCheck(54805, filter.PageBreaks);
  AddScaleEdits(&ScaleXE, filter.ScaleX, &ScaleYE, filter.ScaleY);
}

void TrpRTFExportForm::Apply() {
  filter_.KillEmptyLines = KillEmptyLinesCB->isChecked();
  filter_.ExportBitmaps = ExportBitmapsCB->isChecked();
  filter_.ConvertToTable = ConvertToTableCB->isChecked();
  filter_.PageBreaks = PageBreaksCB->isChecked();
  filter_.ScaleX = rpScaleOf(ScaleXE->text());
  filter_.ScaleY = rpScaleOf(ScaleYE->text());
}
