// The designer window's editing: the workspace's mouse, the palette, the
// selection commands, the object clipboard, undo and redo, arranging, the
// keys and the preview.
#include "core/Exception.h"
#include "reports/designer/rpDesigner.h"
#include "reports/designer/rpDesignerArrange.h"
#include "reports/designer/rpDesignerClipboard.h"
#include "reports/designer/rpDesignerForm.h"
#include "reports/designer/rpDesignerGrid.h"
#include "reports/designer/rpDesignerInsert.h"
#include "reports/designer/rpDesignerPage.h"
#include "reports/designer/rpInsFieldsForm.h"
#include "reports/engine/rpCompositeReport.h"
#include "reports/engine/rpControl.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpDock.h"
#include <QtGui/QKeyEvent>
#include <QtWidgets/QAbstractSpinBox>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>

namespace {

// The palette's buttons with their tools.
constexpr std::pair<const char*, int> kPaletteTools[] = {
    {"OB1", TrpDesignerTool::Select}, {"OB2", TrpDesignerTool::Text},      {"OB4", TrpDesignerTool::Picture},
    {"OB3", TrpDesignerTool::Band},   {"OB5", TrpDesignerTool::Subreport}, {"OB6", TrpDesignerTool::Line}};

// Keys typed into a text box belong to it, not to the page.
bool EditsText(const QWidget* focus) {
  return qobject_cast<const QLineEdit*>(focus) || qobject_cast<const QComboBox*>(focus) ||
         qobject_cast<const QAbstractSpinBox*>(focus);
}

} // namespace

void TrpDesignerForm::ConnectEditing() {
  workspace_->SetMouse(&mouseEditing_);
  mouseEditing_.Report = &report_;
  mouseEditing_.RecordUndo = [this](TrpUndoAction action) { RecordStep(action); };
  mouseEditing_.SelectionChanged = [this] { FollowSelection(); };
  mouseEditing_.ObjectsChanged = [this] {
    UpdateStatus();
    RefreshInspector(); // the moved or resized objects' Left, Height ...
    RedrawPage();
  };
  mouseEditing_.EditObject = [this](TrpView*) { EditObject(); };
  mouseEditing_.DoubleClicked = [this](bool withCtrl) { WorkspaceDoubleClicked(selection_.LastSelected(), withCtrl); };
  mouseEditing_.ContextMenu = [this](QPoint point) { ShowContextMenu(workspace_->mapToGlobal(point)); };
  mouseEditing_.ToolChanged = [this](int tool) {
    for (const auto& [name, tag] : kPaletteTools)
      if (tag == tool)
        if (auto* button = qobject_cast<TrpSpeedButton*>(controls_.value(QString::fromLatin1(name))))
          button->SetDown(true);
  };
  mouseEditing_.PagesChanged = [this] { UpdateTabs(); };
  workspace_->OnAutoScroll = [this](QPoint point) { ScrollTowardMouse(point); };
  workspace_->AcceptsFieldDrag = [this](QObject* source) { return fieldsWindow_ && source == fieldsWindow_->FieldsLB; };
  workspace_->OnFieldDropped = [this](QPoint) {
    if (!fieldsWindow_ || fieldsWindow_->DBField().isEmpty()) return;
    mouseEditing_.Drop(fieldsWindow_->DBField());
    RedrawPage();
  };
  ConnectPalette();

  SetCommandHandler(QStringLiteral("Undo"), [this] { Undo(); });
  SetCommandHandler(QStringLiteral("Redo"), [this] { Redo(); });
  SetCommandHandler(QStringLiteral("Cut"), [this] { CutSelection(); });
  SetCommandHandler(QStringLiteral("Copy"), [this] { CopySelection(); });
  SetCommandHandler(QStringLiteral("Paste"), [this] { PasteObjects(); });
  SetCommandHandler(QStringLiteral("Delete"), [this] { DeleteSelection(); });
  SetCommandHandler(QStringLiteral("SelectAll"), [this] { SelectAll(); });
  SetCommandHandler(QStringLiteral("BringToFront"),
                    [this] { ArrangeSelection(TrpUndoAction::Reorder, [this] { rpBringToFront(*Page); }); });
  SetCommandHandler(QStringLiteral("SendToBack"),
                    [this] { ArrangeSelection(TrpUndoAction::Reorder, [this] { rpSendToBack(*Page); }); });
  SetCommandHandler(QStringLiteral("FitToGrid"), [this] {
    ArrangeSelection(TrpUndoAction::Modify, [this] { rpFitToGrid(*Page, settings_.GridSize); });
  });
  SetCommandHandler(QStringLiteral("Preview"), [this] { Preview(); });
  for (int i = 1; i <= 10; ++i) {
    auto* button = qobject_cast<TrpSpeedButton*>(controls_.value(QStringLiteral("Align%1").arg(i)));
    if (!button) continue;
    connect(button, &TrpSpeedButton::clicked, this, [this, i] {
      if (!Page || !rpAlignmentApplies(selection_, i)) return;
      ArrangeSelection(TrpUndoAction::Modify,
                       [this, i] { rpAlignSelection(*Page, selection_, i, workspace_->size()); });
    });
  }
}

