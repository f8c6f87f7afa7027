#include "reports/objects/rpRtfWriter.h"
#include "core/CodePage1250.h"
#include <QtCore/QStringList>
#include <QtGui/QTextBlock>
#include <QtGui/QTextDocument>
#include <QtGui/QTextList>

namespace {

QString FamilyOf(const QTextCharFormat& format, const QTextDocument& document) {
  const QStringList families = format.fontFamilies().toStringList();
  return families.isEmpty() ? document.defaultFont().family() : families.first();
}

double PointSizeOf(const QTextCharFormat& format, const QTextDocument& document) {
  return format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : document.defaultFont().pointSizeF();
}

// Text in RTF: ASCII as it is, code page 1250 as "\'xx", the rest as "\uN?".
QByteArray Escaped(const QString& text) {
  QByteArray out;
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u == '\\' || u == '{' || u == '}') {
      out += '\\';
      out += char(u);
    } else if (u == '\t') {
      out += "\\tab ";
    } else if (u == QChar::LineSeparator || u == '\n') {
      out += "\\line ";
    } else if (u == 0xA0) {
      out += "\\~";
    } else if (u >= 0x20 && u < 0x80) {
      out += char(u);
    } else if (u < 0x20) {
      continue; // control characters have no place in the text
    } else if (const int byte = Cp1250::FromUnicode(u); byte >= 0) {
      out += "\\'" + QByteArray::number(byte, 16).rightJustified(2, '0');
    } else {
      out += "\\u" + QByteArray::number(qint16(u)) + '?';
    }
  }
  return out;
}

} // namespace

QByteArray rpWriteRtf(const QTextDocument& document) {
  QStringList fonts;
  QList<QColor> colors;
  const auto fontIndex = [&](const QString& family) {
    qsizetype i = fonts.indexOf(family);
    if (i < 0) {
      fonts.append(family);
      i = fonts.size() - 1;
    }
    return int(i);
  };
  const auto colorIndex = [&](const QTextCharFormat& format) {
    if (!format.hasProperty(QTextFormat::ForegroundBrush)) return 0;
    const QColor color = format.foreground().color();
    qsizetype i = colors.indexOf(color);
    if (i < 0) {
      colors.append(color);
      i = colors.size() - 1;
    }
    return int(i) + 1;
  };
  fontIndex(document.defaultFont().family());

  QByteArray body;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const QTextBlockFormat format = block.blockFormat();
    body += "\\pard";
    switch (format.alignment() & Qt::AlignHorizontal_Mask) {
    case Qt::AlignRight:
      body += "\\qr";
      break;
    case Qt::AlignHCenter:
      body += "\\qc";
      break;
    case Qt::AlignJustify:
      body += "\\qj";
      break;
    default:
      break;
    }
    const auto indent = [&](const char* word, double pixels) {
      if (pixels != 0) body += QByteArray(word) + QByteArray::number(rpPixelsToTwips(pixels));
    };
    indent("\\fi", format.textIndent());
    indent("\\li", format.leftMargin());
    indent("\\ri", format.rightMargin());
    for (const QTextOption::Tab& tab : format.tabPositions())
      body += "\\tx" + QByteArray::number(rpPixelsToTwips(tab.position));
    if (block.textList()) body += "{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb\\'b7}}{\\pntext\\'b7\\tab}";
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const QTextCharFormat cf = fragment.charFormat();
      body += "\\plain\\f" + QByteArray::number(fontIndex(FamilyOf(cf, document)));
      body += "\\fs" + QByteArray::number(qRound(PointSizeOf(cf, document) * 2));
      if (cf.fontWeight() >= QFont::DemiBold) body += "\\b";
      if (cf.fontItalic()) body += "\\i";
      if (cf.fontUnderline()) body += "\\ul";
      if (cf.fontStrikeOut()) body += "\\strike";
      if (const int color = colorIndex(cf)) body += "\\cf" + QByteArray::number(color);
      body += ' ' + Escaped(fragment.text());
    }
    // Every paragraph ends with its mark, the last one too: a reader drops
    // the empty paragraph after the last mark, so an empty last one stays.
    body += "\\par\r\n";
  }

  QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1051{\\fonttbl";
  for (qsizetype i = 0; i < fonts.size(); ++i)
    rtf += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset238 " + Escaped(fonts.at(i)) + ";}";
  rtf += "}\r\n";
  if (!colors.isEmpty()) {
    rtf += "{\\colortbl ;";
    for (const QColor& c : colors)
      rtf += "\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green()) + "\\blue" +
             QByteArray::number(c.blue()) + ';';
    rtf += "}\r\n";
  }
  rtf += "\\viewkind4\\uc1" + body + "\r\n}\r\n";
  return rtf;
}
