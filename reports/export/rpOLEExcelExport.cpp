#include "reports/export/rpOLEExcelExport.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include "reports/export/rpProgress.h"
#include <QtCore/QCoreApplication>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QPushButton>

namespace {

int HorizontalConstant(int alignment) {
  static const int values[] = {-4131, -4152, -4108, -4130};
  return values[alignment & 3];
}

int VerticalConstant(int alignment) {
  if (alignment & 8) return -4108;
  if (alignment & 16) return -4107;
  return -4160;
}

} // namespace

TrpOLEExcelExport::TrpOLEExcelExport(QObject* owner) : TrpGridExport(owner) {
  Register(rpLoadStr(54840), QStringLiteral("*.xlsx")); // the workbook is an OOXML package
}

TrpOLEExcelExport::~TrpOLEExcelExport() = default;

std::unique_ptr<TrpGridExportForm> TrpOLEExcelExport::CreateDialog() { return std::make_unique<TrpOLEExcelSet>(*this); }

void TrpOLEExcelExport::BeginDocument() {
  StartDocument(true, 535.79, 0.5, false);
  excel_ = CreateExcel();
  excel_->Open();
  pictureCounter_ = 0;
}

bool TrpOLEExcelExport::Cancelled() const { return progress_->Terminated || Terminated(); }

void TrpOLEExcelExport::WriteRowHeights() {
  progress_->Execute(matrix_->Height() - 1, QStringLiteral("Please wait"), true, true);
  for (int j = 1; j <= matrix_->Height() - 1 && !Cancelled(); ++j) {
    progress_->Tick();
    excel_->SetRowHeight(j, (matrix_->YPos(j) - matrix_->YPos(j - 1)) * VerticalScale / 1.31);
  }
}

void TrpOLEExcelExport::WriteColumnWidths() {
  progress_->Execute(matrix_->Width() - 1, QStringLiteral("Progress columns"), true, true);
  for (int i = 1; i <= matrix_->Width() - 1 && !Cancelled(); ++i) {
    progress_->Tick();
    excel_->SetColumnWidth(i, (matrix_->XPos(i) - matrix_->XPos(i - 1)) * HorizontalScale / 8);
  }
}

void TrpOLEExcelExport::WriteStyles() {
  progress_->Execute(matrix_->StyleCount() - 1, QStringLiteral("Progress styles"), true, true);
  for (int n = 0; n < matrix_->StyleCount() && !Cancelled(); ++n) {
    progress_->Tick();
    const TrpIEMStyle& s = matrix_->Style(n);
    TRpCellStyle style;
    style.Bold = s.Font.Style.Bold;
    style.Italic = s.Font.Style.Italic;
    style.Underline = s.Font.Style.Underline;
    style.FontName = s.Font.Name;
    style.FontSize = s.Font.Size;
    style.FontColor = s.Font.Color;
    style.InteriorColor = s.FillColor;
    style.VerticalAlignment = VerticalConstant(s.Alignment);
    style.HorizontalAlignment = HorizontalConstant(s.Alignment);
    excel_->AddStyle(QStringLiteral("S%1").arg(n), style);
    QCoreApplication::processEvents();
  }
}

void TrpOLEExcelExport::WriteObjects(QList<QStringList>& values) {
  progress_->Execute(matrix_->Height(), QStringLiteral("Progress objects"), true, true);
  for (int l = 1; l <= matrix_->Height() && !Cancelled(); ++l) {
    progress_->Tick();
    for (int t = 1; t <= matrix_->Width(); ++t) {
      const int index = matrix_->CellIndex(t - 1, l - 1);
      TrpIEMObject* object = matrix_->ObjectByIndex(index);
      if (!object || object->Exported) continue;
      object->Exported = 1;
      int x, y, dx, dy;
      matrix_->ObjectBounds(index, x, y, dx, dy);
      excel_->SetRange(t, l, dy, dx);
      if (object->IsText) {
        if (HighQuality) excel_->SetRangeStyle(QStringLiteral("S%1").arg(object->StyleIndex));
        if (CellsMerged && (dx > 1 || dy > 1)) excel_->MergeRange();
        if (CellsBorders) excel_->SetBorders(matrix_->Style(object->StyleIndex).FrameTyp);
        QString text = object->Memo.join(QStringLiteral("\r\n"));
        text.remove(QLatin1Char('\r'));
        text.remove(QChar(1));
        while (text.endsWith(QLatin1Char('\n')))
          text.chop(1);
        values[l - 1][t - 1] = text;
      } else if (!object->Image.isNull()) {
        ++pictureCounter_;
        excel_->PastePicture(object->Image, object->Image.width() / 1.33, object->Image.height() / 1.33);
      }
    }
  }
}