void TrpDesignerForm::ConnectPalette() {
  for (const auto& [name, tool] : kPaletteTools)
    if (auto* button = qobject_cast<TrpSpeedButton*>(controls_.value(QString::fromLatin1(name)))) {
      const int tag = tool;
      connect(button, &TrpSpeedButton::clicked, this, [this, tag] { SelectTool(tag); });
    }
  for (int i = 0; i < rpAddInObjects().size(); ++i)
    if (auto* button = qobject_cast<TrpSpeedButton*>(controls_.value(QStringLiteral("AddIn%1").arg(10 + i)))) {
      const int tag = TrpDesignerTool::FirstAddIn + i;
      connect(button, &TrpSpeedButton::clicked, this, [this, tag] { SelectTool(tag); });
    }
}

void TrpDesignerForm::ScrollTowardMouse(QPoint point) {
  if (pageForm_) return; // a dialog page has its own window, not the scroll box
  const QRect visible(workspace_->mapFrom(scrollBox_->viewport(), QPoint(0, 0)), scrollBox_->viewport()->size());
  const QPoint distance = rpAutoScrollDistance(point, visible);
  QScrollBar* across = scrollBox_->horizontalScrollBar();
  QScrollBar* down = scrollBox_->verticalScrollBar();
  const int x = across->value(), y = down->value();
  across->setValue(x + distance.x());
  down->setValue(y + distance.y());
  if (across->value() != x || down->value() != y) RedrawPage();
}

void TrpDesignerForm::SelectTool(int tool) {
  mouseEditing_.SetTool(tool, QApplication::keyboardModifiers() & Qt::ShiftModifier);
  workspace_->unsetCursor();
}

// --- undo

void TrpDesignerForm::BeforeChange() { RecordStep(TrpUndoAction::Modify); }

void TrpDesignerForm::RecordStep(TrpUndoAction action) {
  if (!Page) return;
  RecordStep(action, TrpDesignerUndo::StepObjects(*Page, action));
}

void TrpDesignerForm::RecordStep(TrpUndoAction action, const QList<TrpView*>& objects) {
  if (!settings_.DisableUndo) {
    undo_.Record(action, currentPageIndex_, objects);
    // A data set or database on a dialog page changes what the window of fields offers.
    for (const TrpView* object : objects)
      if (dynamic_cast<const TrpNonVisualControl*>(object) && fieldsWindow_) {
        fieldsWindow_->RefreshData();
        break;
      }
  }
  SetModified(true);
}

void TrpDesignerForm::Undo() {
  if (Page && undo_.Undo(*Page, currentPageIndex_)) AfterUndo();
}

void TrpDesignerForm::Redo() {
  if (Page && undo_.Redo(*Page, currentPageIndex_)) AfterUndo();
}

void TrpDesignerForm::AfterUndo() {
  selection_.Clear();
  SetModified(true);
  UpdateTabs();
  FollowSelection();
  RedrawPage();
}

// --- selection commands and the clipboard

void TrpDesignerForm::SelectAll() {
  if (!Page) return;
  for (int i = 0; i < Page->Count(); ++i)
    Page->GetObject(i)->IsSelected = 1;
  selection_.SetSingleSelected(Page->Count() == 1 ? Page->GetObject(0) : nullptr);
  selection_.ComputeMultipleSelection();
  FollowSelection();
  RedrawPage();
}

void TrpDesignerForm::DeleteSelection() {
  if (!Page) return;
  // Objects protected from deletion stay, so the step holds only the others.
  RecordStep(TrpUndoAction::Delete, rpDeletableSelection(*Page));
  rpDeleteSelection(*Page);
  selection_.Clear();
  UpdateTabs();
  FollowSelection();
  RedrawPage();
}

void TrpDesignerForm::CopySelection() {
  if (!Page) return;
  rpObjectClipboard().Copy(*Page);
  UpdateEnabling();
}

void TrpDesignerForm::CutSelection() {
  if (!Page) return;
  RecordStep(TrpUndoAction::Delete, rpDeletableSelection(*Page));
  rpObjectClipboard().Copy(*Page);
  rpDeleteSelection(*Page);
  selection_.Clear();
  UpdateTabs();
  FollowSelection();
  RedrawPage();
}

void TrpDesignerForm::PasteObjects() {
  if (!Page || rpObjectClipboard().IsEmpty()) return;
  // Pasted objects go to the visible part of a workspace scrolled away from its origin.
  const QPoint origin = workspace_->mapTo(scrollBox_->viewport(), QPoint(0, 0));
  const QPoint scrolled(qMax(0, -origin.x()), qMax(0, -origin.y()));
  rpObjectClipboard().Paste(report_, *Page, scrolled, settings_.GridSize);
  selection_.SetSingleSelected(selection_.Count() == 1 ? selection_.LastSelected() : nullptr);
  selection_.ComputeMultipleSelection();
  UpdateTabs();
  FollowSelection();
  RedrawPage();
  RecordStep(TrpUndoAction::Insert);
}

