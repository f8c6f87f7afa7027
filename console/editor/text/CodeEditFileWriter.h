#pragma once
#include "console/editor/text/CodeEditStringList.h"
#include <QtCore/QByteArray>
#include <QtCore/QFile>

// A buffered writer of a text file in code page 1250: lines go into a write
// buffer (16 KB at first, enlarged for a longer line) that is flushed to the
// file when full, on Close and on destruction.
class TCodeEditFileWriter {
public:
  // Creates or truncates the file; raises EStreamError when it cannot.
  TCodeEditFileWriter(const QString& fileName, TLineBreakStyle style);
  // Flushes what is left; errors are reported only by Close.
  ~TCodeEditFileWriter();
  TCodeEditFileWriter(const TCodeEditFileWriter&) = delete;
  TCodeEditFileWriter& operator=(const TCodeEditFileWriter&) = delete;

  void Write(const QString& text);
  // The text followed by the style's line break.
  void WriteLine(const QString& text);
  // Flushes and closes the file; raises EStreamError when writing failed.
  void Close();

private:
  void Put(const QByteArray& bytes);
  bool Flush();

  QFile file_;
  QByteArray buffer_;
  qsizetype fill_ = 0;
  TLineBreakStyle style_;
};
