#include "console/editor/text/CodeEditKeyCmds.h"
#include "console/editor/text/CodeEditErrors.h"
#include "console/editor/text/CodeEditStrings.h"

namespace {

struct CommandName {
  TCodeEditorCommand code;
  const char* name;
};

constexpr CommandName kCommandNames[] = {
    {ecNone, "ecNone"},
    {ecLeft, "ecLeft"},
    {ecRight, "ecRight"},
    {ecUp, "ecUp"},
    {ecDown, "ecDown"},
    {ecWordLeft, "ecWordLeft"},
    {ecWordRight, "ecWordRight"},
    {ecLineStart, "ecLineStart"},
    {ecLineEnd, "ecLineEnd"},
    {ecPageUp, "ecPageUp"},
    {ecPageDown, "ecPageDown"},
    {ecPageLeft, "ecPageLeft"},
    {ecPageRight, "ecPageRight"},
    {ecPageTop, "ecPageTop"},
    {ecPageBottom, "ecPageBottom"},
    {ecEditorTop, "ecEditorTop"},
    {ecEditorBottom, "ecEditorBottom"},
    {ecGotoXY, "ecGotoXY"},
    {ecSelLeft, "ecSelLeft"},
    {ecSelRight, "ecSelRight"},
    {ecSelUp, "ecSelUp"},
    {ecSelDown, "ecSelDown"},
    {ecSelWordLeft, "ecSelWordLeft"},
    {ecSelWordRight, "ecSelWordRight"},
    {ecSelLineStart, "ecSelLineStart"},
    {ecSelLineEnd, "ecSelLineEnd"},
    {ecSelPageUp, "ecSelPageUp"},
    {ecSelPageDown, "ecSelPageDown"},
    {ecSelPageLeft, "ecSelPageLeft"},
    {ecSelPageRight, "ecSelPageRight"},
    {ecSelPageTop, "ecSelPageTop"},
    {ecSelPageBottom, "ecSelPageBottom"},
    {ecSelEditorTop, "ecSelEditorTop"},
    {ecSelEditorBottom, "ecSelEditorBottom"},
    {ecSelGotoXY, "ecSelGotoXY"},
    {ecSelWord, "ecSelWord"},
    {ecSelectAll, "ecSelectAll"},
    {ecCopy, "ecCopy"},
    {ecScrollUp, "ecScrollUp"},
    {ecScrollDown, "ecScrollDown"},
    {ecScrollLeft, "ecScrollLeft"},
    {ecScrollRight, "ecScrollRight"},
    {ecInsertMode, "ecInsertMode"},
    {ecOverwriteMode, "ecOverwriteMode"},
    {ecToggleMode, "ecToggleMode"},
    {ecNormalSelect, "ecNormalSelect"},
    {ecColumnSelect, "ecColumnSelect"},
    {ecLineSelect, "ecLineSelect"},
    {ecMatchBracket, "ecMatchBracket"},
    {ecCommentBlock, "ecCommentBlock"},
    {ecGotoMarker0, "ecGotoMarker0"},
    {ecGotoMarker0 + 1, "ecGotoMarker1"},
    {ecGotoMarker0 + 2, "ecGotoMarker2"},
    {ecGotoMarker0 + 3, "ecGotoMarker3"},
    {ecGotoMarker0 + 4, "ecGotoMarker4"},
    {ecGotoMarker0 + 5, "ecGotoMarker5"},
    {ecGotoMarker0 + 6, "ecGotoMarker6"},
    {ecGotoMarker0 + 7, "ecGotoMarker7"},
    {ecGotoMarker0 + 8, "ecGotoMarker8"},
    {ecGotoMarker9, "ecGotoMarker9"},
    {ecSetMarker0, "ecSetMarker0"},
    {ecSetMarker0 + 1, "ecSetMarker1"},
    {ecSetMarker0 + 2, "ecSetMarker2"},
    {ecSetMarker0 + 3, "ecSetMarker3"},
    {ecSetMarker0 + 4, "ecSetMarker4"},
    {ecSetMarker0 + 5, "ecSetMarker5"},
    {ecSetMarker0 + 6, "ecSetMarker6"},
    {ecSetMarker0 + 7, "ecSetMarker7"},
    {ecSetMarker0 + 8, "ecSetMarker8"},
    {ecSetMarker9, "ecSetMarker9"},
    {ecContextHelp, "ecContextHelp"},
    {ecDeleteLastChar, "ecDeleteLastChar"},
    {ecDeleteChar, "ecDeleteChar"},
    {ecDeleteWord, "ecDeleteWord"},
    {ecDeleteLastWord, "ecDeleteLastWord"},
    {ecDeleteBOL, "ecDeleteBOL"},
    {ecDeleteEOL, "ecDeleteEOL"},
    {ecDeleteLine, "ecDeleteLine"},
    {ecClearAll, "ecClearAll"},
    {ecLineBreak, "ecLineBreak"},
    {ecInsertLine, "ecInsertLine"},
    {ecChar, "ecChar"},
    {ecImeStr, "ecImeStr"},
    {ecUndo, "ecUndo"},
    {ecRedo, "ecRedo"},
    {ecCut, "ecCut"},
    {ecPaste, "ecPaste"},
    {ecBlockIndent, "ecBlockIndent"},
    {ecBlockUnindent, "ecBlockUnindent"},
    {ecTab, "ecTab"},
    {ecShiftTab, "ecShiftTab"},
    {ecUpperCase, "ecUpperCase"},
    {ecLowerCase, "ecLowerCase"},
    {ecToggleCase, "ecToggleCase"},
    {ecTitleCase, "ecTitleCase"},
    {ecUpperCaseBlock, "ecUpperCaseBlock"},
    {ecLowerCaseBlock, "ecLowerCaseBlock"},
    {ecToggleCaseBlock, "ecToggleCaseBlock"},
    {ecString, "ecString"},
    {ecAutoCompletion, "ecAutoCompletion"},
    {ecUserFirst, "ecUserFirst"},
};

struct DefaultBinding {
  TCodeEditorCommand command;
  quint16 key;
  TShiftState shift;
};

constexpr TShiftState kNone = 0, kShiftCtrl = ssShift | ssCtrl;

constexpr DefaultBinding kBindingsBeforeBookmarks[] = {
    {ecUp, vk::Up, kNone},
    {ecSelUp, vk::Up, ssShift},
    {ecScrollUp, vk::Up, ssCtrl},
    {ecDown, vk::Down, kNone},
    {ecSelDown, vk::Down, ssShift},
    {ecScrollDown, vk::Down, ssCtrl},
    {ecLeft, vk::Left, kNone},
    {ecSelLeft, vk::Left, ssShift},
    {ecWordLeft, vk::Left, ssCtrl},
    {ecSelWordLeft, vk::Left, kShiftCtrl},
    {ecRight, vk::Right, kNone},
    {ecSelRight, vk::Right, ssShift},
    {ecWordRight, vk::Right, ssCtrl},
    {ecSelWordRight, vk::Right, kShiftCtrl},
    {ecPageDown, vk::Next, kNone},
    {ecSelPageDown, vk::Next, ssShift},
    {ecPageBottom, vk::Next, ssCtrl},
    {ecSelPageBottom, vk::Next, kShiftCtrl},
    {ecPageUp, vk::Prior, kNone},
    {ecSelPageUp, vk::Prior, ssShift},
    {ecPageTop, vk::Prior, ssCtrl},
    {ecSelPageTop, vk::Prior, kShiftCtrl},
    {ecLineStart, vk::Home, kNone},
    {ecSelLineStart, vk::Home, ssShift},
    {ecEditorTop, vk::Home, ssCtrl},
    {ecSelEditorTop, vk::Home, kShiftCtrl},
    {ecLineEnd, vk::End, kNone},
    {ecSelLineEnd, vk::End, ssShift},
    {ecEditorBottom, vk::End, ssCtrl},
    {ecSelEditorBottom, vk::End, kShiftCtrl},
    {ecToggleMode, vk::Insert, kNone},
    {ecCopy, vk::Insert, ssCtrl},
    {ecCut, vk::Delete, ssShift},
    {ecPaste, vk::Insert, ssShift},
    {ecDeleteChar, vk::Delete, kNone},
    {ecDeleteLastChar, vk::Back, kNone},
    {ecDeleteLastChar, vk::Back, ssShift},
    {ecDeleteLastWord, vk::Back, ssCtrl},
    {ecUndo, vk::Back, ssAlt},
    {ecRedo, vk::Back, ssShift | ssAlt},
    {ecLineBreak, vk::Return, kNone},
    {ecLineBreak, vk::Return, ssShift},
    {ecTab, vk::Tab, kNone},
    {ecShiftTab, vk::Tab, ssShift},
    {ecContextHelp, vk::F1, kNone},
    {ecSelectAll, vk::Char('A'), ssCtrl},
    {ecCopy, vk::Char('C'), ssCtrl},
    {ecPaste, vk::Char('V'), ssCtrl},
    {ecCut, vk::Char('X'), ssCtrl},
    {ecBlockIndent, vk::Char('I'), kShiftCtrl},
    {ecBlockUnindent, vk::Char('U'), kShiftCtrl},
    {ecLineBreak, vk::Char('M'), ssCtrl},
    {ecInsertLine, vk::Char('N'), ssCtrl},
    {ecDeleteWord, vk::Char('T'), ssCtrl},
    {ecDeleteLine, vk::Char('Y'), ssCtrl},
    {ecDeleteEOL, vk::Char('Y'), kShiftCtrl},
    {ecUndo, vk::Char('Z'), ssCtrl},
    {ecRedo, vk::Char('Z'), kShiftCtrl},
};

constexpr DefaultBinding kBindingsAfterBookmarks[] = {
    {ecNormalSelect, vk::Char('N'), kShiftCtrl},
    {ecColumnSelect, vk::Char('C'), kShiftCtrl},
    {ecLineSelect, vk::Char('L'), kShiftCtrl},
    {ecMatchBracket, vk::Char('B'), kShiftCtrl},
};

} // namespace