void TrpDesignerForm::ArrangeSelection(TrpUndoAction action, const std::function<void()>& change) {
  if (!Page) return;
  RecordStep(action);
  change();
  selection_.ComputeMultipleSelection();
  RefreshInspector();
  UpdateStatus();
  RedrawPage();
}

// --- keys

bool TrpDesignerForm::EditingKey(QKeyEvent* event) {
  const int key = event->key();
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  const bool typing = EditsText(QApplication::focusWidget());
  const int count = selection_.Count();
  if (key == Qt::Key_Escape) {
    if (!mouseEditing_.ButtonDown()) {
      mouseEditing_.Escape();
      FollowSelection();
      RedrawPage();
    }
    return true; // the designer is no dialog that Esc closes
  }
  if (typing) return false;
  if (key == Qt::Key_F11 && inspector_) {
    inspector_->show();
    inspector_->raise();
    return true;
  }
  if (key == Qt::Key_Insert && modifiers == Qt::NoModifier && Page && Page->PageType == 0) {
    ShowFieldsWindow(true);
    return true;
  }
  if (key == Qt::Key_Delete && !(modifiers & Qt::ShiftModifier) && count > 0) {
    DeleteSelection();
    return true;
  }
  if (key == Qt::Key_G && modifiers == Qt::ControlModifier) {
    RunCommand(QStringLiteral("ShowGrid"));
    UpdateEnabling();
    return true;
  }
  if (key == Qt::Key_Delete && modifiers == Qt::ShiftModifier && count > 0) {
    CutSelection();
    return true;
  }
  if (key == Qt::Key_Insert && modifiers == Qt::ControlModifier && count > 0) {
    CopySelection();
    return true;
  }
  if (key == Qt::Key_Insert && modifiers == Qt::ShiftModifier && !rpObjectClipboard().IsEmpty()) {
    PasteObjects();
    return true;
  }
  if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
    QScrollBar* bar = scrollBox_->verticalScrollBar();
    bar->setValue(bar->value() + (key == Qt::Key_PageUp ? -200 : 200));
    return true;
  }
  const int dx = key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
  const int dy = key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0;
  if ((dx || dy) && count > 0) {
    ArrowKey(dx, dy, modifiers);
    return true;
  }
  return false;
}

void TrpDesignerForm::ArrowKey(int dx, int dy, Qt::KeyboardModifiers modifiers) {
  if (modifiers & (Qt::ControlModifier | Qt::ShiftModifier)) {
    RecordStep(TrpUndoAction::Modify);
    rpNudgeSelection(*Page, dx, dy, !(modifiers & Qt::ControlModifier));
    UpdateStatus();
    selection_.ComputeMultipleSelection();
    RefreshInspector();
    RedrawPage();
    return;
  }
  if (selection_.Count() != 1) return;
  TrpView* from = selection_.LastSelected();
  TrpView* neighbour = rpArrowNeighbour(*Page, *from, dx, dy);
  if (!neighbour) return;
  if (modifiers & Qt::AltModifier) {
    // Placing is a change like any other: it can be undone and closing asks to save it.
    RecordStep(TrpUndoAction::Modify);
    rpPlaceAgainst(*from, *neighbour, dx, dy);
  } else {
    selection_.SelectOnly(neighbour);
  }
  FollowSelection();
  RedrawPage();
}

// --- preview

void TrpDesignerForm::Preview() {
  if (!EditingTemplate || dynamic_cast<TrpCompositeReport*>(&report_)) return;
  const bool modalPreview = report_.ModalPreview;
  report_.ModalPreview = true;
  QCoreApplication::processEvents();
  selection_.Clear();
  RedrawPage();
  const int shownPage = currentPageIndex_;
  Page = nullptr;
  workspace_->DrawingDisabled = true;
  if (inspector_) inspector_->ClearProperties();
  try {
    if (report_.BuildPreparedPages()) report_.ShowPreview();
  } catch (const Exception& error) {
    rpGlobals().ErrorBox(error.Message(), rpLoadStr(55206));
  }
  // Whatever the build did, the designer comes back as it was.
  report_.ModalPreview = modalPreview;
  workspace_->DrawingDisabled = false;
  rpRun().CurrentReport = &report_;
  rpSetCurrentDesigner(this);
  SetCurrentPage(qBound(0, shownPage, report_.Pages.Count() - 1));
  FollowSelection();
  if (TrpDesigner* designer = TrpDesigner::Instance(); designer && designer->OnShow) designer->OnShow(this);
  activateWindow();
  workspace_->unsetCursor();
}
