#include "reports/export/rpTextAdvExportForm.h"
#include "core/CodePage1250.h"
#include "core/CodePage852.h"
#include "platform/base/Registry.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpView.h"
#include "reports/export/rpExportUtils.h"
#include "reports/export/rpTextAdvExport.h"
#include <QtCore/QDir>
#include <QtGui/QFontDatabase>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QToolButton>

namespace {

constexpr int kNarrowWidth = 277, kWideWidth = 631, kWidening = 177;

QGroupBox* Group(int stringId, QWidget* parent, QBoxLayout*& inside, bool horizontal = false) {
  auto* group = new QGroupBox(rpLoadStr(stringId).trimmed(), parent);
  inside = horizontal ? static_cast<QBoxLayout*>(new QHBoxLayout(group)) : new QVBoxLayout(group);
  return group;
}

QSpinBox* ScaleSpin(int minimum, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setRange(minimum, 500);
  spin->setSingleStep(10);
  return spin;
}

std::optional<bool> ReadBool(const QString& name) {
  const auto value = TRegistry::Root().ReadValue(TrpTextAdvExport::kRegistryKey, name);
  if (!value) return std::nullopt;
  return value->Type == TRegValueType::Dword ? value->Dword != 0 : value->Text == QLatin1String("1");
}

std::optional<double> ReadNumber(const QString& name) {
  const auto value = TRegistry::Root().ReadValue(TrpTextAdvExport::kRegistryKey, name);
  if (!value) return std::nullopt;
  if (value->Type == TRegValueType::Dword) return double(value->Dword);
  bool ok = false;
  const double number = value->Text.toDouble(&ok);
  return ok ? std::optional<double>(number) : std::nullopt;
}

} // namespace

