// Pasted text (the clipboard is outside input) goes through the numeric
// edit's key filter. Whatever arrives, the text must stay a number: reading
// Value never fails. The first byte picks the decimals, the second the caret;
// a byte 0x01 in the rest is Backspace, 0x02 Delete, the rest pasted text.
#include "controls/BaseNumEdit.h"
#include <QtCore/QLocale>
#include <QtWidgets/QApplication>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia));
  static QApplication application(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  TBaseNumEdit edit;
  edit.SetDecimals(int(data[0] % 17) - 2);
  edit.setCursorPosition(data[1] % 4);
  const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
  for (const QChar c : input) {
    if (c == QChar(1))
      edit.DeleteKey(true);
    else if (c == QChar(2))
      edit.DeleteKey(false);
    else
      edit.PasteText(QString(c));
  }
  try {
    (void)edit.Value();
  } catch (const EConvertError&) {
    std::abort(); // the filter let a text through that is no number
  }
  return 0;
}
