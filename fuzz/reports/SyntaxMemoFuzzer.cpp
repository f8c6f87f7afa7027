// Scripts and SQL of templates in the designer's syntax memo: the text is
// coloured in every language and then edited by a sequence of key edits
// drawn from the input. The colouring must give one code per character and
// the caret must stay on the text after every edit.
#include "reports/designer/rpSyntaxColouring.h"
#include "reports/designer/rpSyntaxMemoText.h"
#include <cstddef>
#include <cstdint>

namespace {

void CheckColours(const QStringList& lines) {
  for (const TSyntaxType type : {TSyntaxType::stPascal, TSyntaxType::stCpp, TSyntaxType::stSQL, TSyntaxType::stText}) {
    const QStringList codes = rpColourLines(lines, type, rpSyntaxKeywords(type));
    if (codes.size() != lines.size() + 1) __builtin_trap();
    for (qsizetype i = 0; i < lines.size(); ++i)
      if (codes[i].size() != lines[i].size()) __builtin_trap();
  }
}

void Edit(TrpSyntaxMemoText& text, uint8_t op, uint8_t arg) {
  switch (op % 14) {
  case 0:
    text.InsertText(QString(QChar(u'a' + arg % 26)));
    break;
  case 1:
    text.InsertText(QStringLiteral("x\r\ny"));
    break;
  case 2:
    text.Enter();
    break;
  case 3:
    text.Tab();
    break;
  case 4:
    text.Delete();
    break;
  case 5:
    text.Backspace();
    break;
  case 6:
    text.ShiftBlock(arg % 2);
    break;
  case 7:
    text.DeleteLine();
    break;
  case 8:
    text.Undo();
    break;
  case 9:
    text.MoveCaret(arg * 5, arg % 7);
    break;
  case 10:
    text.SetSelection(QPoint(1 + arg % 9, 1 + arg % 4), QPoint(1 + arg % 13, 1 + arg % 3));
    break;
  case 11:
    text.FindText(QString(QChar(u'a' + arg % 4)));
    break;
  case 12:
    text.ToggleBookmark(arg % 10);
    text.GotoBookmark((arg / 10) % 10);
    break;
  default:
    arg % 2 ? text.WordLeft() : text.WordRight();
    break;
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const size_t textSize = size / 2;
  const QString whole = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(textSize));
  const QStringList lines = whole.split(QStringLiteral("\r\n"));
  CheckColours(lines);
  TrpSyntaxMemoText text;
  text.SetLines(lines);
  text.ReadOnly = false;
  for (size_t i = textSize; i + 1 < size; i += 2) {
    Edit(text, data[i], data[i + 1]);
    if (text.LineCount() < 1 || text.CaretLine() < 1 || text.CaretLine() > text.LineCount() || text.CaretColumn() < 1 ||
        text.CaretColumn() > TrpSyntaxMemoText::kMaxColumn)
      __builtin_trap();
    (void)text.SelectedText();
  }
  CheckColours(text.Lines());
  return 0;
}
