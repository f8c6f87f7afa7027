#include "reports/designer/rpVBandEditorForm.h"
#include "reports/designer/rpBandChoices.h"
#include "reports/designer/rpDialogButtons.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpUtils.h"
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QVBoxLayout>

TrpVBandEditorForm::TrpVBandEditorForm(QWidget* parent) : TrpObjEditorForm(parent) {
  SetCaption(rpLoadStr(53485));
  auto* bandsGroup = new QGroupBox(rpLoadStr(53486), this);
  auto* sourceGroup = new QGroupBox(rpLoadStr(53487), this);
  BandsLB = new QListWidget(bandsGroup);
  SourcesLB = new QListWidget(sourceGroup);
  RecordCountLabel = new QLabel(rpLoadStr(53488), sourceGroup);
  RecordCountE = new QLineEdit(sourceGroup);
  RecordCountLabel->setBuddy(RecordCountE);
  (new QVBoxLayout(bandsGroup))->addWidget(BandsLB);
  auto* sourceLayout = new QVBoxLayout(sourceGroup);
  sourceLayout->addWidget(SourcesLB, 1);
  sourceLayout->addWidget(RecordCountLabel);
  sourceLayout->addWidget(RecordCountE);
  connect(BandsLB, &QListWidget::currentRowChanged, this, [this] { ShowBandSource(); });
  connect(SourcesLB, &QListWidget::currentRowChanged, this, [this] { StoreBandSource(); });
  connect(RecordCountE, &QLineEdit::textEdited, this, [this] { StoreBandSource(); });
  auto* groups = new QHBoxLayout;
  groups->addWidget(bandsGroup, 1);
  groups->addWidget(sourceGroup, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups, 1);
  layout->addLayout(rpOkCancelRow(this));
  resize(460, 320);
}

TrpVBandEditorForm::~TrpVBandEditorForm() = default;

void TrpVBandEditorForm::ShowBandSource() {
  const int band = BandsLB->currentRow();
  if (band < 0 || !bandSources_) return;
  showing_ = true;
  const QString source = bandSources_->Source(band);
  const int position = sources_->PositionOf(source);
  RecordCountE->setText(position == TrpBandSourceList::Virtual ? source : QString());
  SourcesLB->setCurrentRow(position);
  RecordCountLabel->setEnabled(position == TrpBandSourceList::Virtual);
  RecordCountE->setEnabled(position == TrpBandSourceList::Virtual);
  showing_ = false;
}

void TrpVBandEditorForm::StoreBandSource() {
  const bool virtualSource = SourcesLB->currentRow() == TrpBandSourceList::Virtual;
  RecordCountLabel->setEnabled(virtualSource);
  RecordCountE->setEnabled(virtualSource);
  const int band = BandsLB->currentRow();
  if (showing_ || band < 0 || !bandSources_) return;
  bandSources_->SetSource(band, sources_->TextAt(SourcesLB->currentRow(), RecordCountE->text()));
}

int TrpVBandEditorForm::ShowEditor(TrpView* object) {
  auto* crossBand = dynamic_cast<TrpBandView*>(object);
  if (!crossBand) return mrCancel;
  const TrpReportDesigner* designer = rpCurrentDesigner();
  const TrpPage* page = designer && designer->Page ? designer->Page : crossBand->Page;
  const QList<TrpBandView*> bands = page ? rpCrossDataBands(*page) : QList<TrpBandView*>();
  if (bands.isEmpty()) return mrCancel;
  QStringList names;
  BandsLB->clear();
  for (const TrpBandView* band : bands) {
    names.append(band->Name);
    BandsLB->addItem(band->Name + QStringLiteral(": ") + rpGlobals().BandNames.value(band->GetBandType()));
  }
  sources_ = std::make_unique<TrpBandSourceList>(TrpBandSourceList::DesignedDictionary());
  bandSources_ = std::make_unique<TrpCrossDataSources>(crossBand->DisplayFormatText, names);
  showing_ = true;
  SourcesLB->clear();
  SourcesLB->addItems(sources_->Entries());
  showing_ = false;
  BandsLB->setCurrentRow(0);
  BandsLB->setFocus();
  const int result = ShowModal();
  if (result != mrOk) return result;
  if (TrpReportDesigner* current = rpCurrentDesigner()) current->BeforeChange();
  crossBand->DisplayFormatText = bandSources_->Text();
  return result;
}
