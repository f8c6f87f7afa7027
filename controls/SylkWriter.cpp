#include "controls/SylkWriter.h"
#include "core/CodePage1250.h"
#include "core/Exception.h"
#include <QtCore/QFileInfo>
#include <langinfo.h>

namespace {

const QByteArray kCrLf("\r\n");
// Marks a line break inside a cell text or comment.
const QString kBreak = QStringLiteral("\x1b :");

// The fixed head of every file: number formats and four default fonts.
// [ESC] is character 27, [AT] is "@".
const char* const kHead[] = {
    "ID;PWXL;N;E",
    "P;PGeneral",
    "P;P0",
    "P;P0.00",
    "P;P#,##0",
    "P;P#,##0.00",
    "P;P#,##0\\ _K_\x1bNAe;;\\-#,##0\\ _K_\x1bNAe",
    "P;P#,##0\\ _K_\x1bNAe;;[Red]\\-#,##0\\ _K_\x1bNAe",
    "P;P#,##0.00\\ _K_\x1bNAe;;\\-#,##0.00\\ _K_\x1bNAe",
    "P;P#,##0.00\\ _K_\x1bNAe;;[Red]\\-#,##0.00\\ _K_\x1bNAe",
    "P;P#,##0\\ \"$\";;\\-#,##0\\ \"$\"",
    "P;P#,##0\\ \"$\";;[Red]\\-#,##0\\ \"$\"",
    "P;P#,##0.00\\ \"$\";;\\-#,##0.00\\ \"$\"",
    "P;P#,##0.00\\ \"$\";;[Red]\\-#,##0.00\\ \"$\"",
    "P;P0%",
    "P;P0.00%",
    "P;P0.00E+00",
    "P;P##0.0E+0",
    "P;P#\" \"?/?",
    "P;P#\" \"?\?/??",
    "P;Pd/m/yyyy",
    "P;Pd/mmm/yy",
    "P;Pd/mmm",
    "P;Pmmm/yy",
    "P;Ph:mm\\ dop./odp.",
    "P;Ph:mm:ss\\ dop./odp.",
    "P;Ph:mm",
    "P;Ph:mm:ss",
    "P;Pd/m/yyyy\\ h:mm",
    "P;Pmm:ss",
    "P;Pmm:ss.0",
    "P;P@",
    "P;P[h]:mm:ss",
    "P;P_-* #,##0\\ \"$\"_-;;\\-* #,##0\\ \"$\"_-;;_-* \"-\"\\ \"$\"_-;;_-@_-",
    "P;P_-* #,##0\\ _K_\x1bNAe_-;;\\-* #,##0\\ _K_\x1bNAe_-;;_-* \"-\"\\ _K_\x1bNAe_-;;_-@_-",
    "P;P_-* #,##0.00\\ \"$\"_-;;\\-* #,##0.00\\ \"$\"_-;;_-* \"-\"?\?\\ \"$\"_-;;_-@_-",
    "P;P_-* #,##0.00\\ _K_\x1bNAe_-;;\\-* #,##0.00\\ _K_\x1bNAe_-;;_-* \"-\"?\?\\ _K_\x1bNAe_-;;_-@_-",
    "P;FArial CE;M200",
    "P;FArial CE;M200",
    "P;FArial CE;M200",
    "P;FArial CE;M200",
};

const char* const kAfterFonts[] = {"F;P0;DG0G8;M255", "B;Y1;X1;D0 0 0 0", "O;D;V0;K47;G100 0.001"};

// The colour value every font line carries.
constexpr int kColour = 9;

QByteArray Head() {
  QByteArray head;
  for (const char* line : kHead)
    head += QByteArray(line) + kCrLf;
  return head;
}

QString WorkFileNameOf(const QString& fileName) {
  const QFileInfo info(fileName);
  const QString suffix = info.suffix();
  const QString stem = suffix.isEmpty() && !fileName.endsWith(QLatin1Char('.'))
                           ? fileName
                           : fileName.left(fileName.size() - suffix.size() - 1);
  return stem + QStringLiteral(".$$$");
}

void TrimRightBlanks(QString& text) {
  qsizetype n = text.size();
  while (n > 0 && text.at(n - 1).unicode() <= ' ')
    --n;
  text.truncate(n);
}

// Makes a text safe for one SYLK field: ";" doubled, every line break (CR LF,
// and also a lone CR or LF, which would otherwise end the record and let the
// rest of the text be read as records) replaced by the break mark, trailing
// blanks and trailing break marks dropped.
QString CleanText(QString text) {
  text.replace(QLatin1String(";"), QLatin1String(";;"));
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  text.replace(QLatin1Char('\n'), kBreak);
  TrimRightBlanks(text);
  while (text.endsWith(kBreak)) {
    text.chop(kBreak.size());
    TrimRightBlanks(text);
  }
  return text;
}

QString FontLine(int index, int size, int style) {
  QString styleText;
  if (style & TSylkWriter::fsStrikeOut) styleText += QLatin1Char('S');
  if (style & TSylkWriter::fsBold) styleText += QLatin1Char('B');
  if (style & TSylkWriter::fsItalic) styleText += QLatin1Char('I');
  if (style & TSylkWriter::fsUnderline) styleText += QLatin1Char('U');
  if (!styleText.isEmpty()) styleText.prepend(QLatin1String(";S"));
  return QStringLiteral("P;E%1;M%2%3;L%4")
      .arg(TSylkWriter::FontNames().at(index))
      .arg(size * 20)
      .arg(styleText)
      .arg(kColour);
}

[[noreturn]] void Fail(const char* format, const QString& name, const QString& error) {
  throw Exception(QString::fromUtf8(format).arg(name, error));
}

} // namespace

