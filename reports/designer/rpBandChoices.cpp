#include "reports/designer/rpBandChoices.h"
#include "reports/designer/rpExpressionBuilder.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpDataDictionary.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpSubReportView.h"
#include "reports/engine/rpUtils.h"

namespace {

// Band types a page may hold any number of.
bool BandChoiceRepeats(int type) {
  return (type >= btMasterHeader && type <= btSubDetailFooter) || type == btGroupHeader || type == btGroupFooter ||
         type == btChild;
}

// Band types a page shown through a subreport cannot use.
bool BandChoiceOutsideSubreports(int type) {
  return type <= btPageFooter || (type >= btColumnHeader && type <= btGroupFooter);
}

bool CrossDataTakesBand(int type) {
  return type > btPageFooter && type != btOverlay && (type < btCrossHeader || type > btCrossFooter) && type < btNone;
}

} // namespace

bool rpIsSubreportPage(const TrpReport& report, int pageIndex) {
  for (int p = 0; p < report.Pages.Count(); ++p) {
    const TrpPage* page = report.Pages.GetPage(p);
    for (int i = 0; i < page->Count(); ++i)
      if (const auto* subreport = dynamic_cast<const TrpSubReportView*>(page->GetObject(i)))
        if (subreport->SubPage == pageIndex) return true;
  }
  return false;
}

QList<bool> rpOfferedBandTypes(const TrpPage& page, bool subreportPage) {
  QList<bool> offered(kBandTypeChoices, true);
  for (int i = 0; i < page.Count(); ++i)
    if (const auto* band = dynamic_cast<const TrpBandView*>(page.GetObject(i))) {
      const int type = band->GetBandType();
      if (type < kBandTypeChoices && !BandChoiceRepeats(type)) offered[type] = false;
    }
  if (subreportPage)
    for (int type = 0; type < kBandTypeChoices; ++type)
      if (BandChoiceOutsideSubreports(type)) offered[type] = false;
  return offered;
}

bool rpIsRecordCount(const QString& text) {
  return !text.isEmpty() && text.at(0) >= QLatin1Char('1') && text.at(0) <= QLatin1Char('9');
}

const TrpDataDictionary& TrpBandSourceList::DesignedDictionary() {
  static const TrpDataDictionary none;
  const TrpReport* report = rpDesignedReport();
  return report ? report->Dictionary : none;
}

TrpBandSourceList::TrpBandSourceList(const TrpDataDictionary& dictionary) : dictionary_(dictionary) {
  entries_ << rpLoadStr(55076) << rpLoadStr(55333) << dictionary.ListBandDataSources();
}

int TrpBandSourceList::PositionOf(const QString& text) const {
  if (rpIsRecordCount(text)) return Virtual;
  const QString alias = dictionary_.AliasOf(text);
  for (int position = Virtual + 1; position < entries_.size(); ++position)
    if (entries_.at(position).compare(alias, Qt::CaseInsensitive) == 0) return position;
  return None;
}

QString TrpBandSourceList::TextAt(int position, const QString& recordCount) const {
  if (position == Virtual) return recordCount;
  return dictionary_.DataSourceOfAlias(entries_.value(position, entries_.at(None)));
}

QList<TrpBandView*> rpCrossDataBands(const TrpPage& page) {
  QList<TrpBandView*> bands;
  for (int i = 0; i < page.Count(); ++i)
    if (auto* band = dynamic_cast<TrpBandView*>(page.GetObject(i)))
      if (CrossDataTakesBand(band->GetBandType())) bands.append(band);
  return bands;
}

TrpCrossDataSources::TrpCrossDataSources(const QString& text, const QStringList& bandNames) : names_(bandNames) {
  const bool entries = text.contains(QLatin1Char(';'));
  const QStringList parts = text.split(QLatin1Char(';'));
  for (const QString& name : names_) {
    // An empty text is no older single source: its bands have none yet.
    QString source = entries || text.isEmpty() ? QStringLiteral("0") : text;
    if (entries) {
      const QString key = name + QLatin1Char('=');
      for (const QString& part : parts)
        if (part.startsWith(key, Qt::CaseInsensitive)) {
          source = part.mid(key.size());
          break;
        }
    }
    sources_.append(source);
  }
}

QString TrpCrossDataSources::Text() const {
  QString text;
  for (int i = 0; i < names_.size(); ++i)
    text += names_.at(i) + QLatin1Char('=') + sources_.at(i) + QLatin1Char(';');
  return text;
}
