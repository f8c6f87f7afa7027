// Feeds arbitrary bytes to the database layer's parsers: the named-parameter
// finder (statement text from the program and the SQL console) and the
// reader of server information answers.
#include "db/FbClient.h"
#include "db/IBParamParser.h"
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  const QString sql = QString::fromUtf8(bytes);
  const TIBParsedSql parsed = ParseParams(sql);
  // Each name replaces ":NAME" (two characters at least) by one "?".
  if (parsed.Sql.size() + parsed.Names.size() > sql.size()) std::abort();
  if (parsed.Sql.count(QLatin1Char('?')) < parsed.Names.size()) std::abort();
  try {
    for (const FbClient::TInfoItem& item : FbClient::ParseInfo(bytes))
      if (item.Value.size() > bytes.size()) std::abort();
  } catch (const EIBError&) {
    // A truncated or malformed answer is reported, which is the point.
  }
  return 0;
}
