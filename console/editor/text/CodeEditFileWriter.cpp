#include "console/editor/text/CodeEditFileWriter.h"
#include "core/CodePage1250.h"
#include "core/Exception.h"

TCodeEditFileWriter::TCodeEditFileWriter(const QString& fileName, TLineBreakStyle style)
    : file_(fileName), buffer_(16384, '\0'), style_(style) {
  if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
    throw EStreamError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file_.errorString()));
}

TCodeEditFileWriter::~TCodeEditFileWriter() {
  if (file_.isOpen()) Flush();
}

bool TCodeEditFileWriter::Flush() {
  const bool written = fill_ == 0 || file_.write(buffer_.constData(), fill_) == fill_;
  fill_ = 0;
  return written;
}

void TCodeEditFileWriter::Put(const QByteArray& bytes) {
  while (fill_ + bytes.size() > buffer_.size()) {
    if (!Flush()) throw EStreamError(QStringLiteral("Stream write error"));
    if (buffer_.size() < bytes.size()) buffer_.resize(bytes.size());
  }
  std::copy(bytes.cbegin(), bytes.cend(), buffer_.begin() + fill_);
  fill_ += bytes.size();
}

void TCodeEditFileWriter::Write(const QString& text) { Put(Cp1250::Encode(text)); }

void TCodeEditFileWriter::WriteLine(const QString& text) {
  QByteArray bytes = Cp1250::Encode(text);
  if (style_ != lbsLf) bytes += '\r';
  if (style_ != lbsCr) bytes += '\n';
  Put(bytes);
}

void TCodeEditFileWriter::Close() {
  const bool written = Flush() && file_.flush();
  file_.close();
  if (!written) throw EStreamError(QStringLiteral("Stream write error"));
}
