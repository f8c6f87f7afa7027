#include "reports/engine/rpGlobals.h"
#include "core/Color.h"
#include "reports/engine/rpLocale.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/rpQPLFunctionLibrary.h"
#include "reports/engine/rpStdFunctionLibrary.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include <QtCore/QHash>
#include <QtGui/QFontMetrics>

namespace {

std::unique_ptr<TrpGlobals>& Instance() {
  static std::unique_ptr<TrpGlobals> globals;
  return globals;
}
int startCount = 0;

QStringList StringRange(int first, int count) {
  QStringList list;
  for (int id = first; id < first + count; ++id)
    list.append(rpLoadStr(id));
  return list;
}

QImage Checker() {
  QImage image(8, 8, QImage::Format_RGB32);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      image.setPixel(x, y, (x + y) % 2 == 0 ? 0xFFFFFFu : 0xC0C0C0u);
  return image;
}

// Text widths as QFontMetrics gives them, remembered: a line is measured
// when it is wrapped, again when it is drawn and again by an export filter,
// and shaping it is the costly part. Each font keeps its metrics and a
// bounded table of widths. Reports use few fonts, and the text objects' fonts
// are shared copies (rpMakeQFont), which compare equal at once.
class TTextWidths {
public:
  int Width(const QFont& font, const QString& text) {
    auto entry = std::find_if(fonts_.begin(), fonts_.end(), [&](const TFont& f) { return f.Font == font; });
    if (entry == fonts_.end()) {
      if (fonts_.size() >= kFonts) fonts_.clear();
      fonts_.push_back({font, QFontMetrics(font), {}});
      entry = fonts_.end() - 1;
    }
    auto& widths = entry->Widths;
    if (const auto known = widths.constFind(text); known != widths.constEnd()) return *known;
    if (widths.size() >= kWidthsPerFont) widths.clear();
    return *widths.insert(text, entry->Metrics.horizontalAdvance(text));
  }

private:
  static constexpr qsizetype kWidthsPerFont = 8192;
  static constexpr size_t kFonts = 64;
  struct TFont {
    QFont Font;
    QFontMetrics Metrics;
    QHash<QString, int> Widths;
  };
  std::vector<TFont> fonts_;
};

} // namespace

TrpGlobals::TrpGlobals() {
  LoadTables();
  CheckerBitmap = Checker();
  MeasureBitmap = QImage(8, 8, QImage::Format_RGB32);
  MeasureBitmap.fill(Qt::white);
  EngineRun.Parser = std::make_shared<TrpParser>();
  EngineRun.Interpreter = std::make_shared<TrpInterpretator>();
  Variables.SetSorted(true);
  Consts.SetSorted(true);
  PutConstants();
  Compressor = std::make_unique<TrpCompressor>();
  Printer = std::make_unique<TrpPrinter>();
  DefaultPaperSize = Printer->PaperSize;
  PrinterReady = true;
  ErrorBox = [](const QString& text, const QString& caption) {
    qWarning("%s: %s", qUtf8Printable(caption), qUtf8Printable(text));
  };
  AskPassword = [](QString&) { return false; };
  TextWidth = [widths = std::make_shared<TTextWidths>()](const QFont& font, const QString& text) {
    return widths->Width(font, text);
  };
  InputBox = [](const QString&, const QString& preset) { return preset; };
  MessageBox = [](const QString& text, const QString& title, int) {
    qWarning("%s: %s", qUtf8Printable(title), qUtf8Printable(text));
    return 1;
  };
}

TrpGlobals::~TrpGlobals() = default;

void TrpGlobals::LoadTables() {
  bool ok = false;
  const int charset = rpLoadStr(55337).toInt(&ok);
  DefaultCharset = ok ? quint8(charset) : 1;
  BandNames = StringRange(55077, 23);
  LogicalFormats = StringRange(55170, 4);
  DateFormats = StringRange(55175, 4);
  TimeFormats = StringRange(55179, 4);
}

const QStringList& rpSystemVariableNames() {
  static const QStringList names{QStringLiteral("PAGE#"),      QString(),
                                 QStringLiteral("DATE"),       QStringLiteral("TIME"),
                                 QStringLiteral("LINE#"),      QStringLiteral("LINETHROUGH#"),
                                 QStringLiteral("COLUMN#"),    QStringLiteral("CURRENT#"),
                                 QStringLiteral("TOTALPAGES"), QStringLiteral("REPORTCOMMENT"),
                                 QStringLiteral("REPORTNAME"), QStringLiteral("REPORTAUTOR")};
  return names;
}

