#include "reports/templates/TemplateDescription.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpSubReportView.h"
#include <QtCore/QFile>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QStringList>

namespace {

constexpr int kFirstBandTop = 20;
// Room between bands, so that no object's corner lies on two bands.
constexpr int kBandGap = 10;
// Objects lie 8 mm from the paper's left edge, beyond what printers cannot
// reach; an A4 page is 757 report units (91.6 per inch) wide.
constexpr int kBandLeft = 28;
constexpr int kPortraitBandWidth = 704, kLandscapeBandWidth = 1010;

[[noreturn]] void Fail(const QString& what) { throw ETemplateDescriptionError(what); }

int BandKind(const QString& name) {
  static const QStringList kinds{
      QStringLiteral("ReportTitle"),     QStringLiteral("ReportSummary"),   QStringLiteral("PageHeader"),
      QStringLiteral("PageFooter"),      QStringLiteral("MasterHeader"),    QStringLiteral("MasterData"),
      QStringLiteral("MasterFooter"),    QStringLiteral("DetailHeader"),    QStringLiteral("DetailData"),
      QStringLiteral("DetailFooter"),    QStringLiteral("SubDetailHeader"), QStringLiteral("SubDetailData"),
      QStringLiteral("SubDetailFooter"), QStringLiteral("Overlay"),         QStringLiteral("ColumnHeader"),
      QStringLiteral("ColumnFooter"),    QStringLiteral("GroupHeader"),     QStringLiteral("GroupFooter")};
  const int kind = int(kinds.indexOf(name));
  if (kind < 0) Fail(QStringLiteral("unknown band \"%1\"").arg(name));
  return kind;
}

quint16 BandFlag(const QString& name) {
  static const std::pair<const char*, quint16> flags[] = {{"Stretched", bfStretched},
                                                          {"NewPage", bfFormNewPage},
                                                          {"PrintIfSubsetEmpty", bfPrintIfSubsetEmpty},
                                                          {"Breaked", bfBreaked},
                                                          {"RepeatHeader", bfRepeatHeader}};
  for (const auto& [flagName, bit] : flags)
    if (name == QLatin1String(flagName)) return bit;
  Fail(QStringLiteral("unknown band flag \"%1\"").arg(name));
}

int Alignment(const QString& name) {
  static const QStringList names{QStringLiteral("left"), QStringLiteral("right"), QStringLiteral("center"),
                                 QStringLiteral("justify")};
  const int align = int(names.indexOf(name.isEmpty() ? QStringLiteral("left") : name));
  if (align < 0) Fail(QStringLiteral("unknown alignment \"%1\"").arg(name));
  return align;
}

quint16 FrameSides(const QString& sides) {
  quint16 frame = 0;
  for (QChar side : sides) {
    switch (side.unicode()) {
    case 'r':
      frame |= 1;
      break;
    case 'b':
      frame |= 2;
      break;
    case 'l':
      frame |= 4;
      break;
    case 't':
      frame |= 8;
      break;
    default:
      Fail(QStringLiteral("unknown frame side '%1'").arg(side));
    }
  }
  return frame;
}

int RequiredInt(const QJsonObject& object, const char* key) {
  const QJsonValue value = object.value(QLatin1String(key));
  if (!value.isDouble()) Fail(QStringLiteral("\"%1\" must be a number").arg(QLatin1String(key)));
  return value.toInt();
}

std::unique_ptr<TrpMemoView> Text(const QJsonObject& t, int bandTop, const TrpFont& defaultFont) {
  auto memo = std::make_unique<TrpMemoView>();
  memo->SetBounds(kBandLeft + RequiredInt(t, "x"), bandTop + RequiredInt(t, "y"), RequiredInt(t, "w"),
                  RequiredInt(t, "h"));
  const QJsonValue text = t.value(QLatin1String("text"));
  if (text.isArray()) {
    for (const QJsonValue line : text.toArray())
      memo->Memo.append(line.toString());
  } else if (text.isString()) {
    memo->Memo = QStringList(text.toString());
  } else {
    Fail(QStringLiteral("a text object needs \"text\""));
  }
  memo->Font = defaultFont;
  memo->Font.Size = t.value(QLatin1String("size")).toInt(defaultFont.Size);
  memo->Font.Style.Bold = t.value(QLatin1String("bold")).toBool();
  memo->Font.Style.Italic = t.value(QLatin1String("italic")).toBool();
  memo->Alignment = Alignment(t.value(QLatin1String("align")).toString());
  memo->FrameTyp = FrameSides(t.value(QLatin1String("frame")).toString());
  // A line that must not break (a name on a label) is cut at the object's edge instead.
  memo->Flags = t.value(QLatin1String("wrap")).toBool(true) ? mfWordWrap : 0;
  if (t.value(QLatin1String("stretch")).toBool()) memo->Flags |= mfStretched;
  if (t.value(QLatin1String("hideZeros")).toBool()) memo->Flags |= mfHideZeros;
  return memo;
}

// Stacks the bands of one template page from the top, each with its objects.
void AddBands(TrpPage& page, const QJsonArray& bands, const TrpFont& font, const QString& prefix) {
  const int bandWidth = page.Orientation == 1 ? kLandscapeBandWidth : kPortraitBandWidth;
  int top = kFirstBandTop;
  int bandNumber = 0;
  for (const QJsonValue bandValue : bands) {
    const QJsonObject b = bandValue.toObject();
    auto band = std::make_unique<TrpBandView>();
    band->Name = QStringLiteral("%1Band%2").arg(prefix).arg(++bandNumber);
    band->SetBandType(BandKind(b.value(QLatin1String("band")).toString()));
    const int height = RequiredInt(b, "height");
    band->SetBounds(kBandLeft, top, bandWidth, height);
    band->DisplayFormatText = b.value(QLatin1String("source")).toString();
    for (const QJsonValue flag : b.value(QLatin1String("flags")).toArray())
      band->Flags |= BandFlag(flag.toString());
    band->Columns = b.value(QLatin1String("columns")).toInt(1);
    band->ColumnWidth = b.value(QLatin1String("columnWidth")).toInt(band->ColumnWidth);
    band->ColumnGap = b.value(QLatin1String("columnGap")).toInt(band->ColumnGap);
    for (const QJsonValue line : b.value(QLatin1String("script")).toArray())
      band->Script.append(line.toString());
    page.Add(std::move(band));
    int objectNumber = 0;
    for (const QJsonValue objectValue : b.value(QLatin1String("texts")).toArray()) {
      const QJsonObject o = objectValue.toObject();
      std::unique_ptr<TrpView> object;
      if (o.contains(QLatin1String("subreport"))) {
        auto sub = std::make_unique<TrpSubReportView>();
        sub->SubPage = RequiredInt(o, "subreport");
        sub->SetBounds(kBandLeft + RequiredInt(o, "x"), top + RequiredInt(o, "y"), RequiredInt(o, "w"),
                       RequiredInt(o, "h"));
        object = std::move(sub);
      } else {
        object = Text(o, top, font);
      }
      object->Name = QStringLiteral("%1Band%2Object%3").arg(prefix).arg(bandNumber).arg(++objectNumber);
      if (object->Top + object->Height > top + height)
        Fail(QStringLiteral("%1 reaches below its band").arg(object->Name));
      page.Add(std::move(object));
    }
    top += height + kBandGap;
  }
  if (bandNumber == 0) Fail(QStringLiteral("a page without bands"));
}

} // namespace