const QList<QString>& TSylkWriter::FontNames() {
  static const QList<QString> names = {QStringLiteral("Courier"),
                                       QStringLiteral("Courier New CE"),
                                       QStringLiteral("Courier New Baltic"),
                                       QStringLiteral("Courier New CYR"),
                                       QStringLiteral("Courier New Greek"),
                                       QStringLiteral("Courier New TUR"),
                                       QStringLiteral("Times New Roman CE"),
                                       QStringLiteral("Arial"),
                                       QStringLiteral("Arial CE"),
                                       QStringLiteral("Arial Baltic"),
                                       QStringLiteral("Arial Black"),
                                       QStringLiteral("Arial CYR"),
                                       QStringLiteral("Arial Greek"),
                                       QStringLiteral("Arial Narrow"),
                                       QStringLiteral("Arial TUR"),
                                       QStringLiteral("AvantGarde Bk BT"),
                                       QStringLiteral("AvantGarde Md BT"),
                                       QStringLiteral("Book Antiqua"),
                                       QStringLiteral("Bookman Old Style"),
                                       QStringLiteral("Century Gothic"),
                                       QStringLiteral("Comic Sans MS"),
                                       QStringLiteral("CommonBullets"),
                                       QStringLiteral("Estrangelo Edessa"),
                                       QStringLiteral("Fixedsys"),
                                       QStringLiteral("Franklin Gothic Medium"),
                                       QStringLiteral("Garamond"),
                                       QStringLiteral("Gautami"),
                                       QStringLiteral("Georgia"),
                                       QStringLiteral("Haettenschweiler"),
                                       QStringLiteral("Impact"),
                                       QStringLiteral("Latha"),
                                       QStringLiteral("Lucida Blackletter"),
                                       QStringLiteral("Lucida Bright"),
                                       QStringLiteral("Lucida Calligraphy")};
  return names;
}

TSylkWriter::TTextEncoding TSylkWriter::DesktopEncoding() {
  // The program's locale is the desktop's (Qt sets it from the environment at start).
  const char* codeset = nl_langinfo(CODESET);
  return codeset && qstricmp(codeset, "UTF-8") == 0 ? TTextEncoding::Utf8 : TTextEncoding::Cp1250;
}

QByteArray TSylkWriter::Encode(const QString& text) const {
  return encoding_ == TTextEncoding::Utf8 ? text.toUtf8() : Cp1250::EncodeLossy(text);
}

