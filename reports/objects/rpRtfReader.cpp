#include "reports/objects/rpRtfReader.h"
#include "core/CodePage1250.h"
#include "reports/objects/rpRtfWriter.h"
#include <QtCore/QList>
#include <QtCore/QMap>
#include <QtGui/QTextBlock>
#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <QtGui/QTextList>
#include <cstdlib>

namespace {

constexpr int kMaxDepth = 512; // deeper nesting is not RTF any program writes

enum class TDestination { Text, Skip, FontTable, ColorTable, FontEntry, Numbering };

struct TCharState {
  int Font = -1;
  int SizeHalfPoints = 24;
  bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
  int Color = 0;
  int SkipAfterUnicode = 1; // \ucN
};

struct TGroup {
  TCharState Char;
  TDestination Destination = TDestination::Text;
};

struct TParagraph {
  QTextBlockFormat Format;
  bool Bullet = false;
  QList<QPair<QString, QTextCharFormat>> Runs;
  QTextCharFormat EndFormat; // the format at the paragraph's end (an empty paragraph's)
};

class TRtfParser {
public:
  TRtfParser(QByteArrayView data) : data_(data) {}

  qsizetype Parse(QTextDocument& document);

private:
  void ControlWord(const QByteArray& word, bool hasParam, int param);
  void ControlSymbol(char symbol);
  void AddText(const QString& text);
  void AddByte(quint8 byte);
  void EndParagraph();
  void ResetParagraph();
  QTextCharFormat CharFormat() const;
  void Build(QTextDocument& document);
  TGroup& Top() { return groups_.last(); }

