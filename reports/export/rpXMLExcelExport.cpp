#include "reports/export/rpXMLExcelExport.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include "reports/export/rpProgress.h"
#include <QtCore/QFileInfo>
#include <QtCore/QScopeGuard>
#include <QtWidgets/QCheckBox>

namespace {

QString XmlSheetNumber(double value) { return QString::number(value, 'g', 15); }

QString CellColor(TColor color) { return color == clNone ? QStringLiteral("#FFFFFF") : rpColorToHTML(color); }

QString HorizontalAlign(int alignment) {
  static const char* names[] = {"Left", "Right", "Center", "Justify"};
  return QLatin1String(names[alignment & 3]);
}

QString Vertical(int alignment) {
  if (alignment & 8) return QStringLiteral("Center");
  if (alignment & 16) return QStringLiteral("Bottom");
  return QStringLiteral("Top");
}

} // namespace

QString rpXmlText(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    switch (c.unicode()) {
    case '&':
      out += QStringLiteral("&amp;");
      break;
    case '<':
      out += QStringLiteral("&lt;");
      break;
    case '>':
      out += QStringLiteral("&gt;");
      break;
    case '"':
      out += QStringLiteral("&quot;");
      break;
    case '\r':
      if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
      out += QStringLiteral("&#10;");
      break;
    case '\n':
      out += QStringLiteral("&#10;");
      break;
    case '\t':
      out += c;
      break;
    default:
      if (c.unicode() >= 0x20) out += c; // other control characters are not allowed in XML
    }
  }
  return out;
}

TrpXMLExcelExport::TrpXMLExcelExport(QObject* owner) : TrpGridExport(owner) {
  Register(rpLoadStr(55710), QStringLiteral("*.xls"));
  // The registry keeps one entry per class and mask; the second mask is this filter too.
  xmlRegistered_ = rpAddExportFilter(this, rpLoadStr(55711), QStringLiteral("*.xml"));
}

TrpXMLExcelExport::~TrpXMLExcelExport() {
  // The base removes one entry; the second one goes here.
  if (xmlRegistered_ && rpEngineStarted()) rpRemoveExportFilter(this);
}

int TrpXMLExcelExport::OptionsDialog() {
  XmlMode = QFileInfo(FileName).suffix() == QLatin1String("xml");
  return TrpGridExport::OptionsDialog();
}

std::unique_ptr<TrpGridExportForm> TrpXMLExcelExport::CreateDialog() { return std::make_unique<TrpXMLExcelSet>(*this); }

void TrpXMLExcelExport::BeginDocument() { StartDocument(false, 511.25, 0.5, false); }

QString TrpXMLExcelExport::StyleElement(int index) const {
  const TrpIEMStyle& s = matrix_->Style(index);
  QString out = QStringLiteral("<Style ss:ID=\"s%1\">").arg(index);
  out += QStringLiteral("<Font ss:FontName=\"") + rpXmlText(s.Font.Name) + QStringLiteral("\" ss:Size=\"") +
         QString::number(s.Font.Size) + QStringLiteral("\" ss:Color=\"") + CellColor(s.Font.Color) + QLatin1Char('"');
  if (s.Font.Style.Bold) out += QStringLiteral(" ss:Bold=\"1\"");
  if (s.Font.Style.Italic) out += QStringLiteral(" ss:Italic=\"1\"");
  if (s.Font.Style.Underline) out += QStringLiteral(" ss:Underline=\"Single\"");
  out += QStringLiteral("/>");
  if (s.FillColor != clNone)
    out +=
        QStringLiteral("<Interior ss:Color=\"") + CellColor(s.FillColor) + QStringLiteral("\" ss:Pattern=\"Solid\"/>");
  out += QStringLiteral("<Alignment ss:Horizontal=\"") + HorizontalAlign(s.Alignment) +
         QStringLiteral("\" ss:Vertical=\"") + Vertical(s.Alignment) +
         (WrapWords ? QStringLiteral("\" ss:WrapText=\"1\" ") : QStringLiteral("\" ss:WrapText=\"0\" ")) +
         QStringLiteral("/>");
  if (Borders) {
    out += QStringLiteral("<Borders>");
    const std::pair<int, const char*> sides[] = {{4, "Left"}, {1, "Right"}, {8, "Top"}, {2, "Bottom"}};
    for (const auto& [flag, side] : sides)
      if (s.FrameTyp & flag)
        out +=
            QStringLiteral("<Border ss:Position=\"%1\" ss:LineStyle=\"Continuous\" ss:Weight=\"%2\" ss:Color=\"%3\" />")
                .arg(QLatin1String(side))
                .arg(s.FrameWidth > 1 ? 3 : 1)
                .arg(CellColor(s.FrameColor));
    out += QStringLiteral("</Borders>");
  }
  return out + QStringLiteral("</Style>");
}

