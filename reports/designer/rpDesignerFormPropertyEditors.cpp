// The editors the inspector's ellipsis buttons and the engine's objects open
// through the designer for a property: tag, restrictions, highlight, data
// field, font and display format.
#include "reports/designer/rpAttrEditorForm.h"
#include "reports/designer/rpDesignerForm.h"
#include "reports/designer/rpRestrictionsForm.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/ui/rpFmtForm.h"

void TrpDesignerForm::CreatePropertyEditors() {
  SetPropertyEditor(QStringLiteral("Tag"), [this](TrpObject* object) {
    if (TrpAttrEditorForm::EditTag(dynamic_cast<TrpView*>(object)) == mrOk) RefreshInspector();
  });
  SetPropertyEditor(QStringLiteral("Restrictions"), [this](TrpObject*) {
    if (TrpRestrictionsForm::EditSelection(*this) == mrOk) RefreshInspector();
  });
  SetPropertyEditor(QStringLiteral("Highlight"), [this](TrpObject*) { OpenHighlightEditor(); });
  SetPropertyEditor(QStringLiteral("Font"), [this](TrpObject*) { OpenFontEditor(); });
  SetPropertyEditor(QStringLiteral("DataField"), [this](TrpObject*) { ChooseDataField(); });
  SetPropertyEditor(QStringLiteral("DisplayFormat"), [this](TrpObject*) { EditDisplayFormat(); });
}

bool TrpDesignerForm::LastSelectedEditable() const {
  const TrpView* object = selection_.LastSelected();
  return object && !(object->Restrictions & rrContents);
}

void TrpDesignerForm::ChooseDataField() {
  if (!LastSelectedEditable()) return;
  const QString field = InsertDBField();
  if (field.isEmpty()) return;
  BeforeChange();
  selection_.LastSelected()->WriteProperty(QStringLiteral("DATAFIELD"), field);
  AfterChange();
  RefreshInspector();
}

void TrpDesignerForm::EditDisplayFormat() {
  if (!LastSelectedEditable()) return;
  QList<TrpMemoView*> texts;
  for (TrpView* object : SelectedObjects())
    if (auto* text = dynamic_cast<TrpMemoView*>(object)) texts << text;
  QList<std::pair<qint32, QString>> before;
  for (const TrpMemoView* text : texts)
    before.append({text->DisplayFormatCode, text->DisplayFormatText});
  if (!rpEditDisplayFormat(SelectedObjects(), this)) return;
  // The dialog changed the objects itself; the undo step needs them as they were.
  const qint32 code = texts.first()->DisplayFormatCode;
  const QString format = texts.first()->DisplayFormatText;
  for (int i = 0; i < texts.size(); ++i)
    std::tie(texts[i]->DisplayFormatCode, texts[i]->DisplayFormatText) = before.at(i);
  BeforeChange();
  for (TrpMemoView* text : texts) {
    text->DisplayFormatCode = code;
    text->DisplayFormatText = format;
  }
  AfterChange();
  RefreshInspector();
}
