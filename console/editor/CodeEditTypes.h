#pragma once
#include <QtCore/QtGlobal>

// Behaviour switches of the editor control (option n at bit n).
enum TCodeEditorOption : quint8 {
  eoAltSetsColumnMode,
  eoAutoIndent,
  eoAutoSizeMaxScrollWidth,
  eoDisableScrollArrows,
  eoDragDropEditing,
  eoDropFiles,
  eoEnhanceHomeKey,
  eoEnhanceEndKey,
  eoGroupUndo,
  eoHalfPageScroll,
  eoHideShowScrollbars,
  eoKeepCaretX,
  eoNoCaret,
  eoNoSelection,
  eoRightMouseMovesCursor,
  eoScrollByOneLess,
  eoScrollHintFollows,
  eoScrollPastEof,
  eoScrollPastEol,
  eoShowScrollHint,
  eoShowSpecialChars,
  eoSmartTabDelete,
  eoSmartTabs,
  eoSpecialLineDefaultFg,
  eoTabIndent,
  eoTabsToSpaces,
  eoTrimTrailingSpaces,
};
using TCodeEditorOptions = quint32;
constexpr TCodeEditorOptions Opt(TCodeEditorOption option) { return 1u << option; }
// Auto indent, drag and drop, enhanced End, group undo, scrolling past the
// line end, scroll hint, smart tab deletion, smart tabs, tabs to spaces.
constexpr TCodeEditorOptions kDefaultEditorOptions = 0x026C0192;

// What changed, as OnStatusChange reports it.
enum TCodeStatusChange : quint16 {
  stcAll = 1 << 0,
  stcCaretChar = 1 << 1,
  stcCaretLine = 1 << 2,
  stcLeftColumn = 1 << 3,
  stcTopRow = 1 << 4,
  stcInsertMode = 1 << 5,
  stcModified = 1 << 6,
  stcSelection = 1 << 7,
  stcReadOnly = 1 << 8,
};
using TCodeStatusChanges = quint16;

// Transient states of the control.
enum TCodeEditorStateFlag : quint16 {
  esCaretPending = 1 << 0,
  esScrollBarsPending = 1 << 1,
  esLinesChanging = 1 << 2,
  esSkipNextChar = 1 << 3,
  esCaretShown = 1 << 4,
  esDoubleClicked = 1 << 5,
  esGutterPress = 1 << 6,
  esWaitForDrag = 1 << 7,
};

enum TCodeEditCaretType : quint8 { ctVerticalLine, ctHorizontalLine, ctHalfBlock, ctBlock };
enum TScrollHintFormat : quint8 { shfTopLineOnly, shfTopToBottom };
enum TScrollStyle : quint8 { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TBorderStyle : quint8 { bsNone, bsSingle };
// Before a change of the caret or text is shown, and after it.
enum TTransientType : quint8 { ttBefore = 0, ttAfter = 1 };