void TrpXMLExcelExport::AppendRows(QString& out, QList<int>& rowBreaks) {
  int passed = 0;
  for (int k = 0; k <= matrix_->Height() - 2; ++k) {
    out += QStringLiteral("<Row ss:Height=\"") +
           XmlSheetNumber((matrix_->YPos(k + 1) - matrix_->YPos(k)) * VerticalScale / 1.25) + QStringLiteral("\">");
    if (passed < matrix_->PageBreakCount() && matrix_->PageBreak(passed) <= matrix_->YPos(k)) {
      ++passed;
      rowBreaks.append(k + 1);
      progress_->Tick();
    }
    if (progress_->Terminated) {
      out += QStringLiteral("</Row>");
      break;
    }
    for (int h = 0; h <= matrix_->Width() - 1; ++h) {
      const QString index = QStringLiteral(" ss:Index=\"%1\" ").arg(h + 1);
      const int cell = matrix_->CellIndex(h, k);
      TrpIEMObject* object = matrix_->ObjectByIndex(cell);
      if (!object) {
        out += QStringLiteral("<Cell") + index + QStringLiteral("/>");
        continue;
      }
      if (!object->IsText || object->Exported) continue;
      object->Exported = 1;
      int x, y, dx, dy;
      matrix_->ObjectBounds(cell, x, y, dx, dy);
      QString text = object->Memo.join(QStringLiteral("\r\n"));
      text.remove(QChar(1));
      if (text.endsWith(QStringLiteral("\r\n"))) text.chop(2);
      out += QStringLiteral("<Cell") + index;
      if (dx >= 2) out += QStringLiteral("ss:MergeAcross=\"%1\" ").arg(dx - 1);
      if (dy >= 2) out += QStringLiteral("ss:MergeDown=\"%1\" ").arg(dy - 1);
      if (Styles) out += QStringLiteral("ss:StyleID=\"s%1\" ").arg(object->StyleIndex);
      out += QStringLiteral("><Data ss:Type=\"String\">") + rpXmlText(text) + QStringLiteral("</Data></Cell>");
    }
    out += QStringLiteral("</Row>");
  }
}

