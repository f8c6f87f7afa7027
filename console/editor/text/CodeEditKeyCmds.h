#pragma once
#include "console/editor/text/CodeEditVirtualKeys.h"
#include <memory>
#include <vector>

class QObject;

// Every action of the editor is a command: a 16-bit code. Codes up to 1000 are
// the editor's own; the application's start at ecUserFirst.
using TCodeEditorCommand = quint16;

constexpr TCodeEditorCommand ecNone = 0;
constexpr TCodeEditorCommand ecLeft = 1, ecRight = 2, ecUp = 3, ecDown = 4, ecWordLeft = 5, ecWordRight = 6,
                             ecLineStart = 7, ecLineEnd = 8, ecPageUp = 9, ecPageDown = 10, ecPageLeft = 11,
                             ecPageRight = 12, ecPageTop = 13, ecPageBottom = 14, ecEditorTop = 15, ecEditorBottom = 16,
                             ecGotoXY = 17;
// The selecting variant of a movement is its code + ecSelection.
constexpr TCodeEditorCommand ecSelection = 100;
constexpr TCodeEditorCommand ecSelLeft = 101, ecSelRight = 102, ecSelUp = 103, ecSelDown = 104, ecSelWordLeft = 105,
                             ecSelWordRight = 106, ecSelLineStart = 107, ecSelLineEnd = 108, ecSelPageUp = 109,
                             ecSelPageDown = 110, ecSelPageLeft = 111, ecSelPageRight = 112, ecSelPageTop = 113,
                             ecSelPageBottom = 114, ecSelEditorTop = 115, ecSelEditorBottom = 116, ecSelGotoXY = 117;
constexpr TCodeEditorCommand ecSelWord = 198, ecSelectAll = 199, ecCopy = 201;
constexpr TCodeEditorCommand ecScrollUp = 211, ecScrollDown = 212, ecScrollLeft = 213, ecScrollRight = 214;
constexpr TCodeEditorCommand ecInsertMode = 221, ecOverwriteMode = 222, ecToggleMode = 223;
constexpr TCodeEditorCommand ecNormalSelect = 231, ecColumnSelect = 232, ecLineSelect = 233;
constexpr TCodeEditorCommand ecMatchBracket = 250, ecCommentBlock = 251;
constexpr TCodeEditorCommand ecGotoMarker0 = 301, ecGotoMarker9 = 310, ecSetMarker0 = 351, ecSetMarker9 = 360;
// Sent by the control itself when it gains and loses the focus (no names).
constexpr TCodeEditorCommand ecGotFocus = 480, ecLostFocus = 481;
constexpr TCodeEditorCommand ecContextHelp = 490;
constexpr TCodeEditorCommand ecDeleteLastChar = 501, ecDeleteChar = 502, ecDeleteWord = 503, ecDeleteLastWord = 504,
                             ecDeleteBOL = 505, ecDeleteEOL = 506, ecDeleteLine = 507, ecClearAll = 508,
                             ecLineBreak = 509, ecInsertLine = 510, ecChar = 511, ecImeStr = 550;
constexpr TCodeEditorCommand ecUndo = 601, ecRedo = 602, ecCut = 603, ecPaste = 604;
constexpr TCodeEditorCommand ecBlockIndent = 610, ecBlockUnindent = 611, ecTab = 612, ecShiftTab = 613;
constexpr TCodeEditorCommand ecUpperCase = 620, ecLowerCase = 621, ecToggleCase = 622, ecTitleCase = 623,
                             ecUpperCaseBlock = 625, ecLowerCaseBlock = 626, ecToggleCaseBlock = 627;
constexpr TCodeEditorCommand ecString = 630, ecAutoCompletion = 650, ecUserFirst = 1001;

// The name of a command ("ecUp"), for stored bindings; false when the code or
// the name is not in the table (names are compared without case).
bool CommandCodeToName(TCodeEditorCommand code, QString& name);
bool CommandNameToCode(const QString& name, TCodeEditorCommand& code);
// The name, or the code in decimal when it has none.
QString CommandDisplayName(TCodeEditorCommand code);

class TCodeEditKeyStrokes;

// One key binding: a key (or a sequence of two keys) with its shift state,
// bound to a command. Setting a shortcut that another binding of the same list
// already has (with the same second key) raises ECodeKeyError.
class TCodeEditKeyStroke {
public:
  quint16 Key() const { return key_; }
  TShiftState Shift() const { return shift_; }
  quint16 Key2() const { return key2_; }
  TShiftState Shift2() const { return shift2_; }
  TCodeEditorCommand Command() const { return command_; }
  void SetCommand(TCodeEditorCommand command) { command_ = command; }

  TShortCut ShortCut() const { return ::ShortCut(key_, shift_); }
  TShortCut ShortCut2() const { return ::ShortCut(key2_, shift2_); }
  void SetShortCut(TShortCut value);
  void SetShortCut2(TShortCut value);

  // Copies the command and keys without the duplicate check.
  void Assign(const TCodeEditKeyStroke& other);
  // "ecCopy - Ctrl+C " (command name, the first shortcut, and the second).
  QString DisplayName() const;

private:
  friend class TCodeEditKeyStrokes;
  explicit TCodeEditKeyStroke(TCodeEditKeyStrokes* collection) : collection_(collection) {}
  // Raises ECodeKeyError when another binding of the list has the pair.
  void CheckUnique(TShortCut shortCut, TShortCut shortCut2) const;

  TCodeEditKeyStrokes* collection_;
  quint16 key_ = 0;
  TShiftState shift_ = 0;
  quint16 key2_ = 0;
  TShiftState shift2_ = 0;
  TCodeEditorCommand command_ = ecNone;
};

// The key bindings of an editor control; lookups give the index of the first
// match or -1.
class TCodeEditKeyStrokes {
public:
  explicit TCodeEditKeyStrokes(QObject* owner = nullptr) : owner_(owner) {}
  TCodeEditKeyStrokes(const TCodeEditKeyStrokes&) = delete;
  TCodeEditKeyStrokes& operator=(const TCodeEditKeyStrokes&) = delete;

  QObject* Owner() const { return owner_; }
  int Count() const { return int(items_.size()); }
  TCodeEditKeyStroke& Items(int index) { return *items_[index]; }
  const TCodeEditKeyStroke& Items(int index) const { return *items_[index]; }

  TCodeEditKeyStroke& Add();
  // A single-key binding, without the duplicate check.
  TCodeEditKeyStroke& AddBinding(TCodeEditorCommand command, quint16 key, TShiftState shift);
  void Delete(int index);
  void Clear() { items_.clear(); }
  void Assign(const TCodeEditKeyStrokes& other);

  int FindSingleKey(quint16 key, TShiftState shift) const;
  int FindChordKey(quint16 key, TShiftState shift, quint16 key2, TShiftState shift2) const;
  int FindShortcutPair(TShortCut shortCut, TShortCut shortCut2) const;

  // Replaces the list by the editor's 82 default bindings.
  void LoadDefaultBindings();

private:
  QObject* owner_;
  std::vector<std::unique_ptr<TCodeEditKeyStroke>> items_;
};
