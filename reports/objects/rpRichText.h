#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QSize>
#include <memory>

class QPainter;
class QTextDocument;

// Formatted text as the rich-text object keeps it: a document with the RTF
// reader and writer, text search, replacement of a range that keeps the
// range's formatting, and layout of the text from a character into a
// rectangle (pixels at 96 dots per inch, as the engine wraps text), which
// answers the first character that did not fit. Positions count every
// character, a paragraph end as one.
class TrpRichText {
public:
  TrpRichText();
  ~TrpRichText();
  TrpRichText(const TrpRichText&) = delete;
  TrpRichText& operator=(const TrpRichText&) = delete;

  QTextDocument& Document() { return *document_; }
  const QTextDocument& Document() const { return *document_; }

  // Replaces the content by the RTF; damaged RTF gives what could be read.
  // Answers the bytes the reader consumed (0 when the data is no RTF).
  qsizetype LoadRtf(QByteArrayView rtf);
  QByteArray SaveRtf() const;
  void SetPlainText(const QString& text);
  // The characters, a paragraph end as "\n".
  QString Text() const;
  int Length() const;
  bool IsEmpty() const { return Length() == 0; }
  void Clear();
  // The same content as `other`.
  void CopyFrom(const TrpRichText& other);

  // The position of the first occurrence at or after `from`, -1 when none.
  int Find(const QString& what, int from) const;
  // Replaces the characters start .. end (inclusive) by the text, which
  // takes the format of the range's first character.
  void ReplaceRange(int start, int end, const QString& text);
  // Removes the characters start .. end - 1.
  void Remove(int start, int end);

  // Lays the text from `start` out into a rectangle of that size and
  // answers the first character that did not fit (Length() when all did).
  int FitRange(int start, const QSize& pixels) const;
  // Draws the text from `start` at the painter's origin into an area of that
  // size (the painter's transform scales it to the device), only the lines
  // that fit; answers the first character that did not. Text is drawn, not
  // replayed from a recording: a recording re-sizes its fonts on a device of
  // another resolution (a printer), so printed text came out too large.
  int Paint(QPainter& painter, int start, const QSize& pixels) const;

private:
  // A copy of the document from `start`, laid out at the width.
  std::unique_ptr<QTextDocument> LaidOutFrom(int start, int width) const;
  // The bottom of every line of the text from `start` at the width, with the
  // line's first character (relative to `start`); kept until the text changes.
  struct TLine {
    qreal Bottom;
    int First;
  };
  const QList<TLine>& Lines(int start, int width) const;

  std::unique_ptr<QTextDocument> document_;
  mutable QList<TLine> lines_;
  mutable int linesStart_ = -1, linesWidth_ = -1, linesRevision_ = -1;
};