TrpTEXTExprSet::TrpTEXTExprSet(TrpTextAdvExport& filter, QWidget* parent)
    : TForm(parent), filter_(filter), preview_(TrpTextAdvExport::CreatePreviewExporter()) {
  setObjectName(QStringLiteral("TrpTEXTExprSet"));
  SetCaption(rpLoadStr(55741));

  auto* settings = new QWidget(this);
  settings->setFixedWidth(kNarrowWidth - 20);
  auto* column = new QVBoxLayout(settings);
  column->setContentsMargins(0, 0, 0, 0);
  QBoxLayout* inside = nullptr;
  column->addWidget(Group(55744, this, inside));
  PageBreaksCB = new QCheckBox(rpLoadStr(55745), this);
  OEMCB = new QCheckBox(rpLoadStr(55746), this);
  EmptyLinesCB = new QCheckBox(rpLoadStr(55747), this);
  LeadSpacesCB = new QCheckBox(rpLoadStr(55748), this);
  for (QCheckBox* box : {PageBreaksCB, OEMCB, EmptyLinesCB, LeadSpacesCB})
    inside->addWidget(box);

  column->addWidget(Group(53044, this, inside, true));
  auto* rangeLabel = new QLabel(rpLoadStr(53047), this);
  PageRangeE = new QLineEdit(this);
  PageRangeE->setToolTip(rpLoadStr(53048));
  rangeLabel->setBuddy(PageRangeE);
  inside->addWidget(rangeLabel);
  inside->addWidget(PageRangeE);

  column->addWidget(Group(55749, this, inside, true));
  ScaleWidthE = ScaleSpin(1, this);
  ScaleHeightE = ScaleSpin(10, this);
  inside->addWidget(new QLabel(rpLoadStr(55750), this));
  inside->addWidget(ScaleWidthE);
  inside->addWidget(new QLabel(rpLoadStr(55751), this));
  inside->addWidget(ScaleHeightE);

  column->addWidget(Group(55752, this, inside, true));
  NoneRB = new QRadioButton(rpLoadStr(55753), this);
  SimpleRB = new QRadioButton(rpLoadStr(55754), this);
  GraphicRB = new QRadioButton(rpLoadStr(55756), this);
  GraphicRB->setToolTip(rpLoadStr(55755));
  for (QRadioButton* choice : {NoneRB, SimpleRB, GraphicRB})
    inside->addWidget(choice);

  PrintAfterCB = new QCheckBox(rpLoadStr(55757), this);
  SaveSettingsCB = new QCheckBox(rpLoadStr(55758), this);
  column->addWidget(PrintAfterCB);
  column->addWidget(SaveSettingsCB);
  column->addStretch();
  auto* buttons = new QHBoxLayout;
  PreviewB = new QToolButton(this);
  PreviewB->setText(rpLoadStr(55759).trimmed());
  PreviewB->setToolTip(rpLoadStr(55742));
  PreviewB->setCheckable(true);
  OKB = new QPushButton(rpLoadStr(55000), this);
  OKB->setDefault(true);
  CancelB = new QPushButton(rpLoadStr(55001), this);
  buttons->addWidget(PreviewB);
  buttons->addStretch();
  buttons->addWidget(OKB);
  buttons->addWidget(CancelB);
  column->addLayout(buttons);

  // The preview panel, left of the settings.
  PreviewGB = Group(55759, this, inside);
  PreviewMemo = new QPlainTextEdit(this);
  PreviewMemo->setReadOnly(true);
  PreviewMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  inside->addWidget(PreviewMemo);
  auto* status = new QHBoxLayout;
  WidthL = new QLabel(this);
  HeightL = new QLabel(this);
  PageSE = new QSpinBox(this);
  PageSE->setMinimum(1);
  PageSE->setMaximum(std::max(1, rpActiveReport().EMFPages.Count()));
  EnlargeB = new QToolButton(this);
  EnlargeB->setText(QStringLiteral("+"));
  EnlargeB->setToolTip(rpLoadStr(55763));
  ReduceB = new QToolButton(this);
  ReduceB->setText(QStringLiteral("-"));
  ReduceB->setToolTip(rpLoadStr(55764));
  status->addWidget(new QLabel(rpLoadStr(55760), this));
  status->addWidget(WidthL);
  status->addWidget(new QLabel(rpLoadStr(55761), this));
  status->addWidget(HeightL);
  status->addStretch();
  status->addWidget(new QLabel(rpLoadStr(55762), this));
  status->addWidget(PageSE);
  status->addWidget(EnlargeB);
  status->addWidget(ReduceB);
  inside->addLayout(status);
  PreviewGB->hide();

  auto* outer = new QHBoxLayout(this);
  outer->addWidget(PreviewGB, 1);
  outer->addWidget(settings);

  if (filter_.UseSavedProps) ReadRegistry();
  FillControls();
  SetPreviewFontSize(fontSize_);
  resize(kNarrowWidth, sizeHint().height());

  const auto refresh = [this] { RefreshPreview(); };
  for (QCheckBox* box : {PageBreaksCB, EmptyLinesCB, LeadSpacesCB})
    connect(box, &QCheckBox::toggled, this, refresh);
  connect(OEMCB, &QCheckBox::clicked, this, [this] { OEMChanged(); });
  for (QRadioButton* choice : {NoneRB, SimpleRB, GraphicRB})
    connect(choice, &QRadioButton::toggled, this, [this](bool on) {
      if (on) RefreshPreview();
    });
  for (QSpinBox* spin : {ScaleWidthE, ScaleHeightE, PageSE})
    connect(spin, &QSpinBox::valueChanged, this, refresh);
  connect(PreviewB, &QToolButton::toggled, this, [this](bool on) { SetPreviewShown(on); });
  connect(EnlargeB, &QToolButton::clicked, this, [this] { SetPreviewFontSize(fontSize_ + 1); });
  connect(ReduceB, &QToolButton::clicked, this, [this] { SetPreviewFontSize(fontSize_ - 1); });
  connect(OKB, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
  connect(CancelB, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
  OEMChanged();
  if (previewWanted_) PreviewB->setChecked(true);
}

TrpTEXTExprSet::~TrpTEXTExprSet() = default;

void TrpTEXTExprSet::ReadRegistry() {
  TRegistry& registry = TRegistry::Root();
  if (!registry.KeyExists(TrpTextAdvExport::kRegistryKey)) registry.CreateKey(TrpTextAdvExport::kRegistryKey);
  // Settings count only once they have been saved.
  if (!registry.ReadValue(TrpTextAdvExport::kRegistryKey, QStringLiteral("Borders"))) return;
  const std::pair<const char*, bool*> flags[] = {
      {"Borders", &filter_.Borders}, {"BordersGraph", &filter_.Pseudogrpahic}, {"PageBreaks", &filter_.PageBreaks},
      {"OEM", &filter_.OEMCodepage}, {"EmptyLines", &filter_.EmptyLines},      {"LeadSpaces", &filter_.LeadSpaces},
      {"Preview", &previewWanted_},  {"PrintAfter", &filter_.PrintAfter}};
  for (const auto& [name, flag] : flags)
    if (const auto value = ReadBool(QLatin1String(name))) *flag = *value;
  if (const auto value = ReadNumber(QStringLiteral("ScaleX"))) filter_.ScaleWidth = *value;
  if (const auto value = ReadNumber(QStringLiteral("ScaleY"))) filter_.ScaleHeight = *value;
  if (const auto value = ReadNumber(QStringLiteral("FontSize"))) fontSize_ = std::clamp(int(*value), 2, 30);
}

void TrpTEXTExprSet::WriteRegistry() const {
  TRegistry& registry = TRegistry::Root();
  const QString& key = TrpTextAdvExport::kRegistryKey;
  const std::pair<const char*, bool> flags[] = {
      {"Borders", filter_.Borders}, {"BordersGraph", filter_.Pseudogrpahic}, {"PageBreaks", filter_.PageBreaks},
      {"OEM", filter_.OEMCodepage}, {"EmptyLines", filter_.EmptyLines},      {"LeadSpaces", filter_.LeadSpaces},
      {"Preview", previewShown_},   {"PrintAfter", filter_.PrintAfter}};
  for (const auto& [name, flag] : flags)
    registry.WriteValue(key, QLatin1String(name), TRegValue::FromDword(flag ? 1 : 0), true);
  registry.WriteValue(key, QStringLiteral("ScaleX"), TRegValue::String(QString::number(filter_.ScaleWidth, 'g', 15)),
                      true);
  registry.WriteValue(key, QStringLiteral("ScaleY"), TRegValue::String(QString::number(filter_.ScaleHeight, 'g', 15)),
                      true);
  registry.WriteValue(key, QStringLiteral("FontSize"), TRegValue::FromDword(quint32(fontSize_)), true);
}

void TrpTEXTExprSet::FillControls() {
  (filter_.Borders ? (filter_.Pseudogrpahic ? GraphicRB : SimpleRB) : NoneRB)->setChecked(true);
  PageBreaksCB->setChecked(filter_.PageBreaks);
  OEMCB->setChecked(filter_.OEMCodepage);
  EmptyLinesCB->setChecked(filter_.EmptyLines);
  LeadSpacesCB->setChecked(filter_.LeadSpaces);
  PrintAfterCB->setChecked(filter_.PrintAfter);
  SaveSettingsCB->setChecked(filter_.UseSavedProps);
  PageRangeE->setText(filter_.PageRangeText);
  ScaleWidthE->setValue(rpRoundEven(filter_.ScaleWidth * 100));
  ScaleHeightE->setValue(rpRoundEven(filter_.ScaleHeight * 100));
}

void TrpTEXTExprSet::OEMChanged() {
  // Box drawing exists only in the DOS code page.
  GraphicRB->setEnabled(OEMCB->isChecked());
  if (!GraphicRB->isEnabled() && GraphicRB->isChecked()) SimpleRB->setChecked(true);
  RefreshPreview();
}

void TrpTEXTExprSet::ApplyOptions(TrpTextAdvExport& target) const {
  target.Borders = !NoneRB->isChecked();
  target.Pseudogrpahic = GraphicRB->isChecked();
  target.PageBreaks = PageBreaksCB->isChecked();
  target.OEMCodepage = OEMCB->isChecked();
  target.EmptyLines = EmptyLinesCB->isChecked();
  target.LeadSpaces = LeadSpacesCB->isChecked();
  target.ScaleWidth = ScaleWidthE->value() / 100.0;
  target.ScaleHeight = ScaleHeightE->value() / 100.0;
  target.CustomFrameSet = filter_.CustomFrameSet;
}

void TrpTEXTExprSet::SetPreviewShown(bool shown) {
  if (shown == previewShown_) return;
  previewShown_ = shown;
  PreviewB->setChecked(shown);
  PreviewGB->setVisible(shown);
  // The dialog grows to the left, so the settings stay where they were.
  const int step = shown ? kWidening : -kWidening;
  move(x() - step, y());
  resize(shown ? kWideWidth : kNarrowWidth, height());
  RefreshPreview();
}

void TrpTEXTExprSet::SetPreviewFontSize(int points) {
  fontSize_ = std::clamp(points, 2, 30);
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(fontSize_);
  PreviewMemo->setFont(font);
}

void TrpTEXTExprSet::RefreshPreview() {
  if (!previewShown_) return;
  TrpTextAdvExport& preview = *preview_;
  ApplyOptions(preview);
  preview.PageRangeText = QString::number(PageSE->value());
  TrpReport& report = rpActiveReport();
  const bool showProgress = report.ShowProgress, terminated = report.Terminated;
  report.ShowProgress = false;
  // The run ends after its one page, so the file itself is never kept.
  report.ExportToFile(&preview, QDir::temp().filePath(QStringLiteral("vimek-nahlad.prn")));
  report.ShowProgress = showProgress;
  report.Terminated = terminated;
  PreviewMemo->setPlainText(preview.OEMCodepage ? Cp852::Decode(preview.PreviewText)
                                                : Cp1250::Decode(preview.PreviewText));
  WidthL->setText(QString::number(preview.LongestLine));
  HeightL->setText(QString::number(preview.LineCount));
}

int TrpTEXTExprSet::Execute() {
  const int result = ShowModal();
  if (result != mrOk) return result;
  ApplyOptions(filter_);
  filter_.PageRangeText = PageRangeE->text();
  filter_.PrintAfter = PrintAfterCB->isChecked();
  filter_.UseSavedProps = SaveSettingsCB->isChecked();
  if (filter_.UseSavedProps) WriteRegistry();
  return result;
}
