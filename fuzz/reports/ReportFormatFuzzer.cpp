// Display formats and texts of templates: format suffixes, float pictures,
// edit masks and the layout of text lines (with a fixed-width measure), so
// that no format string or text can crash or hang the printing of a report.
#include "core/Exception.h"
#include "reports/engine/rpDisplayFormat.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include <QtGui/QGuiApplication>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  static int argc = 1;
  static char name[] = "fuzz";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv); // fonts need the GUI application (offscreen)
  static const bool started = (
      rpEngineStart(), rpGlobals().TextWidth = [](const QFont&, const QString& t) { return int(t.size()) * 7; }, true);
  Q_UNUSED(started);
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data) + 2, qsizetype(size - 2));
  try {
    switch (data[0] % 4) {
    case 0: {
      qint32 code = 0;
      QString format;
      if (rpParseFormatSuffix(text, code, format))
        rpFormatByDisplayFormat(double(data[1]) * 1234.567 - 99999, code, format);
      break;
    }
    case 1:
      rpFormatFloat(text, double(data[1]) * -98.765, QLatin1Char(','), QChar(0xA0));
      break;
    case 2:
      rpFormatMaskText(text, QStringLiteral("0123456789abcdef"));
      break;
    default: {
      TrpMemoView memo;
      memo.SetBounds(0, 0, data[1] % 120, 60);
      memo.Flags = quint16(mfWordWrap | (data[1] & 1 ? mfWordBreak : 0));
      memo.Alignment = data[1] >> 4;
      memo.WorkLines = QStringList{text};
      memo.WrapMemo();
    }
    }
  } catch (const Exception&) {
  }
  return 0;
}
