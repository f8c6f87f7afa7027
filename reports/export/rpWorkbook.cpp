#include "reports/export/rpWorkbook.h"
#include "reports/export/rpExcel.h"
#include "reports/export/rpXMLExcelExport.h"
#include "reports/export/rpZipWriter.h"
#include <QtCore/QBuffer>
#include <QtCore/QSet>
#include <algorithm>

namespace {

const QByteArray kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const QByteArray kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const QByteArray kPackageRel = "http://schemas.openxmlformats.org/package/2006/relationships";
const QByteArray kHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

QByteArray Xml(const QString& text) {
  return rpXmlText(text).replace(QStringLiteral("&#10;"), QStringLiteral("\n")).toUtf8();
}

QByteArray XmlNumber(double value) { return QByteArray::number(value, 'g', 12); }

QByteArray Argb(TColor color) {
  const quint32 c = quint32(color);
  const quint32 rgb = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  return "FF" + QByteArray::number(rgb, 16).toUpper().rightJustified(6, '0');
}

QByteArray HorizontalAlignmentName(int value) {
  switch (value) {
  case -4152:
    return "right";
  case -4108:
    return "center";
  case -4130:
    return "justify";
  default:
    return "left";
  }
}

QByteArray VerticalAlignmentName(int value) {
  switch (value) {
  case -4108:
    return "center";
  case -4107:
    return "bottom";
  default:
    return "top";
  }
}

constexpr qint64 kEmuPerPoint = 12700;

} // namespace

void TRpWorkbook::SetValue(int column, int row, const QString& text) {
  if (text.isEmpty())
    values_.remove(Key(column, row));
  else
    values_.insert(Key(column, row), text);
}

QByteArray TRpWorkbook::SheetXml(QList<QByteArray>& cellFormats) const {
  // Every cell that has something: a value, a style or borders.
  QSet<quint64> keys;
  for (auto it = values_.begin(); it != values_.end(); ++it)
    keys.insert(it.key());
  for (auto it = cellStyles_.begin(); it != cellStyles_.end(); ++it)
    keys.insert(it.key());
  for (auto it = borders_.begin(); it != borders_.end(); ++it)
    keys.insert(it.key());
  QList<quint64> ordered(keys.begin(), keys.end());
  std::sort(ordered.begin(), ordered.end());
  QMap<int, QList<quint64>> rows;
  for (quint64 key : ordered)
    rows[int(key >> 32)].append(key);
  for (auto it = rowHeights_.begin(); it != rowHeights_.end(); ++it)
    if (!rows.contains(it.key())) rows.insert(it.key(), {});

  QByteArray out = kHead + "<worksheet xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel + "\">";
  out += "<sheetViews><sheetView workbookViewId=\"0\"><selection activeCell=\"A1\" "
         "sqref=\"A1\"/></sheetView></sheetViews>";
  out += "<sheetFormatPr defaultRowHeight=\"12.75\"/>";
  if (!columnWidths_.isEmpty()) {
    out += "<cols>";
    for (auto it = columnWidths_.begin(); it != columnWidths_.end(); ++it)
      out += "<col min=\"" + XmlNumber(it.key()) + "\" max=\"" + XmlNumber(it.key()) + "\" width=\"" +
             XmlNumber(it.value()) + "\" customWidth=\"1\"/>";
    out += "</cols>";
  }
  out += "<sheetData>";
  for (auto row = rows.begin(); row != rows.end(); ++row) {
    out += "<row r=\"" + XmlNumber(row.key()) + "\"";
    if (rowHeights_.contains(row.key()))
      out += " ht=\"" + XmlNumber(rowHeights_.value(row.key())) + "\" customHeight=\"1\"";
    out += ">";
    for (quint64 key : row.value()) {
      const int column = int(key & 0xFFFFFFFF);
      const QByteArray format = cellStyles_.value(key).toUtf8() + '|' + QByteArray::number(borders_.value(key));
      qsizetype formatIndex = cellFormats.indexOf(format);
      if (formatIndex < 0) {
        cellFormats.append(format);
        formatIndex = cellFormats.size() - 1;
      }
      out +=
          "<c r=\"" + TRpExcel::CellName(column, row.key()).toLatin1() + "\" s=\"" + XmlNumber(formatIndex + 1) + "\"";
      const QString value = values_.value(key);
      if (value.isEmpty())
        out += "/>";
      else
        out += " t=\"inlineStr\"><is><t xml:space=\"preserve\">" + Xml(value) + "</t></is></c>";
    }
    out += "</row>";
  }
  out += "</sheetData>";
  if (!merges_.isEmpty()) {
    out += "<mergeCells count=\"" + XmlNumber(merges_.size()) + "\">";
    for (const QRect& r : merges_)
      out += "<mergeCell ref=\"" +
             (TRpExcel::CellName(r.left(), r.top()) + QLatin1Char(':') + TRpExcel::CellName(r.right(), r.bottom()))
                 .toLatin1() +
             "\"/>";
    out += "</mergeCells>";
  }
  out += "<pageMargins left=\"" + XmlNumber(LeftMargin / 72) + "\" right=\"" + XmlNumber(RightMargin / 72) +
         "\" top=\"" + XmlNumber(TopMargin / 72) + "\" bottom=\"" + XmlNumber(BottomMargin / 72) +
         "\" header=\"0.3\" footer=\"0.3\"/>";
  out += QByteArray("<pageSetup orientation=\"") + (Landscape ? "landscape" : "portrait") + "\"/>";
  if (!pictures_.isEmpty()) out += "<drawing r:id=\"rId1\"/>";
  return out + "</worksheet>";
}

