#include "console/editor/text/CodeEditKeyStreaming.h"
#include "console/editor/text/CodeEditErrors.h"
#include <QtCore/QStringList>

namespace {

const QString kAdded = QStringLiteral("AddedKeystrokes");
const QString kRemoved = QStringLiteral("RemovedKeystrokes");

bool SameBinding(const TCodeEditKeyStroke& a, const TCodeEditKeyStroke& b) {
  return a.Command() == b.Command() && a.ShortCut() == b.ShortCut() && a.ShortCut2() == b.ShortCut2();
}

// Whether the list has the binding: its first binding with the same
// shortcuts carries the same command.
bool Has(const TCodeEditKeyStrokes& list, const TCodeEditKeyStroke& binding) {
  const int found = list.FindShortcutPair(binding.ShortCut(), binding.ShortCut2());
  return found >= 0 && list.Items(found).Command() == binding.Command();
}

QString BindingLine(const TCodeEditKeyStroke& binding) {
  QString line = QStringLiteral("Command=") + CommandDisplayName(binding.Command());
  if (binding.ShortCut() != 0) line += QStringLiteral(" ShortCut=%1").arg(binding.ShortCut());
  if (binding.ShortCut2() != 0) line += QStringLiteral(" ShortCut2=%1").arg(binding.ShortCut2());
  return line;
}

[[noreturn]] void Unreadable(const QString& line) {
  throw ECodeKeyError(QStringLiteral("Invalid keystroke: %1").arg(line));
}

// One binding line into a new binding of the list.
void ReadBinding(const QString& line, TCodeEditKeyStrokes& list) {
  TCodeEditorCommand command = ecNone;
  quint32 shortCut = 0, shortCut2 = 0;
  bool hasCommand = false;
  for (const QString& field : line.split(u' ', Qt::SkipEmptyParts)) {
    const qsizetype equals = field.indexOf(u'=');
    if (equals < 0) Unreadable(line);
    const QString name = field.left(equals), value = field.mid(equals + 1);
    bool ok = true;
    if (name == QStringLiteral("Command")) {
      // A command without a name is stored by its number.
      hasCommand = CommandNameToCode(value, command);
      if (!hasCommand) {
        const uint code = value.toUInt(&ok);
        hasCommand = ok && code <= 0xFFFF;
        command = TCodeEditorCommand(code);
      }
    } else if (name == QStringLiteral("ShortCut")) {
      shortCut = value.toUInt(&ok);
    } else if (name == QStringLiteral("ShortCut2")) {
      shortCut2 = value.toUInt(&ok);
    } else {
      ok = false;
    }
    if (!ok || shortCut > 0xFFFF || shortCut2 > 0xFFFF) Unreadable(line);
  }
  if (!hasCommand) Unreadable(line);
  TCodeEditKeyStroke& binding = list.Add();
  binding.SetCommand(command);
  binding.SetShortCut(TShortCut(shortCut));
  binding.SetShortCut2(TShortCut(shortCut2));
}

} // namespace

bool SameKeystrokes(const TCodeEditKeyStrokes& a, const TCodeEditKeyStrokes& b) {
  if (a.Count() != b.Count()) return false;
  for (int i = 0; i < a.Count(); ++i)
    if (!SameBinding(a.Items(i), b.Items(i))) return false;
  return true;
}

QString WriteKeystrokeDifferences(const TCodeEditKeyStrokes& bindings, const TCodeEditKeyStrokes* base) {
  TCodeEditKeyStrokes defaults;
  if (!base) {
    defaults.LoadDefaultBindings();
    base = &defaults;
  }
  if (SameKeystrokes(bindings, *base)) return {};
  QStringList added, removed;
  for (int i = 0; i < bindings.Count(); ++i)
    if (!Has(*base, bindings.Items(i))) added << BindingLine(bindings.Items(i));
  for (int i = 0; i < base->Count(); ++i)
    if (!Has(bindings, base->Items(i))) removed << BindingLine(base->Items(i));
  QStringList text;
  if (!added.isEmpty()) text << kAdded << added;
  if (!removed.isEmpty()) text << kRemoved << removed;
  return text.join(u'\n');
}

void ReadKeystrokeDifferences(const QString& text, TCodeEditKeyStrokes& bindings) {
  TCodeEditKeyStrokes added, removed;
  TCodeEditKeyStrokes* section = nullptr;
  for (const QString& raw : text.split(u'\n')) {
    const QString line = raw.trimmed();
    if (line.isEmpty()) continue;
    if (line == kAdded)
      section = &added;
    else if (line == kRemoved)
      section = &removed;
    else if (!section)
      Unreadable(line);
    else
      ReadBinding(line, *section);
  }
  for (int i = 0; i < added.Count(); ++i)
    bindings.Add().Assign(added.Items(i));
  for (int i = 0; i < removed.Count(); ++i) {
    const TCodeEditKeyStroke& gone = removed.Items(i);
    const int found = bindings.FindShortcutPair(gone.ShortCut(), gone.ShortCut2());
    if (found >= 0 && bindings.Items(found).Command() == gone.Command()) bindings.Delete(found);
  }
}