QString TrpXMLExcelExport::Workbook() {
  const TrpReport& report = rpActiveReport();
  progress_ = std::make_unique<TrpProgress>();
  progress_->OnCancel = [] { rpActiveReport().Terminated = true; };
  progress_->Execute(matrix_->PageBreakCount(), QStringLiteral("Exporting pages"), true, true);
  QString out = QStringLiteral("<?xml version=\"1.0\"?><?mso-application progid=\"Excel.Sheet\"?>"
                               "<?generator name=\"Vimek\"?><?producer name=\"Vimek report export\"?>"
                               "<Workbook xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\""
                               " xmlns:o=\"urn:schemas-microsoft-com:office:office\""
                               " xmlns:x=\"urn:schemas-microsoft-com:office:excel\""
                               " xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\""
                               " xmlns:html=\"http://www.w3.org/TR/REC-html40\">");
  out += QStringLiteral("<DocumentProperties xmlns=\"urn:schemas-microsoft-com:office:office\">");
  out += QStringLiteral("<Title>") + rpXmlText(report.Info.Name) + QStringLiteral("</Title><Author>") +
         rpXmlText(report.Info.Author) + QStringLiteral("</Author>");
  // UTC, as the "Z" says.
  out += QStringLiteral("<Created>") + Now().toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ")) +
         QStringLiteral("</Created>");
  const QStringList version{report.Info.VersionMajor, report.Info.VersionMinor, report.Info.VersionRelease,
                            report.Info.VersionBuild};
  out += QStringLiteral("<Version>") + rpXmlText(version.join(QLatin1Char('.'))) +
         QStringLiteral("</Version></DocumentProperties>");
  out += QStringLiteral("<ExcelWorkbook xmlns=\"urn:schemas-microsoft-com:office:excel\"><ProtectStructure>False</"
                        "ProtectStructure><ProtectWindows>False</ProtectWindows></ExcelWorkbook>");
  if (Styles) {
    out += QStringLiteral("<Styles>");
    // LibreOffice gives a style without borders the borders of the style
    // before it, so the styles without borders come first.
    for (const bool framed : {false, true})
      for (int i = 0; i < matrix_->StyleCount(); ++i)
        if (((matrix_->Style(i).FrameTyp & 15) != 0) == framed) out += StyleElement(i);
    out += QStringLiteral("</Styles>");
  }
  const QString sheet = report.Info.Name.isEmpty() ? QStringLiteral("Page1") : report.Info.Name;
  out += QStringLiteral("<Worksheet ss:Name=\"") + rpXmlText(sheet) + QStringLiteral("\">");
  out += QStringLiteral("<Table ss:ExpandedColumnCount=\"%1\" ss:ExpandedRowCount=\"%2\" x:FullColumns=\"1\" "
                        "x:FullRows=\"1\">")
             .arg(matrix_->Width())
             .arg(matrix_->Height());
  for (int i = 1; i <= matrix_->Width() - 1; ++i)
    out += QStringLiteral("<Column ss:AutoFitWidth=\"0\" ss:Width=\"") +
           XmlSheetNumber((matrix_->XPos(i) - matrix_->XPos(i - 1)) * HorizontalScale / 1.36) + QStringLiteral("\"/>");
  QList<int> rowBreaks;
  AppendRows(out, rowBreaks);
  out += QStringLiteral("</Table><WorksheetOptions xmlns=\"urn:schemas-microsoft-com:office:excel\"><PageSetup>");
  if (report.EMFPages.Count() > 0) {
    const TrpEMFPage& first = report.EMFPages.GetPage(0);
    if (first.Orientation == 1) out += QStringLiteral("<Layout x:Orientation=\"Landscape\"/>");
    out += QStringLiteral("<PageMargins x:Bottom=\"%1\" x:Left=\"%2\" x:Right=\"%3\" x:Top=\"%4\"/>")
               .arg(XmlSheetNumber(first.BottomMargin / 96.0), XmlSheetNumber(first.LeftMargin / 96.0),
                    XmlSheetNumber(first.RightMargin / 96.0), XmlSheetNumber(first.TopMargin / 96.0));
  }
  out += QStringLiteral("</PageSetup></WorksheetOptions>");
  if (PageBreaks) {
    out += QStringLiteral("<PageBreaks xmlns=\"urn:schemas-microsoft-com:office:excel\"><RowBreaks>");
    for (int row : rowBreaks)
      out += QStringLiteral("<RowBreak><Row>%1</Row></RowBreak>").arg(row);
    out += QStringLiteral("</RowBreaks></PageBreaks>");
  }
  out += QStringLiteral("</Worksheet></Workbook>");
  progress_.reset();
  return out;
}

void TrpXMLExcelExport::AfterExport(const QString& fileName) {
  const auto freeMatrix = qScopeGuard([this] { matrix_.reset(); });
  if (Terminated()) return;
  matrix_->Prepare();
  const QString text = Workbook();
  if (Terminated()) return; // cancelled: nothing is written
  rpWriteWholeFile(fileName, text.toUtf8());
  if (OpenExcelAfterExport && !XmlMode) rpOpenDocument(fileName);
}

// --- the dialog

TrpXMLExcelSet::TrpXMLExcelSet(TrpXMLExcelExport& filter, QWidget* parent)
    : TrpGridExportForm(filter, filter.XmlMode ? 55712 : 55713, parent), export_(filter) {
  BordersCB = AddCheck(54854, filter.Borders, quality_);
  WrapWordsCB = AddCheck(54855, filter.WrapWords, quality_);
  PageBreaksCB = AddCheck(54860, filter.PageBreaks, quality_);
  StylesCB = AddCheck(55700, filter.Styles, quality_);
  NumbersCB = AddCheck(55714, filter.Numbers, quality_);
  OpenExcelAfterExportCB = AddCheck(54864, filter.OpenExcelAfterExport, quality_);
  OpenExcelAfterExportCB->setVisible(!filter.XmlMode);
}

void TrpXMLExcelSet::ApplyChecks() {
  export_.Borders = BordersCB->isChecked();
  export_.WrapWords = WrapWordsCB->isChecked();
  export_.PageBreaks = PageBreaksCB->isChecked();
  export_.Styles = StylesCB->isChecked();
  export_.Numbers = NumbersCB->isChecked();
  export_.OpenExcelAfterExport = OpenExcelAfterExportCB->isChecked();
}
