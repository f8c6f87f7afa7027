// Scans arbitrary text with the SQL highlighter in the dialect the first byte
// chooses, carrying the range from line to line, and checks that the tokens
// of every line follow each other without gaps and end at the line's end.
#include "console/editor/text/CodeEditHighlighterSQL.h"
#include "core/CodePage1250.h"
#include <QtCore/QCoreApplication>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static TCodeSQLHighlighter highlighter;
  highlighter.SetSQLDialect(TSQLDialect(data[0] % 8));
  QString text = Cp1250::Decode(QByteArrayView(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1)));
  if (data[0] & 0x80) text += QString::fromUcs4(U"\U0001F600"); // a character of two code units
  highlighter.ClearRange();
  int number = 0;
  for (const QString& line : text.split(QStringLiteral("\n"))) {
    highlighter.StartLine(line, number++);
    int position = 0;
    for (int tokens = 0; !highlighter.AtLineEnd(); highlighter.NextToken()) {
      if (highlighter.TokenStart() != position || highlighter.TokenText().isEmpty()) std::abort();
      position += int(highlighter.TokenText().size());
      if (++tokens > line.size() + 1) std::abort();
    }
    // A NUL ends the scan early; otherwise the tokens cover the whole line.
    if (position != line.size() && line.indexOf(QChar(0)) < 0) std::abort();
    const int range = highlighter.CurrentRange();
    if (range < srsNormal || range > srsConditionalComment) std::abort();
  }
  return 0;
}
