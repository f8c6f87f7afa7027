#include "reports/export/RegisterReportExports.h"
#include "reports/export/rpHTMExport.h"
#include "reports/export/rpHTMLTableExport.h"
#include "reports/export/rpOLEExcelExport.h"
#include "reports/export/rpRTFExport.h"
#include "reports/export/rpTextAdvExport.h"
#include "reports/export/rpTextExport.h"
#include "reports/export/rpXMLExcelExport.h"
#include "reports/export/vzGraphicExport.h"
#include "reports/export/vzHTMLExport.h"
#include "reports/export/vzPDFExport.h"
#include "reports/export/vzRTFExport.h"
#include "reports/print/fTlac.h"

namespace {

template <class TFilter> TFilter* Make(TfrmTlac& form, const char* name) {
  auto* filter = new TFilter(&form);
  filter->setObjectName(QLatin1String(name));
  return filter;
}

void AddExportFilters(TfrmTlac& form) {
  Make<TVezoPDFExport>(form, "VezoPDFExport1")->RichTextEncodingType = rtPlainText;
  auto* html = Make<TVezoHTMLExport>(form, "VezoHTMLExport1");
  html->LinkFontName = QStringLiteral("Wingdings");
  html->LinkFontSize = 18; // 24 pixels high
  html->LinkFontColor = clBlue;
  Make<TVezoRTFExport>(form, "VezoRTFExport1")->SetExportImageFormat(ifJPG);
  for (TVezoGraphicExport* metafile : std::initializer_list<TVezoGraphicExport*>{
           Make<TVezoWMFExport>(form, "VezoWMFExport1"), Make<TVezoEMFExport>(form, "VezoEMFExport1")})
    metafile->ScaleX = metafile->ScaleY = 1;
  auto* text = Make<TrpTextExport>(form, "rpTextExport1");
  text->ScaleX = text->ScaleY = 1;
  auto* csv = Make<TrpCSVExport>(form, "rpCSVExport1");
  csv->ScaleX = csv->ScaleY = 1;
  csv->Delimiter = QLatin1Char(';');
  auto* htm = Make<TrpHTMExport>(form, "rpHTMExport1");
  htm->ScaleX = htm->ScaleY = 1;
  auto* rtf = Make<TrpRTFExport>(form, "rpRTFExport1");
  rtf->ScaleX = 1.3;
  rtf->ScaleY = 1;
  Make<TrpHTMLTableExport>(form, "rpHTMLTableExport1");
  auto* ole = Make<TrpOLEExcelExport>(form, "rpOLEExcelExport1");
  ole->CellsAlign = ole->CellsFillColor = ole->CellsFontColor = false;
  ole->CellsFontName = ole->CellsFontSize = ole->CellsFontStyle = false;
  Make<TrpXMLExcelExport>(form, "rpXMLExcelExport1");
  // Simple frames, page breaks, empty lines and leading blanks, no OEM
  // conversion, no printing after the export; printer dialog and saved settings on.
  auto* dotMatrix = Make<TrpTextAdvExport>(form, "rpTextAdvExport1");
  dotMatrix->ScaleWidth = dotMatrix->ScaleHeight = 1;
  dotMatrix->Borders = dotMatrix->PageBreaks = dotMatrix->EmptyLines = dotMatrix->LeadSpaces = true;
  dotMatrix->Pseudogrpahic = dotMatrix->OEMCodepage = dotMatrix->PrintAfter = false;
  dotMatrix->PrinterDialog = dotMatrix->UseSavedProps = true;
}

} // namespace

void RegisterReportExports() { TfrmTlac::AddComponentMaker(AddExportFilters); }
