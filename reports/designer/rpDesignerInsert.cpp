#include "reports/designer/rpDesignerInsert.h"
#include "reports/designer/rpDesignerClipboard.h"
#include "reports/designer/rpInsertDefaults.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpSubReportView.h"
#include "reports/engine/rpUtils.h"

namespace {

constexpr int kAddInKind = 10;

} // namespace

QString rpBandNamePrefix(int bandType) {
  QString name = rpGlobals().BandNames.value(bandType);
  const int blank = name.indexOf(QLatin1Char(' '));
  if (blank >= 0) {
    name.remove(blank, 1);
    if (blank < name.size()) name[blank] = name.at(blank).toUpper();
  }
  return name;
}

std::unique_ptr<TrpView> rpNewToolObject(TrpReport& report, const TrpPage& page, int tool,
                                         const std::function<int()>& chooseBandType) {
  std::unique_ptr<TrpView> object;
  if (tool == TrpDesignerTool::Band) {
    const int type = chooseBandType ? chooseBandType() : -1;
    if (type < 0) return nullptr;
    object = rpNewObjectOfType(TrpDesignerTool::Band, QString());
    auto* band = static_cast<TrpBandView*>(object.get());
    band->SetBandType(type);
    band->NamePrefix = rpBandNamePrefix(type);
  } else if (tool == TrpDesignerTool::Subreport) {
    object = rpNewObjectOfType(TrpDesignerTool::Subreport, QString());
    report.Pages.Add();
    static_cast<TrpSubReportView*>(object.get())->SubPage = report.Pages.Count() - 1;
  } else if (tool >= TrpDesignerTool::FirstAddIn) {
    const QString className = rpAddInObjects().value(tool - TrpDesignerTool::FirstAddIn).ClassName;
    if (rpOnePerPageTaken(page, kAddInKind, className)) {
      rpGlobals().ErrorBox(rpLoadStr(55442).replace(QStringLiteral("%s"), className), rpLoadStr(55206));
      return nullptr;
    }
    object = rpNewObjectOfType(kAddInKind, className);
  } else {
    object = rpNewObjectOfType(tool, QString());
  }
  if (object) object->AssignFreeName();
  return object;
}

void rpApplyInsertDefaults(TrpView& object, const TrpInsertDefaults& defaults) {
  if (object.ObjectKind != kAddInKind) object.FrameWidth = defaults.FrameWidth;
  object.FrameColor = defaults.FrameColor;
  object.FillColor = defaults.FillColor;
  auto* text = dynamic_cast<TrpMemoView*>(&object);
  if (!text || object.ObjectKind != 0) return;
  object.FrameTyp = defaults.FrameType;
  text->Font.Name = defaults.FontName;
  text->Font.Size = defaults.FontSize;
  text->Font.Color = defaults.FontColor;
  text->Font.Style = rpSetFontStyle(defaults.FontStyle);
  text->Font.Charset = defaults.Charset;
  text->Alignment = defaults.Alignment;
}