void rpBuildFromDescription(const QByteArray& json, TrpReport& report) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(json, &error);
  if (error.error != QJsonParseError::NoError)
    Fail(QStringLiteral("JSON at %1: %2").arg(error.offset).arg(error.errorString()));
  const QJsonObject root = document.object();

  report.ClearTemplate();
  report.Info.Comment = root.value(QLatin1String("comment")).toString();
  report.DoublePassReport = true;
  TrpFont font;
  font.Charset = rpGlobals().DefaultCharset;
  const QJsonObject fontObject = root.value(QLatin1String("font")).toObject();
  font.Name = fontObject.value(QLatin1String("name")).toString(font.Name);
  font.Size = fontObject.value(QLatin1String("size")).toInt(font.Size);

  TrpPage* page = report.Pages.Count() > 0 ? report.Pages.GetPage(0) : report.Pages.Add();
  if (root.value(QLatin1String("orientation")).toString() == QLatin1String("landscape"))
    page->ApplyPaper(page->PaperSize, page->PaperWidth, page->PaperHeight, page->Bin, 1);
  AddBands(*page, root.value(QLatin1String("bands")).toArray(), font, QString());
  // Pages that subreports print in their place, numbered from 1.
  int subPage = 0;
  for (const QJsonValue bands : root.value(QLatin1String("subpages")).toArray())
    AddBands(*report.Pages.Add(), bands.toArray(), font, QStringLiteral("Sub%1").arg(++subPage));
}

void rpMakeTemplateFile(const QString& descriptionPath, const QString& templatePath) {
  QFile file(descriptionPath);
  if (!file.open(QIODevice::ReadOnly)) Fail(QStringLiteral("cannot read %1").arg(descriptionPath));
  TrpReport report;
  rpBuildFromDescription(file.readAll(), report);
  report.SaveToFile(templatePath);
}
