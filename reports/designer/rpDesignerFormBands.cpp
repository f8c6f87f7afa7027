// The designer window's band dialogs: the type of a band inserted with the
// band tool, and the editors of data, cross data and group header bands.
#include "reports/designer/rpBandChoices.h"
#include "reports/designer/rpBandEditorForm.h"
#include "reports/designer/rpBandTypesForm.h"
#include "reports/designer/rpDesignerForm.h"
#include "reports/designer/rpGroupEditorForm.h"
#include "reports/designer/rpVBandEditorForm.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpPage.h"

void TrpDesignerForm::CreateBandEditors() {
  mouseEditing_.ChooseBandType = [this] {
    if (!Page) return -1;
    return TrpBandTypesForm::ChooseBandType(*Page, rpIsSubreportPage(report_, currentPageIndex_));
  };
  // The inspector's DataSource of a data band and of a cross data band.
  SetPropertyEditor(QStringLiteral("DataSource"), [this](TrpObject*) {
    auto* band = dynamic_cast<TrpBandView*>(selection_.LastSelected());
    if (!band || !LastSelectedEditable()) return;
    if (EditBand(band) == mrOk) {
      RedrawPage();
      RefreshInspector();
    }
  });
}

int TrpDesignerForm::EditBand(TrpBandView* band) {
  std::unique_ptr<TrpObjEditorForm> editor;
  switch (band->GetBandType()) {
  case btMasterData:
  case btDetailData:
  case btSubDetailData:
    editor = std::make_unique<TrpBandEditorForm>(this);
    break;
  case btGroupHeader:
    editor = std::make_unique<TrpGroupEditorForm>(this);
    break;
  case btCrossData:
    editor = std::make_unique<TrpVBandEditorForm>(this);
    break;
  default:
    return mrNone; // other bands have no editor
  }
  return editor->ShowEditor(band);
}