const QList<TrpNamedColor>& rpColorTable() {
  static const QList<TrpNamedColor> table = [] {
    QList<TrpNamedColor> colors{{"clWhite", 0xFFFFFF},  {"clBlack", 0},           {"clMaroon", 0x80},
                                {"clGreen", 0x8000},    {"clOlive", 0x8080},      {"clNavy", 0x800000},
                                {"clPurple", 0x800080}, {"clTeal", 0x808000},     {"clGray", 0x808080},
                                {"clSilver", 0xC0C0C0}, {"clRed", 0xFF},          {"clLime", 0xFF00},
                                {"clYellow", 0xFFFF},   {"clBlue", 0xFF0000},     {"clFuchsia", 0xFF00FF},
                                {"clAqua", 0xFFFF00},   {"clTransparent", clNone}};
    static const char* const systemColors[] = {
        "clScrollBar",    "clBackground",     "clActiveCaption", "clInactiveCaption", "clMenu",
        "clWindow",       "clWindowFrame",    "clMenuText",      "clWindowText",      "clCaptionText",
        "clActiveBorder", "clInactiveBorder", "clAppWorkSpace",  "clHighlight",       "clHighlightText",
        "clBtnFace",      "clBtnShadow",      "clGrayText",      "clBtnText",         "clInactiveCaptionText",
        "clBtnHighlight", "cl3DDkShadow",     "cl3DLight",       "clInfoText",        "clInfoBk"};
    for (int i = 0; i < 25; ++i)
      colors.append({systemColors[i], qint32(0x80000000u + quint32(i))});
    return colors;
  }();
  return table;
}

void TrpGlobals::PutConstants() {
  // The colours first, in the table's order, then the other named values.
  for (const TrpNamedColor& c : rpColorTable())
    Consts.SetVariable(QLatin1String(c.Name), rpIntegerValue(c.Color));
  static const std::pair<const char*, qint64> numbers[] = {{"mrNone", 0},
                                                           {"mrOk", 1},
                                                           {"mrCancel", 2},
                                                           {"mrYes", 6},
                                                           {"mrNo", 7},
                                                           {"fsBold", 2},
                                                           {"fsItalic", 1},
                                                           {"fsUnderline", 4},
                                                           {"fsStrikeOut", 8},
                                                           {"frftNone", 0},
                                                           {"frftRight", 1},
                                                           {"frftBottom", 2},
                                                           {"frftLeft", 4},
                                                           {"frftTop", 8},
                                                           {"frtaLeft", 0},
                                                           {"frtaRight", 1},
                                                           {"frtaCenter", 2},
                                                           {"frtaVertical", 4},
                                                           {"frtaMiddle", 8},
                                                           {"frtaDown", 16},
                                                           {"baNone", 0},
                                                           {"baLeft", 1},
                                                           {"baRight", 2},
                                                           {"baCenter", 3},
                                                           {"baWidth", 4},
                                                           {"baBottom", 5},
                                                           {"baTop", 6},
                                                           {"baRest", 7},
                                                           {"psSolid", 0},
                                                           {"psDash", 1},
                                                           {"psDot", 2},
                                                           {"psDashDot", 3},
                                                           {"psDashDotDot", 4},
                                                           {"psDouble", 5},
                                                           {"mb_Ok", 0},
                                                           {"mb_OkCancel", 1},
                                                           {"mb_YesNo", 4},
                                                           {"mb_YesNoCancel", 3},
                                                           {"mb_IconError", 16},
                                                           {"mb_IconQuestion", 32},
                                                           {"mb_IconInformation", 64},
                                                           {"mb_IconWarning", 48}};
  for (const auto& [name, value] : numbers)
    Consts.SetVariable(QLatin1String(name), rpIntegerValue(value));
  Consts.SetVariable(QStringLiteral("CRLF"), QStringLiteral("\r\n"));
  Consts.SetVariable(QStringLiteral("Null"), QVariant());
}

void rpEngineStart() {
  if (startCount++ > 0) return;
  Instance() = std::make_unique<TrpGlobals>();
  rpSetEngineRunContext(&Instance()->EngineRun);
  // The libraries record their descriptions through the running engine, so
  // they are registered once the globals exist.
  rpAddFunctionLibrary(TrpStdFunctionLibrary::staticMetaObject);
  rpAddFunctionLibrary(TDatabaseFunctionLibrary::staticMetaObject);
  rpAddFunctionLibrary(TQPLFunctionLibrary::staticMetaObject);
}

void rpEngineEnd() {
  if (startCount == 0 || --startCount > 0) return;
  rpSetEngineRunContext(nullptr);
  Instance().reset();
  rpFreeLocale();
}

bool rpEngineStarted() { return Instance() != nullptr; }

// The registries and the printer belong to the running engine.
TrpPrinter& rpPrinter() { return *rpGlobals().Printer; }

bool rpAddExportFilter(QObject* filter, const QString& description, const QString& mask) {
  return rpGlobals().ExportFilters.Add(filter, description, mask);
}

void rpRemoveExportFilter(const QObject* filter) { rpGlobals().ExportFilters.Remove(filter); }
bool rpAddFunctionLibrary(const QMetaObject& libraryClass) { return rpGlobals().FunctionLibraries.Add(libraryClass); }
void rpRemoveFunctionLibrary(const QMetaObject& libraryClass) { rpGlobals().FunctionLibraries.Remove(libraryClass); }

void rpAddFunctionDescription(TrpFunctionLibrary* library, const QString& name, const QString& category,
                              const QString& description) {
  rpGlobals().InstalledFunctions.Add(library, name, category, description);
}

TrpGlobals& rpGlobals() {
  if (!Instance()) throw Exception(QStringLiteral("Tlačový modul nie je spustený."));
  return *Instance();
}