  QByteArrayView data_;
  qsizetype pos_ = 0;
  QList<TGroup> groups_;
  QMap<int, QString> fonts_;
  QList<QColor> colors_;
  bool colorPending_ = false;
  int red_ = 0, green_ = 0, blue_ = 0;
  int fontNumber_ = 0;
  QString fontName_;
  int defaultFont_ = 0;
  int skipChars_ = 0;
  bool nextGroupIgnorable_ = false;
  TParagraph paragraph_;
  QList<TParagraph> paragraphs_;
  QList<QTextOption::Tab> tabs_;
};

qsizetype TRtfParser::Parse(QTextDocument& document) {
  // An RTF stream begins with its outermost group; leading blanks are allowed.
  while (pos_ < data_.size() && QChar::isSpace(uchar(data_[pos_])))
    ++pos_;
  if (!data_.sliced(pos_).startsWith(QByteArrayView("{\\rtf"))) {
    document.clear();
    return 0;
  }
  ResetParagraph();
  while (pos_ < data_.size()) {
    const char c = data_[pos_++];
    if (c == '{') {
      if (groups_.size() >= kMaxDepth) break;
      TGroup group = groups_.isEmpty() ? TGroup{} : Top();
      if (group.Destination == TDestination::FontEntry) group.Destination = TDestination::FontTable;
      groups_.append(group);
      if (Top().Destination == TDestination::FontTable) Top().Destination = TDestination::FontEntry;
      nextGroupIgnorable_ = false;
    } else if (c == '}') {
      if (groups_.isEmpty()) break;
      if (Top().Destination == TDestination::FontEntry && !fontName_.isEmpty()) {
        fonts_[fontNumber_] = fontName_.trimmed();
        fontName_.clear();
      }
      groups_.removeLast();
      skipChars_ = 0;
      if (groups_.isEmpty()) break; // the end of the document
    } else if (c == '\\') {
      if (pos_ >= data_.size()) break;
      const char next = data_[pos_];
      if (QChar::isLetter(uchar(next)) && uchar(next) < 128) {
        const qsizetype start = pos_;
        while (pos_ < data_.size() && uchar(data_[pos_]) < 128 && QChar::isLetter(uchar(data_[pos_])) &&
               pos_ - start < 32)
          ++pos_;
        const QByteArray word = data_.sliced(start, pos_ - start).toByteArray();
        bool negative = false, hasParam = false;
        qint64 param = 0;
        if (pos_ < data_.size() && data_[pos_] == '-') {
          negative = true;
          ++pos_;
        }
        while (pos_ < data_.size() && data_[pos_] >= '0' && data_[pos_] <= '9') {
          if (param < 100000000) param = param * 10 + (data_[pos_] - '0');
          hasParam = true;
          ++pos_;
        }
        if (pos_ < data_.size() && data_[pos_] == ' ') ++pos_; // the delimiter belongs to the word
        if (!groups_.isEmpty()) ControlWord(word, hasParam, int(negative ? -param : param));
      } else {
        ++pos_;
        if (!groups_.isEmpty()) ControlSymbol(next);
      }
    } else if (c == '\r' || c == '\n') {
      continue;
    } else if (!groups_.isEmpty()) {
      if (Top().Destination == TDestination::FontEntry) {
        if (c == ';') {
          fonts_[fontNumber_] = fontName_.trimmed();
          fontName_.clear();
        } else {
          fontName_ += QChar(Cp1250::ToUnicode(uchar(c)));
        }
      } else if (Top().Destination == TDestination::ColorTable) {
        if (c == ';') {
          colors_.append(colorPending_ ? QColor(red_, green_, blue_) : QColor());
          colorPending_ = false;
          red_ = green_ = blue_ = 0;
        }
      } else {
        AddByte(uchar(c));
      }
    }
  }
  EndParagraph();
  Build(document);
  return pos_;
}

void TRtfParser::ControlSymbol(char symbol) {
  switch (symbol) {
  case '\'': {
    if (pos_ + 2 > data_.size()) {
      pos_ = data_.size();
      return;
    }
    bool ok = false;
    const int byte = data_.sliced(pos_, 2).toByteArray().toInt(&ok, 16);
    pos_ += 2;
    if (!ok) return;
    if (Top().Destination == TDestination::FontEntry)
      fontName_ += QChar(Cp1250::ToUnicode(uchar(byte)));
    else
      AddByte(uchar(byte));
    return;
  }
  case '*':
    nextGroupIgnorable_ = true;
    return;
  case '~':
    AddText(QString(QChar(0xA0)));
    return;
  case '_':
    AddText(QString(QChar(0x2011)));
    return;
  case '\\':
  case '{':
  case '}':
    AddByte(uchar(symbol));
    return;
  case '\r':
  case '\n':
    ControlWord("par", false, 0);
    return;
  default:
    return; // "\-" (optional hyphen) and others print nothing
  }
}

void TRtfParser::ControlWord(const QByteArray& word, bool hasParam, int param) {
  TCharState& ch = Top().Char;
  const bool on = !hasParam || param != 0;
  // Destinations whose content is no text of the document.
  static const QByteArrayView kSkipped[] = {"pict",         "header",
                                            "footer",       "headerl",
                                            "headerr",      "footerl",
                                            "footerr",      "info",
                                            "stylesheet",   "fldinst",
                                            "object",       "pntext",
                                            "listtext",     "xe",
                                            "tc",           "footnote",
                                            "listtable",    "listoverridetable",
                                            "rsidtbl",      "generator",
                                            "themedata",    "colorschememapping",
                                            "latentstyles", "datastore",
                                            "bkmkstart",    "bkmkend",
                                            "revtbl",       "filetbl",
                                            "private"};
  for (QByteArrayView skipped : kSkipped)
    if (word == skipped) {
      Top().Destination = TDestination::Skip;
      return;
    }
  if (Top().Destination == TDestination::Skip) return;
  // A bullet paragraph describes its numbering in a group of its own.
  if (word == "pn") {
    nextGroupIgnorable_ = false;
    Top().Destination = TDestination::Numbering;
    return;
  }
  if (Top().Destination == TDestination::Numbering) {
    if (word == "pnlvlblt") paragraph_.Bullet = true;
    return;
  }
  // "{\*\word": a destination this reader does not know is skipped whole.
  if (nextGroupIgnorable_) {
    nextGroupIgnorable_ = false;
    Top().Destination = TDestination::Skip;
    return;
  }
  if (word == "fonttbl") {
    Top().Destination = TDestination::FontTable;
  } else if (word == "colortbl") {
    Top().Destination = TDestination::ColorTable;
  } else if (word == "deff") {
    defaultFont_ = param;
  } else if (word == "f") {
    if (Top().Destination == TDestination::FontEntry || Top().Destination == TDestination::FontTable) {
      fontNumber_ = param;
      fontName_.clear();
      Top().Destination = TDestination::FontEntry;
    } else {
      ch.Font = param;
    }
  } else if (word == "red") {
    red_ = param & 0xFF;
    colorPending_ = true;
  } else if (word == "green") {
    green_ = param & 0xFF;
    colorPending_ = true;
  } else if (word == "blue") {
    blue_ = param & 0xFF;
    colorPending_ = true;
  } else if (Top().Destination != TDestination::Text) {
    return; // font family, character set and the like
  } else if (word == "par") {
    EndParagraph();
  } else if (word == "pard") {
    ResetParagraph();
  } else if (word == "plain") {
    const int skip = ch.SkipAfterUnicode;
    ch = TCharState{};
    ch.SkipAfterUnicode = skip;
  } else if (word == "b") {
    ch.Bold = on;
  } else if (word == "i") {
    ch.Italic = on;
  } else if (word == "ul") {
    ch.Underline = on;
  } else if (word == "ulnone") {
    ch.Underline = false;
  } else if (word == "strike") {
    ch.StrikeOut = on;
  } else if (word == "fs") {
    if (param > 0 && param <= 3276) ch.SizeHalfPoints = param;
  } else if (word == "cf") {
    ch.Color = param;
  } else if (word == "uc") {
    ch.SkipAfterUnicode = qBound(0, param, 10);
  } else if (word == "u" && hasParam) {
    const char16_t code = char16_t(param < 0 ? param + 65536 : param);
    if (code >= 0x20) AddText(QString(QChar(code))); // control characters are no text
    skipChars_ = ch.SkipAfterUnicode;
  } else if (word == "ql") {
    paragraph_.Format.setAlignment(Qt::AlignLeft);
  } else if (word == "qr") {
    paragraph_.Format.setAlignment(Qt::AlignRight);
  } else if (word == "qc") {
    paragraph_.Format.setAlignment(Qt::AlignHCenter);
  } else if (word == "qj") {
    paragraph_.Format.setAlignment(Qt::AlignJustify);
  } else if (word == "li") {
    paragraph_.Format.setLeftMargin(rpTwipsToPixels(param));
  } else if (word == "ri") {
    paragraph_.Format.setRightMargin(rpTwipsToPixels(param));
  } else if (word == "fi") {
    paragraph_.Format.setTextIndent(rpTwipsToPixels(param));
  } else if (word == "tx") {
    tabs_.append(QTextOption::Tab(rpTwipsToPixels(param), QTextOption::LeftTab));
    paragraph_.Format.setTabPositions(tabs_);
  } else if (word == "pnlvlblt" || word == "ls") {
    paragraph_.Bullet = true;
  } else if (word == "tab") {
    skipChars_ = 0;
    AddText(QStringLiteral("\t"));
  } else if (word == "line") {
    AddText(QString(QChar::LineSeparator));
  } else if (word == "emdash") {
    AddText(QString(QChar(0x2014)));
  } else if (word == "endash") {
    AddText(QString(QChar(0x2013)));
  } else if (word == "bullet") {
    AddText(QString(QChar(0x2022)));
  } else if (word == "lquote") {
    AddText(QString(QChar(0x2018)));
  } else if (word == "rquote") {
    AddText(QString(QChar(0x2019)));
  } else if (word == "ldblquote") {
    AddText(QString(QChar(0x201C)));
  } else if (word == "rdblquote") {
    AddText(QString(QChar(0x201D)));
  }
}

void TRtfParser::AddByte(quint8 byte) {
  // The fallback characters after "\uN" stand for the same character.
  if (skipChars_ > 0) {
    --skipChars_;
    return;
  }
  if (byte < 0x20) return; // control characters are no text
  AddText(QString(QChar(Cp1250::ToUnicode(byte))));
}

void TRtfParser::AddText(const QString& text) {
  if (groups_.isEmpty() || Top().Destination != TDestination::Text) return;
  const QTextCharFormat format = CharFormat();
  if (!paragraph_.Runs.isEmpty() && paragraph_.Runs.last().second == format)
    paragraph_.Runs.last().first += text;
  else
    paragraph_.Runs.append({text, format});
}

QTextCharFormat TRtfParser::CharFormat() const {
  const TCharState& ch = groups_.last().Char;
  QTextCharFormat format;
  const QString family = fonts_.value(ch.Font < 0 ? defaultFont_ : ch.Font);
  if (!family.isEmpty()) format.setFontFamilies({family});
  format.setFontPointSize(ch.SizeHalfPoints / 2.0);
  format.setFontWeight(ch.Bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(ch.Italic);
  format.setFontUnderline(ch.Underline);
  format.setFontStrikeOut(ch.StrikeOut);
  // Entry 0 of the colour table is the automatic colour.
  if (ch.Color > 0 && ch.Color < colors_.size() && colors_.at(ch.Color).isValid())
    format.setForeground(colors_.at(ch.Color));
  return format;
}

void TRtfParser::EndParagraph() {
  if (!groups_.isEmpty()) paragraph_.EndFormat = CharFormat();
  paragraphs_.append(paragraph_);
  paragraph_.Runs.clear();
}

void TRtfParser::ResetParagraph() {
  paragraph_.Format = QTextBlockFormat();
  paragraph_.Bullet = false;
  tabs_.clear();
}

void TRtfParser::Build(QTextDocument& document) {
  document.clear();
  // The text ends with its last "\par": the paragraph after it is empty and no paragraph of the text.
  if (paragraphs_.size() > 1 && paragraphs_.last().Runs.isEmpty()) paragraphs_.removeLast();
  QTextCursor cursor(&document);
  QTextList* list = nullptr;
  for (qsizetype i = 0; i < paragraphs_.size(); ++i) {
    const TParagraph& p = paragraphs_.at(i);
    const QTextCharFormat first = p.Runs.isEmpty() ? p.EndFormat : p.Runs.first().second;
    if (i == 0) {
      cursor.setBlockFormat(p.Format);
      cursor.setBlockCharFormat(first);
    } else {
      cursor.insertBlock(p.Format, first);
    }
    if (p.Bullet) {
      if (list)
        list->add(cursor.block());
      else
        list = cursor.createList(QTextListFormat::ListDisc);
    } else {
      list = nullptr;
    }
    for (const auto& [text, format] : p.Runs)
      cursor.insertText(text, format);
  }
}

} // namespace

qsizetype rpReadRtf(QByteArrayView rtf, QTextDocument& document) {
  TRtfParser parser(rtf);
  return parser.Parse(document);
}
