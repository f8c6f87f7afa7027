// The designer window's object inspector: filled from what the selection
// shares (or from the page), what is typed into it written back by the
// inspector's rules, and its place beside the window of database fields.
#include "reports/designer/rpDesignerForm.h"
#include "reports/designer/rpDesignerStatus.h"
#include "reports/designer/rpInsFieldsForm.h"
#include "reports/designer/rpInspForm.h"
#include "reports/designer/rpInspectorRules.h"
#include "reports/designer/rpSelectionProperties.h"
#include "reports/designer/rpToolWindowLayout.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include "reports/engine/ui/rpDock.h"
#include <QtCore/QScopeGuard>
#include <QtWidgets/QScrollArea>

namespace {

constexpr int kYesNoWarning = 4 | 48; // mb_YesNo | mb_IconWarning
constexpr int kInspectorAnswerYes = 6;

} // namespace

void TrpDesignerForm::CreateInspector() {
  inspector_ = new TrpInspForm(this);
  inspector_->SetSplitPos(settings_.InspectorSplitPos);
  inspector_->OnPropertyModified = [this](int index) { InspectedPropertyModified(index); };
  inspector_->OnObjectSelected = [this](const QString& name) { SelectObjectByName(name); };
  inspector_->OnGetObjectNames = [this](QStringList& names) {
    if (Page)
      for (int i = 0; i < Page->Count(); ++i)
        names << Page->GetObject(i)->Name;
    for (int i = 1; i <= report_.Pages.Count(); ++i)
      names << QStringLiteral("Page%1").arg(i);
  };
  inspector_->OnHeightChanged = [this](TrpInspForm*) { StackToolWindows(); };
  inspector_->move(geometry().right() - inspector_->width(), geometry().top() + 60);
  rpRestoreFormPosition(inspector_);
  if (settings_.InspectorVisible) inspector_->show();
}

void TrpDesignerForm::RefreshInspector() {
  if (!inspector_) return;
  inspector_->ClearProperties();
  inspected_.clear();
  inspector_->ObjectName.clear();
  const QList<TrpView*> selected = SelectedObjects();
  for (TrpView* object : selected)
    inspected_ << object;
  if (selected.size() == 1) inspector_->ObjectName = selected.first()->Name;
  if (selected.isEmpty() && Page) {
    inspected_ << Page;
    inspector_->ObjectName = QStringLiteral("Page%1").arg(currentPageIndex_ + 1);
  }
  const bool inUnits = Page && rpInspectorShowsUnits(*Page, settings_.Units);
  for (const TrpSelectionProperty& property : rpSelectionProperties(inspected_)) {
    const TrpPropRec& rec = property.Rec;
    if (inspected_.first() == Page && rec.Type == 0) continue; // the page's script-only properties
    QVariant value = rpEnumShownValue(rec, property.Value);
    quint16 type = rec.Type;
    if ((type & ptEditor) && !(type & ptText)) {
      // Edited only through its editor: the row names it instead of a value.
      value = QStringLiteral("(%1)").arg(rec.Name);
    } else if ((type & ptUnitLength) && inUnits) {
      if (!value.isNull()) value = rpPixelsToUnits(value.toDouble(), settings_.Units);
      type |= ptFloat;
    } else if ((type & ptUnitLength) && !(type & ptFloat)) {
      type |= ptInteger;
    }
    inspector_->AddProperty(TProp(rec.Name, value, type, rec.EnumNames, rec.EnumValues.toList(), rec.Editor));
  }
  inspector_->ItemsChanged();
}

void TrpDesignerForm::InspectedPropertyModified(int index) {
  if (inspected_.isEmpty() || !Page) return;
  const QString name = inspector_->Props().Row(index).Name;
  const TrpPropRec* rec = inspected_.first()->FindPropertyRec(name);
  try {
    QVariant value = rpInspectorValueToPixels(inspector_->GetPropValue(index), rec ? rec->Type : 0,
                                              rpInspectorShowsUnits(*Page, settings_.Units), settings_.Units);
    if (rec) value = rpEnumWrittenValue(*rec, inspected_.first()->ReadProperty(name.toUpper()), value);
    if (inspected_.first() == Page)
      WritePageProperty(name, value);
    else
      WriteObjectsProperty(name, value);
  } catch (const Exception& error) {
    // A text that does not convert changes nothing; the row shows the old value again.
    rpGlobals().ErrorBox(error.Message(), rpLoadStr(55206));
  }
  RefreshInspector();
  RedrawPage();
  UpdateTabs();
  if (fieldsWindow_) fieldsWindow_->RefreshData();
  UpdateStatus();
}

void TrpDesignerForm::WritePageProperty(const QString& name, const QVariant& value) {
  const QString key = name.toUpper();
  if (key == QLatin1String("TYPE")) {
    if (rpValueToInteger(value) == Page->PageType) return;
    // Objects of one kind of page do not belong on the other.
    if (Page->Count() > 0) {
      if (rpGlobals().MessageBox(rpLoadStr(55436), rpLoadStr(55437), kYesNoWarning) != kInspectorAnswerYes) return;
      selection_.Clear();
      Page->Clear();
      undo_.Clear();
    }
  }
  Page->WriteProperty(key, value);
  SetModified(true);
  Page->ApplyPaper(Page->PaperSize, Page->PaperWidth, Page->PaperHeight, Page->Bin, Page->Orientation);
  SetCurrentPage(currentPageIndex_);
}

void TrpDesignerForm::WriteObjectsProperty(const QString& name, const QVariant& value) {
  RecordStep(TrpUndoAction::Modify);
  const QString key = name.toUpper();
  for (TrpObject* object : std::as_const(inspected_)) {
    auto* view = static_cast<TrpView*>(object);
    if (key == QLatin1String("NAME"))
      rpRenameObject(report_, *view, rpValueToText(value)); // a taken name is not applied
    else if (rpInspectorMayWrite(*view, key))
      view->WriteProperty(key, value);
  }
}

void TrpDesignerForm::StackToolWindows() {
  if (stackingToolWindows_ || !inspector_ || !fieldsWindow_ || !inspector_->isVisible() || !fieldsWindow_->isVisible())
    return;
  stackingToolWindows_ = true;
  const auto done = qScopeGuard([this] { stackingToolWindows_ = false; });
  const QRect area(scrollBox_->mapToGlobal(QPoint(0, 0)), scrollBox_->size());
  const bool rolledUp = inspector_->height() < 20;
  const auto placement =
      rpStackToolWindows(inspector_->frameGeometry(), fieldsWindow_->frameGeometry(), area, rolledUp);
  if (!placement) return;
  fieldsWindow_->move(placement->Fields.topLeft());
  inspector_->move(placement->Inspector.topLeft());
  const int frame = inspector_->frameGeometry().height() - inspector_->height();
  if (!rolledUp) inspector_->resize(inspector_->width(), qMax(0, placement->Inspector.height() - frame));
}

void TrpDesignerForm::FormActivate() {
  // Window managers may stack the tool windows, shown while this window was
  // still being shown, beneath it; they belong above it.
  for (QWidget* tool : {static_cast<QWidget*>(inspector_), static_cast<QWidget*>(fieldsWindow_)})
    if (tool && tool->isVisible()) tool->raise();
}