bool CommandCodeToName(TCodeEditorCommand code, QString& name) {
  for (const CommandName& entry : kCommandNames) {
    if (entry.code != code) continue;
    name = QLatin1String(entry.name);
    return true;
  }
  return false;
}

bool CommandNameToCode(const QString& name, TCodeEditorCommand& code) {
  for (const CommandName& entry : kCommandNames) {
    if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) != 0) continue;
    code = entry.code;
    return true;
  }
  return false;
}

QString CommandDisplayName(TCodeEditorCommand code) {
  QString name;
  return CommandCodeToName(code, name) ? name : QString::number(code);
}

void TCodeEditKeyStroke::CheckUnique(TShortCut shortCut, TShortCut shortCut2) const {
  const int found = collection_->FindShortcutPair(shortCut, shortCut2);
  if (found >= 0 && &collection_->Items(found) != this) throw ECodeKeyError(CodeEditStrings::ShortcutAlreadyExists());
}

namespace {

// A shortcut as a binding keeps it: bits that name no key or modifier go.
TShortCut StoredShortCut(TShortCut value) {
  quint16 key = 0;
  TShiftState shift = 0;
  ShortCutToKey(value, key, shift);
  return ShortCut(key, shift);
}

} // namespace

void TCodeEditKeyStroke::SetShortCut(TShortCut value) {
  value = StoredShortCut(value);
  if (value != 0) CheckUnique(value, ShortCut2());
  ShortCutToKey(value, key_, shift_);
}

