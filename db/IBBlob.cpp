#include "db/IBBlob.h"
#include "db/FbClient.h"

using namespace FbClient;

namespace IBBlob {

namespace {
constexpr unsigned segmentSize = 32768;
}

QByteArray Read(Firebird::IAttachment* attachment, Firebird::ITransaction* transaction, ISC_QUAD id) {
  TStatus status;
  TRef<Firebird::IBlob> blob(attachment->openBlob(&status, transaction, &id, 0, nullptr));
  status.Check();
  QByteArray bytes;
  char segment[segmentSize];
  for (;;) {
    unsigned length = 0;
    const int result = blob->getSegment(&status, segmentSize, segment, &length);
    if (result != Firebird::IStatus::RESULT_OK && result != Firebird::IStatus::RESULT_SEGMENT) break;
    bytes.append(segment, length);
  }
  status.Check();
  blob->close(&status);
  status.Check();
  blob.release(); // close() released it
  return bytes;
}

ISC_QUAD Write(Firebird::IAttachment* attachment, Firebird::ITransaction* transaction, const QByteArray& bytes) {
  TStatus status;
  ISC_QUAD id{};
  TRef<Firebird::IBlob> blob(attachment->createBlob(&status, transaction, &id, 0, nullptr));
  status.Check();
  for (qsizetype pos = 0; pos < bytes.size(); pos += segmentSize) {
    const auto length = unsigned(qMin<qsizetype>(segmentSize, bytes.size() - pos));
    blob->putSegment(&status, length, bytes.constData() + pos);
    status.Check();
  }
  blob->close(&status);
  status.Check();
  blob.release(); // close() released it
  return id;
}

} // namespace IBBlob