void TrpOLEExcelExport::AfterExport(const QString& fileName) {
  TrpReport& report = rpActiveReport();
  matrix_->Prepare();
  if (report.EMFPages.Count() > 0) {
    const TrpEMFPage& first = report.EMFPages.GetPage(0);
    excel_->SetPageSetup(first.Orientation == 1 ? 2 : 1, first.LeftMargin / 4.0, first.RightMargin / 4.0,
                         first.TopMargin / 4.0, first.BottomMargin / 4.0);
  }
  report.Terminated = false;
  progress_ = std::make_unique<TrpProgress>();
  progress_->OnCancel = [&report] { report.Terminated = true; };
  WriteRowHeights();
  if (!Cancelled()) WriteColumnWidths();
  if (!Cancelled()) WriteStyles();
  QList<QStringList> values(std::max(0, matrix_->Height() - 1), QStringList(std::max(0, matrix_->Width() - 1)));
  if (!Cancelled()) {
    QList<QStringList> all(matrix_->Height(), QStringList(matrix_->Width()));
    WriteObjects(all);
    for (int r = 0; r < values.size(); ++r)
      values[r] = all[r].mid(0, values[r].size());
  }
  const bool cancelled = Cancelled();
  progress_.reset();
  matrix_.reset();
  if (cancelled) {
    // Nothing is saved after Cancel: a file already there stays as it was.
    excel_->Quit();
    return;
  }
  excel_->SetValues(values);
  if (CellsWrapWords) excel_->SetWrapText(true);
  excel_->SelectFirstCell();
  if (OpenExcelAfterExport) excel_->SetVisible(true);
  try {
    excel_->SaveAs(fileName);
  } catch (const Exception&) {
    excel_->Quit(); // the failed save is reported by the export run
    throw;
  }
  if (!OpenExcelAfterExport) excel_->Quit();
}

// --- the dialog

TrpOLEExcelSet::TrpOLEExcelSet(TrpOLEExcelExport& filter, QWidget* parent)
    : TrpGridExportForm(filter, 54844, parent), export_(filter) {
  MergedCB = AddCheck(54851, filter.CellsMerged, quality_);
  BordersCB = AddCheck(54854, filter.CellsBorders, quality_);
  WrapCB = AddCheck(54855, filter.CellsWrapWords, quality_);
  PageBreaksCB = AddCheck(54860, filter.PageBreaks, quality_);
  StylesCB = AddCheck(55700, filter.HighQuality, quality_);
  PicturesCB = AddCheck(54863, filter.ExportPictures, quality_);
  OpenAfterCB = AddCheck(54864, filter.OpenExcelAfterExport, quality_);
  auto* presets = new QHBoxLayout;
  BetterB = new QPushButton(rpLoadStr(54861), this);
  FasterB = new QPushButton(rpLoadStr(54862), this);
  presets->addWidget(BetterB);
  presets->addWidget(FasterB);
  quality_->addLayout(presets);
  connect(BetterB, &QPushButton::clicked, this, [this] {
    for (QCheckBox* box : {MergedCB, WrapCB, StylesCB, BordersCB, PageBreaksCB, PicturesCB})
      box->setChecked(true);
  });
  connect(FasterB, &QPushButton::clicked, this, [this] {
    for (QCheckBox* box : {MergedCB, WrapCB, PageBreaksCB})
      box->setChecked(true);
    for (QCheckBox* box : {StylesCB, BordersCB, PicturesCB})
      box->setChecked(false);
  });
}

void TrpOLEExcelSet::ApplyChecks() {
  export_.CellsMerged = MergedCB->isChecked();
  export_.CellsBorders = BordersCB->isChecked();
  export_.CellsWrapWords = WrapCB->isChecked();
  export_.PageBreaks = PageBreaksCB->isChecked();
  export_.HighQuality = StylesCB->isChecked();
  export_.ExportPictures = PicturesCB->isChecked();
  export_.OpenExcelAfterExport = OpenAfterCB->isChecked();
}