void TCodeEditKeyStroke::SetShortCut2(TShortCut value) {
  value = StoredShortCut(value);
  if (value != 0) CheckUnique(ShortCut(), value);
  ShortCutToKey(value, key2_, shift2_);
}

void TCodeEditKeyStroke::Assign(const TCodeEditKeyStroke& other) {
  command_ = other.command_;
  key_ = other.key_;
  key2_ = other.key2_;
  shift_ = other.shift_;
  shift2_ = other.shift2_;
}

QString TCodeEditKeyStroke::DisplayName() const {
  QString name = CommandDisplayName(command_) + QStringLiteral(" - ") + ShortCutToText(ShortCut());
  if (ShortCut() != 0) name += QLatin1Char(' ') + ShortCutToText(ShortCut2());
  return name;
}

TCodeEditKeyStroke& TCodeEditKeyStrokes::Add() {
  items_.push_back(std::unique_ptr<TCodeEditKeyStroke>(new TCodeEditKeyStroke(this)));
  return *items_.back();
}

TCodeEditKeyStroke& TCodeEditKeyStrokes::AddBinding(TCodeEditorCommand command, quint16 key, TShiftState shift) {
  TCodeEditKeyStroke& binding = Add();
  binding.command_ = command;
  binding.key_ = key;
  binding.shift_ = shift;
  return binding;
}

void TCodeEditKeyStrokes::Delete(int index) { items_.erase(items_.begin() + index); }

void TCodeEditKeyStrokes::Assign(const TCodeEditKeyStrokes& other) {
  if (&other == this) return;
  Clear();
  for (const auto& binding : other.items_)
    Add().Assign(*binding);
}

int TCodeEditKeyStrokes::FindSingleKey(quint16 key, TShiftState shift) const {
  for (int i = 0; i < Count(); ++i) {
    const TCodeEditKeyStroke& b = *items_[i];
    if (b.key_ == key && b.shift_ == shift && b.key2_ == 0) return i;
  }
  return -1;
}

int TCodeEditKeyStrokes::FindChordKey(quint16 key, TShiftState shift, quint16 key2, TShiftState shift2) const {
  for (int i = 0; i < Count(); ++i) {
    const TCodeEditKeyStroke& b = *items_[i];
    if (b.key_ == key && b.shift_ == shift && b.key2_ == key2 && b.shift2_ == shift2) return i;
  }
  return -1;
}

int TCodeEditKeyStrokes::FindShortcutPair(TShortCut shortCut, TShortCut shortCut2) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[i]->ShortCut() == shortCut && items_[i]->ShortCut2() == shortCut2) return i;
  return -1;
}

void TCodeEditKeyStrokes::LoadDefaultBindings() {
  Clear();
  for (const DefaultBinding& b : kBindingsBeforeBookmarks)
    AddBinding(b.command, b.key, b.shift);
  for (int digit = 0; digit <= 9; ++digit)
    AddBinding(TCodeEditorCommand(ecGotoMarker0 + digit), quint16(vk::Digit0 + digit), ssCtrl);
  for (int digit = 0; digit <= 9; ++digit)
    AddBinding(TCodeEditorCommand(ecSetMarker0 + digit), quint16(vk::Digit0 + digit), kShiftCtrl);
  for (const DefaultBinding& b : kBindingsAfterBookmarks)
    AddBinding(b.command, b.key, b.shift);
}