QByteArray TRpWorkbook::StylesXml(const QList<QByteArray>& cellFormats) const {
  QList<QByteArray> fonts{"<font><sz val=\"10\"/><name val=\"Arial\"/></font>"};
  QList<QByteArray> fills{"<fill><patternFill patternType=\"none\"/></fill>",
                          "<fill><patternFill patternType=\"gray125\"/></fill>"};
  QList<QByteArray> borders{"<border><left/><right/><top/><bottom/><diagonal/></border>"};
  QList<QByteArray> styleXfs{"<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"};
  QByteArray cellStyles = "<cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/>";
  QMap<QString, int> styleXfOf;
  const auto indexOf = [](QList<QByteArray>& list, const QByteArray& item) {
    qsizetype at = list.indexOf(item);
    if (at < 0) {
      list.append(item);
      at = list.size() - 1;
    }
    return XmlNumber(at);
  };
  const auto styleParts = [&](const TRpCellStyle& s, QByteArray& fontId, QByteArray& fillId, QByteArray& alignment) {
    QByteArray font = "<font>";
    if (s.Bold) font += "<b/>";
    if (s.Italic) font += "<i/>";
    if (s.Underline) font += "<u/>";
    font += "<sz val=\"" + XmlNumber(s.FontSize) + "\"/><color rgb=\"" + Argb(s.FontColor) + "\"/><name val=\"" +
            Xml(s.FontName) + "\"/></font>";
    fontId = indexOf(fonts, font);
    fillId = s.InteriorColor == clNone
                 ? QByteArray("0")
                 : indexOf(fills, "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"" + Argb(s.InteriorColor) +
                                      "\"/><bgColor indexed=\"64\"/></patternFill></fill>");
    alignment = "<alignment horizontal=\"" + HorizontalAlignmentName(s.HorizontalAlignment) + "\" vertical=\"" +
                VerticalAlignmentName(s.VerticalAlignment) + "\"" + (WrapText ? " wrapText=\"1\"" : "") + "/>";
  };
  for (auto it = styles_.begin(); it != styles_.end(); ++it) {
    QByteArray fontId, fillId, alignment;
    styleParts(it.value(), fontId, fillId, alignment);
    styleXfs.append("<xf numFmtId=\"0\" fontId=\"" + fontId + "\" fillId=\"" + fillId +
                    "\" borderId=\"0\" applyFont=\"1\" applyFill=\"1\" applyAlignment=\"1\">" + alignment + "</xf>");
    styleXfOf.insert(it.key(), int(styleXfs.size()) - 1);
    cellStyles += "<cellStyle name=\"" + Xml(it.key()) + "\" xfId=\"" + XmlNumber(styleXfs.size() - 1) + "\"/>";
  }
  QList<QByteArray> cellXfs{"<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"};
  for (const QByteArray& format : cellFormats) {
    const qsizetype bar = format.lastIndexOf('|');
    const QString name = QString::fromUtf8(format.left(bar));
    const int flags = format.mid(bar + 1).toInt();
    QByteArray border = "<border>";
    border += flags & 4 ? "<left style=\"thin\"><color auto=\"1\"/></left>" : "<left/>";
    border += flags & 1 ? "<right style=\"thin\"><color auto=\"1\"/></right>" : "<right/>";
    border += flags & 8 ? "<top style=\"thin\"><color auto=\"1\"/></top>" : "<top/>";
    border += flags & 2 ? "<bottom style=\"thin\"><color auto=\"1\"/></bottom>" : "<bottom/>";
    border += "<diagonal/></border>";
    const QByteArray borderId = indexOf(borders, border);
    QByteArray fontId = "0", fillId = "0", alignment = WrapText ? "<alignment wrapText=\"1\"/>" : "";
    if (styles_.contains(name)) styleParts(styles_.value(name), fontId, fillId, alignment);
    cellXfs.append("<xf numFmtId=\"0\" fontId=\"" + fontId + "\" fillId=\"" + fillId + "\" borderId=\"" + borderId +
                   "\" xfId=\"" + XmlNumber(styleXfOf.value(name, 0)) +
                   "\" applyFont=\"1\" applyFill=\"1\" applyBorder=\"1\" applyAlignment=\"1\">" + alignment + "</xf>");
  }
  const auto block = [](const char* tag, const QList<QByteArray>& items) -> QByteArray {
    return "<" + QByteArray(tag) + " count=\"" + XmlNumber(items.size()) + "\">" + items.join() + "</" +
           QByteArray(tag) + ">";
  };
  return kHead + "<styleSheet xmlns=\"" + kMain + "\">" + block("fonts", fonts) + block("fills", fills) +
         block("borders", borders) + block("cellStyleXfs", styleXfs) + block("cellXfs", cellXfs) +
         "<cellStyles count=\"" + XmlNumber(styles_.size() + 1) + "\">" + cellStyles + "</cellStyles></styleSheet>";
}

