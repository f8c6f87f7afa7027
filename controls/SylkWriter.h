#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QFile>
#include <QtCore/QList>
#include <QtCore/QString>

// Writes text cells into a SYLK spreadsheet (the ".xls" member lists). Cells
// go to a work file beside the target (extension ".$$$") as they come; the
// target is assembled only by Close() (or the destructor), because the font
// table that precedes the cells is complete only then. Text is stored in the
// character set the desktop's spreadsheet reads SYLK text in (Calc takes the
// desktop's own, and no escape of SYLK carries a letter it would read else),
// every line ends with CR LF.
class TSylkWriter {
public:
  // The bytes of the text: code page 1250 as a Slovak Windows desktop has it,
  // or UTF-8 as a Linux desktop has it.
  enum class TTextEncoding { Cp1250, Utf8 };
  // Font style bits of SetFont.
  enum TStyleBits { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
  // Alignments of SetAlignment.
  enum TAlignment { taCenter = 0, taGeneral = 1, taRight = 2 };

  // Creates (or empties) the work file and writes the fixed head; the default
  // font is "Courier New CE" 10 (font number 5), alignment right. Throws
  // Exception when the work file cannot be created or written.
  TSylkWriter(const QString& fileName, TTextEncoding encoding);
  // Assembles the target when Close() has not run; errors are swallowed here,
  // so callers that must know call Close(). The work file is always deleted.
  ~TSylkWriter();
  TSylkWriter(const TSylkWriter&) = delete;
  TSylkWriter& operator=(const TSylkWriter&) = delete;

  // The font of the following cells: index 0..33 of the font table, size in
  // points, style bits. Throws Exception for an index outside the table.
  void SetFont(int fontIndex, int size, int style);
  void SetAlignment(int align);
  // Appends one text cell (row and column from 1) with an optional comment.
  void WriteText(int row, int col, const QString& comment, const QString& text);
  // Writes the target file (replacing an existing one) and deletes the work
  // file, also when writing fails; throws Exception on failure. Idempotent.
  void Close();

  QString FileName() const { return fileName_; }
  QString WorkFileName() const { return workFile_.fileName(); }
  // The font names of SetFont's index, in table order.
  static const QList<QString>& FontNames();
  // UTF-8 where the desktop's locale uses it, else code page 1250.
  static TTextEncoding DesktopEncoding();

private:
  QByteArray Encode(const QString& text) const;

  void UpdateFormat();
  void Assemble();

  QString fileName_;
  TTextEncoding encoding_;
  QFile workFile_;
  bool closed_ = false;
  QList<QByteArray> fontLines_;
  int align_ = taRight;
  int fontIndex_ = 1;
  int fontSize_ = 10;
  int fontStyle_ = 0;
  int fontNumber_ = 5;
};