TSylkWriter::TSylkWriter(const QString& fileName, TTextEncoding encoding)
    : fileName_(fileName), encoding_(encoding), workFile_(WorkFileNameOf(fileName)) {
  if (!workFile_.open(QIODevice::WriteOnly | QIODevice::Truncate))
    Fail("Soubor \"%1\" nelze vytvořit - chyba:\r\n%2", workFile_.fileName(), workFile_.errorString());
  SetFont(1, 10, 0);
  const QByteArray head = Head();
  if (workFile_.write(head) != head.size() || !workFile_.flush()) {
    const QString error = workFile_.errorString();
    workFile_.remove();
    Fail("Nelze zapsat počáteční hodnoty do souboru \"%1\" - chyba:\r\n%2", workFile_.fileName(), error);
  }
}

TSylkWriter::~TSylkWriter() {
  try {
    Close();
  } catch (const Exception&) {
    // Close() deleted the work file; a destructor has no one to report to.
  }
}

void TSylkWriter::SetFont(int fontIndex, int size, int style) {
  if (fontIndex < 0 || fontIndex >= FontNames().size())
    throw Exception(QStringLiteral("Písmo číslo %1 neexistuje.").arg(fontIndex));
  fontIndex_ = fontIndex;
  fontSize_ = size;
  fontStyle_ = style;
  UpdateFormat();
}

void TSylkWriter::SetAlignment(int align) {
  align_ = align;
  UpdateFormat();
}

void TSylkWriter::UpdateFormat() {
  const QByteArray line = Encode(FontLine(fontIndex_, fontSize_, fontStyle_));
  qsizetype position = fontLines_.indexOf(line);
  if (position < 0) {
    fontLines_.append(line);
    position = fontLines_.size() - 1;
  }
  fontNumber_ = int(position) + 5;
}

void TSylkWriter::WriteText(int row, int col, const QString& comment, const QString& text) {
  if (row < 1 || col < 1) throw Exception(QStringLiteral("Hodnoty (X,Y) nesmějí dosáhnout hodnotu 0"));
  const char* alignText = align_ == taCenter ? "FG0C;" : align_ == taRight ? "FG0R;" : "";
  QString record = QStringLiteral("F;P0;%1SM%2;Y%3;X%4 \r\nC;Y%3;X%4;K\"%5\"")
                       .arg(QLatin1String(alignText))
                       .arg(fontNumber_)
                       .arg(row)
                       .arg(col)
                       .arg(CleanText(text));
  if (!comment.isEmpty()) record += QStringLiteral(";A") + CleanText(comment) + QStringLiteral(" ") + kBreak;
  record += QStringLiteral("\r\n");
  const QByteArray bytes = Encode(record);
  if (closed_ || workFile_.write(bytes) != bytes.size() || !workFile_.flush())
    throw Exception(
        QStringLiteral("Chyba zápisu  textové hodnoty do souboru %1 na řádku %2 a sloupci %3 - chyba:\r\n%4")
            .arg(workFile_.fileName())
            .arg(row)
            .arg(col)
            .arg(closed_ ? QStringLiteral("soubor je uzavřen") : workFile_.errorString()));
}

void TSylkWriter::Close() {
  if (closed_) return;
  closed_ = true;
  try {
    Assemble();
  } catch (...) {
    workFile_.remove();
    throw;
  }
  workFile_.remove();
}

void TSylkWriter::Assemble() {
  workFile_.close();
  QFile target(fileName_);
  auto fail = [&](const QString& error) { Fail("Soubor \"%1\" nelze uzavřít - chyba:\r\n%2", fileName_, error); };
  if (!workFile_.open(QIODevice::ReadOnly)) fail(workFile_.errorString());
  if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate)) fail(target.errorString());
  const qsizetype headSize = Head().size();
  QByteArray out = workFile_.read(headSize);
  for (const QByteArray& line : fontLines_)
    out += line + kCrLf;
  for (const char* line : kAfterFonts)
    out += QByteArray(line) + kCrLf;
  out += workFile_.readAll();
  out += "E" + kCrLf;
  if (workFile_.error() != QFileDevice::NoError) fail(workFile_.errorString());
  if (target.write(out) != out.size() || !target.flush()) fail(target.errorString());
  workFile_.close();
}
