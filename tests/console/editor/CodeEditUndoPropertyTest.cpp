#include "EditorTestSupport.h"
#include "console/editor/CodeEdit.h"
#include "core/Exception.h"
#include <gtest/gtest.h>
#include <random>

namespace {

// Random command sequences on random texts, under several option sets:
// undoing everything gives back the original text exactly, and redoing
// everything gives the text the commands made.
class TRandomSession {
public:
  TRandomSession(TCodeEdit& edit, unsigned seed) : edit_(edit), random_(seed) {}

  QString RandomText() {
    static const QString pieces[] = {QStringLiteral("select"), QStringLiteral(" "),    QStringLiteral("  "),
                                     QStringLiteral("\t"),     QStringLiteral("a-b"),  QStringLiteral("(x)"),
                                     QStringLiteral("'s'"),    QStringLiteral("ľščť"), QString::fromUcs4(U"\U0001F600"),
                                     QStringLiteral("Z9"),     QStringLiteral("\r\n"), QStringLiteral("\r\n    ")};
    QString text;
    for (int n = Pick(40); n > 0; --n)
      text += pieces[Pick(std::size(pieces))];
    return text;
  }

  // One random command; returns its description for the failure message.
  QString Step() {
    static const TCodeEditorCommand commands[] = {
        ecChar,       ecChar,         ecChar,           ecLineBreak,       ecInsertLine, ecDeleteLastChar,
        ecDeleteChar, ecDeleteWord,   ecDeleteLastWord, ecDeleteBOL,       ecDeleteEOL,  ecDeleteLine,
        ecTab,        ecShiftTab,     ecBlockIndent,    ecBlockUnindent,   ecUpperCase,  ecLowerCase,
        ecToggleCase, ecTitleCase,    ecUpperCaseBlock, ecToggleCaseBlock, ecToggleMode, ecLeft,
        ecRight,      ecUp,           ecDown,           ecWordLeft,        ecWordRight,  ecLineStart,
        ecLineEnd,    ecEditorBottom, ecPageDown,       ecSelLeft,         ecSelRight,   ecSelUp,
        ecSelDown,    ecSelWordRight, ecSelLineEnd,     ecSelectAll,       ecSelWord,    ecGotoXY,
        ecSelGotoXY,  ecColumnSelect, ecNormalSelect,   ecImeStr,          ecCopy,       ecPaste,
        ecCut,        ecUndo,         ecRedo,           ecMatchBracket,    ecSetMarker0, ecGotoXY,
        ecLineSelect, ecNormalSelect};
    const TCodeEditorCommand command = commands[Pick(std::size(commands))];
    QString text;
    TBufferCoord position;
    const void* data = nullptr;
    QChar ch;
    if (command == ecChar) {
      static const QString typed = QStringLiteral("aZ9 (')ľ_\t;");
      ch = typed[Pick(typed.size())];
    } else if (command == ecGotoXY || command == ecSelGotoXY) {
      position = {1 + Pick(30), 1 + Pick(edit_.Lines().Count() + 2)};
      data = &position;
    } else if (command == ecImeStr) {
      text = Pick(2) ? QStringLiteral("žľ") : QString::fromUcs4(U"\U0001D11E");
      data = &text;
    }
    edit_.ProcessCommand(command, ch, data);
    QString name;
    CommandCodeToName(command, name);
    if (data == &position) name += QStringLiteral("(%1,%2)").arg(position.Char).arg(position.Line);
    if (!ch.isNull()) name += QStringLiteral("(%1)").arg(ch);
    return name;
  }

private:
  int Pick(qsizetype bound) { return int(random_() % quint32(bound)); }

  TCodeEdit& edit_;
  std::mt19937 random_;
};

struct OptionSet {
  const char* name;
  TCodeEditorOptions add, remove;
};

// Runs `steps` random commands of the seed; returns what went wrong, or "".
std::string CheckSeed(unsigned seed, const OptionSet& set, int steps);

// The same, reporting an error that escaped a command as a failure.
std::string CheckSeedSafely(unsigned seed, const OptionSet& set, int steps) {
  try {
    return CheckSeed(seed, set, steps);
  } catch (const Exception& e) {
    return "seed " + std::to_string(seed) + " (" + set.name + "), " + std::to_string(steps) +
           " steps: " + e.Message().toStdString();
  }
}

std::string CheckSeed(unsigned seed, const OptionSet& set, int steps) {
  TCodeEdit edit;
  ShowEditor(edit, 300, 160);
  edit.SetOptions((edit.Options() | set.add) & ~set.remove);
  TRandomSession session(edit, seed);
  edit.SetText(session.RandomText());
  edit.ClearUndo();
  const QStringList original = EditorLines(edit);
  QStringList done;
  for (int i = 0; i < steps; ++i)
    done << session.Step();
  const auto undoAll = [&] {
    for (int n = 0; edit.CanUndo() && n < 5000; ++n)
      edit.Undo();
  };
  const auto redoAll = [&] {
    for (int n = 0; edit.CanRedo() && n < 5000; ++n)
      edit.Redo();
  };
  // Undo commands among the steps may have left steps to redo.
  redoAll();
  const QStringList changed = EditorLines(edit);
  undoAll();
  const QStringList undone = EditorLines(edit);
  redoAll();
  const QStringList redone = EditorLines(edit);
  // An empty text is the same with no line or with one empty line.
  const auto comparable = [](const QStringList& lines) { return lines.join(QStringLiteral("\r\n")); };
  if (comparable(undone) == comparable(original) && comparable(redone) == comparable(changed)) return {};
  const auto show = [](const QStringList& lines) { return lines.join(QStringLiteral("|")).toStdString(); };
  return "seed " + std::to_string(seed) + " (" + set.name + "): " + done.join(QStringLiteral(" ")).toStdString() +
         "\n original: " + show(original) + "\n changed:  " + show(changed) + "\n undone:   " + show(undone) +
         "\n redone:   " + show(redone);
}

TEST(CodeEditUndoPropertyTest, UndoingEverythingGivesBackTheTextAndRedoingGivesTheResult) {
  const OptionSet sets[] = {
      {"defaults", 0, 0},
      {"no scrolling past line ends", 0, Opt(eoScrollPastEol)},
      {"tabs, tab indent, no group undo", Opt(eoTabIndent) | Opt(eoKeepCaretX), Opt(eoTabsToSpaces) | Opt(eoGroupUndo)},
      {"no auto indent, no smart tabs", Opt(eoEnhanceHomeKey),
       Opt(eoAutoIndent) | Opt(eoSmartTabs) | Opt(eoSmartTabDelete)},
  };
  constexpr int kSteps = 60;
  for (unsigned seed = 1; seed <= 2000; ++seed) {
    const OptionSet& set = sets[seed % std::size(sets)];
    if (CheckSeedSafely(seed, set, kSteps).empty()) continue;
    // The shortest run of the seed that fails tells the most.
    for (int steps = 1; steps <= kSteps; ++steps) {
      const std::string failure = CheckSeedSafely(seed, set, steps);
      if (!failure.empty()) FAIL() << failure;
    }
  }
}

} // namespace