QByteArray TRpWorkbook::DrawingXml() const {
  QByteArray out = kHead +
                   "<xdr:wsDr xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing\" "
                   "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" xmlns:r=\"" +
                   kRel + "\">";
  for (qsizetype i = 0; i < pictures_.size(); ++i) {
    const TPicture& p = pictures_[i];
    const QByteArray cx = XmlNumber(qint64(p.Width * kEmuPerPoint)), cy = XmlNumber(qint64(p.Height * kEmuPerPoint));
    out += "<xdr:oneCellAnchor><xdr:from><xdr:col>" + XmlNumber(p.Column - 1) +
           "</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>" + XmlNumber(p.Row - 1) +
           "</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:from><xdr:ext cx=\"" + cx + "\" cy=\"" + cy +
           "\"/><xdr:pic><xdr:nvPicPr><xdr:cNvPr id=\"" + XmlNumber(i + 2) + "\" name=\"Picture " + XmlNumber(i + 1) +
           "\"/><xdr:cNvPicPr/></xdr:nvPicPr><xdr:blipFill><a:blip r:embed=\"rId" + XmlNumber(i + 1) +
           "\"/><a:stretch><a:fillRect/></a:stretch></xdr:blipFill><xdr:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext "
           "cx=\"" +
           cx + "\" cy=\"" + cy +
           "\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></xdr:spPr></xdr:pic>"
           "<xdr:clientData/></xdr:oneCellAnchor>";
  }
  return out + "</xdr:wsDr>";
}

QByteArray TRpWorkbook::Contents() const {
  TrpZipWriter zip;
  QByteArray types =
      kHead + "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
              "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
              "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
              "<Default Extension=\"png\" ContentType=\"image/png\"/>"
              "<Override PartName=\"/xl/workbook.xml\" "
              "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
              "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
              "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
              "<Override PartName=\"/xl/styles.xml\" "
              "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>";
  if (!pictures_.isEmpty())
    types += "<Override PartName=\"/xl/drawings/drawing1.xml\" "
             "ContentType=\"application/vnd.openxmlformats-officedocument.drawing+xml\"/>";
  zip.Add(QStringLiteral("[Content_Types].xml"), types + "</Types>");
  zip.Add(QStringLiteral("_rels/.rels"), kHead + "<Relationships xmlns=\"" + kPackageRel +
                                             "\"><Relationship Id=\"rId1\" Type=\"" + kRel +
                                             "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
  zip.Add(QStringLiteral("xl/workbook.xml"),
          kHead + "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel +
              "\"><sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>");
  zip.Add(QStringLiteral("xl/_rels/workbook.xml.rels"),
          kHead + "<Relationships xmlns=\"" + kPackageRel + "\"><Relationship Id=\"rId1\" Type=\"" + kRel +
              "/worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" + kRel +
              "/styles\" Target=\"styles.xml\"/></Relationships>");
  QList<QByteArray> cellFormats;
  zip.Add(QStringLiteral("xl/worksheets/sheet1.xml"), SheetXml(cellFormats));
  zip.Add(QStringLiteral("xl/styles.xml"), StylesXml(cellFormats));
  if (!pictures_.isEmpty()) {
    zip.Add(QStringLiteral("xl/worksheets/_rels/sheet1.xml.rels"),
            kHead + "<Relationships xmlns=\"" + kPackageRel + "\"><Relationship Id=\"rId1\" Type=\"" + kRel +
                "/drawing\" Target=\"../drawings/drawing1.xml\"/></Relationships>");
    zip.Add(QStringLiteral("xl/drawings/drawing1.xml"), DrawingXml());
    QByteArray rels = kHead + "<Relationships xmlns=\"" + kPackageRel + "\">";
    for (qsizetype i = 0; i < pictures_.size(); ++i) {
      rels += "<Relationship Id=\"rId" + XmlNumber(i + 1) + "\" Type=\"" + kRel + "/image\" Target=\"../media/image" +
              XmlNumber(i + 1) + ".png\"/>";
      QByteArray png;
      QBuffer buffer(&png);
      buffer.open(QIODevice::WriteOnly);
      pictures_[i].Image.save(&buffer, "PNG");
      zip.Add(QStringLiteral("xl/media/image%1.png").arg(i + 1), png, true);
    }
    zip.Add(QStringLiteral("xl/drawings/_rels/drawing1.xml.rels"), rels + "</Relationships>");
  }
  return zip.Finish();
}
