#include "reports/objects/rpRichText.h"
#include "reports/objects/rpRtfReader.h"
#include "reports/objects/rpRtfWriter.h"
#include <QtGui/QAbstractTextDocumentLayout>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QTextBlock>
#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <QtGui/QTextLayout>
#include <cmath>

namespace {

// Text is laid out as on a device of 96 dots per inch, whatever the screen.
QPaintDevice* LayoutDevice() {
  static QImage device = [] {
    QImage image(1, 1, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
  }();
  return &device;
}

void Prepare(QTextDocument& document) {
  document.documentLayout()->setPaintDevice(LayoutDevice());
  document.setDocumentMargin(0);
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(10);
  document.setDefaultFont(font);
}

// Point sizes become pixel sizes at 96 dots per inch: a recording keeps pixel
// sizes in its own coordinates, so it prints as large on a printer of any
// resolution as on the screen.
void UsePixelSizes(QTextDocument& document) {
  const auto convert = [](QTextCharFormat format) {
    if (format.hasProperty(QTextFormat::FontPointSize)) {
      format.setProperty(QTextFormat::FontPixelSize, qRound(format.fontPointSize() * 96 / 72));
      format.clearProperty(QTextFormat::FontPointSize);
    }
    return format;
  };
  QFont font = document.defaultFont();
  if (font.pointSizeF() > 0) font.setPixelSize(qRound(font.pointSizeF() * 96 / 72));
  document.setDefaultFont(font);
  struct TRun {
    int Position, Length;
    QTextCharFormat Format;
  };
  QList<TRun> runs; // collected first: changing formats may merge fragments
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    QTextCursor(block).setBlockCharFormat(convert(block.charFormat()));
    for (auto it = block.begin(); !it.atEnd(); ++it)
      runs.append({it.fragment().position(), it.fragment().length(), it.fragment().charFormat()});
  }
  QTextCursor cursor(&document);
  for (const TRun& run : runs) {
    cursor.setPosition(run.Position);
    cursor.setPosition(run.Position + run.Length, QTextCursor::KeepAnchor);
    cursor.setCharFormat(convert(run.Format));
  }
}

} // namespace

TrpRichText::TrpRichText() : document_(std::make_unique<QTextDocument>()) { Prepare(*document_); }

TrpRichText::~TrpRichText() = default;

qsizetype TrpRichText::LoadRtf(QByteArrayView rtf) { return rpReadRtf(rtf, *document_); }

QByteArray TrpRichText::SaveRtf() const { return rpWriteRtf(*document_); }

void TrpRichText::SetPlainText(const QString& text) { document_->setPlainText(text); }

QString TrpRichText::Text() const { return document_->toPlainText(); }

int TrpRichText::Length() const { return document_->characterCount() - 1; }

void TrpRichText::Clear() { document_->clear(); }

void TrpRichText::CopyFrom(const TrpRichText& other) {
  if (&other == this) return;
  // Through RTF, as the text goes from one edit to another.
  LoadRtf(other.SaveRtf());
}

int TrpRichText::Find(const QString& what, int from) const { return int(Text().indexOf(what, std::max(0, from))); }

void TrpRichText::ReplaceRange(int start, int end, const QString& text) {
  const int length = Length();
  if (start < 0 || start > length) return;
  QTextCursor probe(document_.get());
  probe.setPosition(std::min(start + 1, length));
  const QTextCharFormat format = probe.charFormat();
  QTextCursor cursor(document_.get());
  cursor.setPosition(start);
  cursor.setPosition(std::min(end + 1, length), QTextCursor::KeepAnchor);
  cursor.insertText(text, format);
}

void TrpRichText::Remove(int start, int end) {
  const int length = Length();
  start = std::clamp(start, 0, length);
  end = std::clamp(end, start, length);
  if (start == end) return;
  QTextCursor cursor(document_.get());
  cursor.setPosition(start);
  cursor.setPosition(end, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
}

std::unique_ptr<QTextDocument> TrpRichText::LaidOutFrom(int start, int width) const {
  std::unique_ptr<QTextDocument> copy(document_->clone());
  Prepare(*copy);
  copy->setDefaultFont(document_->defaultFont());
  if (start > 0) {
    QTextCursor cursor(copy.get());
    cursor.setPosition(std::min(start, copy->characterCount() - 1), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
  }
  UsePixelSizes(*copy);
  copy->setTextWidth(std::max(1, width));
  return copy;
}

const QList<TrpRichText::TLine>& TrpRichText::Lines(int start, int width) const {
  if (start == linesStart_ && width == linesWidth_ && document_->revision() == linesRevision_) return lines_;
  std::unique_ptr<QTextDocument> laidOut = LaidOutFrom(start, width);
  QAbstractTextDocumentLayout* layout = laidOut->documentLayout();
  lines_.clear();
  for (QTextBlock block = laidOut->begin(); block.isValid(); block = block.next()) {
    const QRectF box = layout->blockBoundingRect(block);
    const QTextLayout* lines = block.layout();
    for (int i = 0; lines && i < lines->lineCount(); ++i) {
      const QTextLine line = lines->lineAt(i);
      lines_.append({box.top() + line.y() + line.height(), block.position() + line.textStart()});
    }
  }
  linesStart_ = start;
  linesWidth_ = width;
  linesRevision_ = document_->revision();
  return lines_;
}

int TrpRichText::FitRange(int start, const QSize& pixels) const {
  start = std::clamp(start, 0, Length());
  for (const TLine& line : Lines(start, pixels.width()))
    if (line.Bottom > pixels.height() + 0.01) return start + line.First;
  return Length();
}

int TrpRichText::Paint(QPainter& painter, int start, const QSize& pixels) const {
  start = std::clamp(start, 0, Length());
  const int end = FitRange(start, pixels);
  int height = 0;
  for (const TLine& line : Lines(start, pixels.width()))
    if (start + line.First < end) height = int(std::ceil(line.Bottom));
  std::unique_ptr<QTextDocument> laidOut = LaidOutFrom(start, pixels.width());
  QAbstractTextDocumentLayout::PaintContext context;
  context.clip = QRectF(0, 0, pixels.width(), height);
  painter.save();
  painter.setClipRect(context.clip, Qt::IntersectClip);
  laidOut->documentLayout()->draw(&painter, context);
  painter.restore();
  return end;
}
