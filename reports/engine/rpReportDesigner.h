#pragma once
#include <QtCore/QList>
#include <QtCore/QString>

class TrpPage;
class TrpView;

// What report objects and their editors ask of the open designer window.
// The designer derives its window from this interface and installs it with
// rpSetCurrentDesigner while it is open; every operation of the base does
// nothing, and the choosers answer an empty text (nothing to insert).
class TrpReportDesigner {
public:
  virtual ~TrpReportDesigner() = default;

  virtual bool GetModified() const { return false; }
  // True marks the report as changed.
  virtual void SetModified(bool modified) {}
  // Records an undo step before an object is changed.
  virtual void BeforeChange() {}
  // Redraws the page and refreshes the inspector after a change.
  virtual void AfterChange() {}
  virtual void RedrawPage() {}
  virtual void SelectObject(TrpView* object) {}
  // Show their choosers and return the text to insert; empty when nothing was chosen.
  virtual QString InsertDBField() { return {}; }
  virtual QString InsertExpression() { return {}; }
  virtual bool IsVisible() const { return true; }
  // The pages of the report being designed are about to be freed: the
  // selection, the inspector and every view let go of their objects first.
  virtual void ReleasePages() {}

  // The objects of Page selected in the designer, in page order.
  QList<TrpView*> SelectedObjects() const;

  TrpPage* Page = nullptr; // the page being edited
  bool EditingTemplate = true;
};

// The open designer, or null while none is open.
TrpReportDesigner* rpCurrentDesigner();
void rpSetCurrentDesigner(TrpReportDesigner* designer);

// Restriction bits: the object's contents may not be edited; its properties
// may not be changed by the designer; it may not be resized, moved, deleted.
constexpr quint16 rrContents = 4;
constexpr quint16 rrModify = 8;
constexpr quint16 rrSize = 16;
constexpr quint16 rrMove = 32;
constexpr quint16 rrDelete = 64;

// Sets or clears a Flags bit on every selected object of the designer's page
// that may be modified, between the designer's before-change and
// after-change operations; nothing without a designer.
void rpSetFlagOfSelection(quint16 bit, bool set);
