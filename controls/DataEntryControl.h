#pragma once
#include "core/Color.h"
#include <QtCore/QString>
#include <functional>

class QFocusEvent;
class QKeyEvent;
class QMouseEvent;
class QWidget;

// The contract every data-entry control of the kit shares (text edit, money
// edit, lookup combo, date, time, memo, check box): the state colours, Enter
// that moves on as Tab does, the check that runs when the user leaves the
// control (skipped when the focus goes to a Cancel push button), and
// read-only mode. A control derives from its Qt widget and from this class
// and wires it up as follows:
//
//   class TMyEdit : public QLineEdit, public TDataEntryControl {
//     TMyEdit(QWidget* p) : QLineEdit(p), TDataEntryControl(this) {}
//     bool ValidationFailed() override;            // true = refused
//     void focusInEvent(QFocusEvent* e) override {
//       QLineEdit::focusInEvent(e);
//       if (!BeginEnter()) return;                 // already entered (window reactivated, refocus)
//       RememberColor(); SetColor(FocusColorByRequired()); selectAll(); emit OnEnter();
//     }
//     void focusOutEvent(QFocusEvent* e) override {
//       QLineEdit::focusOutEvent(e);
//       if (!BeginLeave(e)) return;                // window deactivation, pop-ups
//       SetColor(RememberedColor());
//       if (LeaveCheck() == TLeaveResult::Passed) emit OnExit();
//     }
//     void keyPressEvent(QKeyEvent* e) override {
//       if (IsPlainEnter(e)) { emit OnClickEnter(); MoveToNextControl(); return; }
//       ...
//     }
//   };
//
// ValidationFailed shows its refusal with ShowRefusal(), which takes the
// focus back, paints the control red with a white font while the message is
// shown (numbered messages: ShowKitNumberedError in controls/KitMessages.h),
// and restores the colours. The Required writer stores the flag with
// SetRequiredFlag and sets SetColor(StateColor(TColorOrder::FocusFirst)); the
// ReadOnly writer uses SetReadOnlyFlag, drops the tab stop (Qt::ClickFocus)
// and sets SetColor(StateColor(TColorOrder::ReadOnlyFirst)). A control that
// checks before it moves on (the money edit's Enter) holds a TSkipChecks
// while it moves, so that the leaving does not check twice. Colours are
// TColor values ($00BBGGRR or system colours) applied to the widget's palette
// (Base/Window background, Text/WindowText/ButtonText font).
class TDataEntryControl {
public:
  static constexpr TColor FocusColor = clAqua;                   // $FFFF00
  static constexpr TColor FocusRequiredColor = TColor(0xFFD900); // RGB 0, 217, 255
  static constexpr TColor ErrorColor = clRed;                    // $0000FF
  static constexpr TColor ErrorFontColor = clWhite;
  // The height of every single-line entry (text, number, date, time, combo).
  static constexpr int EntryHeight = 21;
  // The width of an entry's built-in button (lookup, calendar).
  static constexpr int EntryButtonWidth = 16;

  enum class TLeaveResult { Passed, Refused, Skipped };
  // Which test decides first when both apply (read-only writers test
  // read-only first, the other writers the focus first).
  enum class TColorOrder { ReadOnlyFirst, FocusFirst };

  virtual ~TDataEntryControl();
  TDataEntryControl(const TDataEntryControl&) = delete;
  TDataEntryControl& operator=(const TDataEntryControl&) = delete;

  // True when the current value is not acceptable; before returning true the
  // control has shown its message and holds the focus.
  virtual bool ValidationFailed() = 0;

  bool Required() const { return required_; }
  bool ReadOnly() const { return readOnly_; }
  QWidget* Control() const { return control_; }

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor color);

  // $FFD900 when Required, else $FFFF00.
  TColor FocusColorByRequired() const;
  // The colour of an unfocused, writable control: clYellow when Required,
  // else clWindow (controls may add their own, e.g. the money colour).
  virtual TColor UnfocusedColor() const;
  // clBtnFace when read-only, the focus colour when focused, else the
  // unfocused colour; `order` says which of the first two wins.
  TColor StateColor(TColorOrder order) const;

  // Whether the control can take the focus: visible, enabled, in a visible
  // and enabled window, and accepting focus.
  bool CanFocus() const;
  // The caption the user reads beside the control: the label whose buddy it
  // is, else the label of its row of a form layout, without the accelerator
  // and the colon; empty when it has none.
  QString FieldCaption() const;

  // Takes the focus back (unless the control has it), paints red/white, runs
  // `show` (the message), and puts the colours of before back.
  void ShowRefusal(const std::function<void()>& show);
  // Red/white while `show` runs, then the colours of before, without moving
  // the focus.
  void WithErrorColors(const std::function<void()>& show);

  // Call first in focusInEvent: true when the user enters the control, false
  // when it only gets the focus back (its window was reactivated, or a
  // refusal took the focus back): the entering steps must not run again then.
  // Entering also ends the focus look of the controls and buttons of the
  // window that the focus left unseen (EndUnseenFocus).
  bool BeginEnter();
  // Qt tells only the new focus widget when an inactive window is activated
  // again, never the widget the program moved the focus away from meanwhile
  // (after a picker, between two passes of a dialog): every other data-entry
  // control and push button of `focused`'s window that still shows the focus
  // takes its unfocused look.
  static void EndUnseenFocus(const QWidget* focused);
  // Call first in focusOutEvent: true when the user leaves the control (the
  // focus moves within the window, or the window is closing), false for a
  // window deactivation, a pop-up, or a control that was never entered.
  bool BeginLeave(const QFocusEvent* event);
  // True while the focus is in a pop-up window this control owns.
  bool FocusInOwnPopup() const;
  void RememberColor() { remembered_ = color_; }
  // A click that brings the focus into a number, date or time field keeps
  // the whole text that entering selected, so that typing replaces it: these
  // fields refuse keys at a caret that the click put behind their last place.
  // Call NoteEntryClick when the control is entered, and TakeEntryClick
  // first in mousePressEvent (true: the press is used up).
  void NoteEntryClick(const QFocusEvent* event);
  bool TakeEntryClick(QMouseEvent* event);
  TColor RememberedColor() const { return remembered_; }

  // True when the focus goes to a push button of the kit whose Cancel
  // property is set: the leaving check is skipped then.
  static bool BypassesCheck(const QWidget* newFocus);
  // The leaving check: Skipped (Cancel button; the caller fires nothing),
  // Refused (the control has the focus back in its focus colour) or Passed
  // (the caller fires OnExit). When the focus went nowhere in the window, the
  // control takes it back, or says "nie je mozne nastavit fokus" when it
  // cannot.
  TLeaveResult LeaveCheck();
  // Leaving checks of all kit controls are skipped while a guard lives (the
  // money edit's Enter has already checked before it moves on).
  class TSkipChecks {
  public:
    TSkipChecks();
    ~TSkipChecks();
    TSkipChecks(const TSkipChecks&) = delete;
    TSkipChecks& operator=(const TSkipChecks&) = delete;
  };
  static bool ChecksSkipped();

  // Enter without modifiers / Ctrl+Enter (either Enter key).
  static bool IsPlainEnter(const QKeyEvent* event);
  static bool IsCtrlEnter(const QKeyEvent* event);
  // Moves the focus to the next control in tab order, as Tab does (which
  // runs this control's leaving check).
  void MoveToNextControl();

protected:
  explicit TDataEntryControl(QWidget* control);
  // The focus left this control while its window was inactive (the program
  // moved it after a picker or between two passes of a dialog), so no
  // focus-out came: the control takes its unfocused look. No check runs, as
  // the user did not leave it; the form's check before saving still does.
  virtual void LeftUnseen();
  // A text holding a character that cannot be stored (the database and the
  // files keep code page 1250) is refused with ShowRefusal: the message names
  // the field and the character as typed. True when refused.
  bool RefusesUnstorableText(QStringView text);
  void SetRequiredFlag(bool on) { required_ = on; }
  void SetReadOnlyFlag(bool on) { readOnly_ = on; }
  void TakeFocusBack();

private:
  void ApplyPalette();
  void RecoverLostFocus();

  QWidget* control_;
  TColor color_ = clWindow;
  TColor fontColor_ = clWindowText;
  TColor remembered_ = clWindow;
  bool required_ = false;
  bool readOnly_ = false;
  bool refocusing_ = false;
  bool entered_ = false;
  bool entryClick_ = false;
};
