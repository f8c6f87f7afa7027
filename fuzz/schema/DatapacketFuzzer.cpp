// Feeds arbitrary bytes to the datapacket reader: as a packet text, and
// through the package's inflating step. A read may fail; it must not crash.
#include "app/util/UxMemDS.h"
#include "app/util/XMLDataset.h"
#include "core/Exception.h"
#include "schema/UpgradePackage.h"
#include <QtCore/QBuffer>
#include <cstddef>
#include <cstdint>

namespace {

void ReadPacket(QByteArray bytes) {
  TUxMemoryData data;
  TXMLDataset xml;
  xml.SetDataSet(&data);
  QBuffer stream(&bytes);
  stream.open(QIODevice::ReadOnly);
  xml.LoadFromStream(&stream);
  // Walk what was loaded, as the upgrade form does.
  if (data.Active() && !data.IsEmpty()) {
    data.Locate(QStringLiteral("VERSION_NUMBER"), 1);
    for (const auto& field : data.Fields())
      (void)field->AsVariant();
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
  try {
    ReadPacket(input);
  } catch (const EDataSetError&) {
    // Locate on a packet without the field: an ordinary error, not a fault.
  }
  try {
    ReadPacket(InflateZlib(input));
  } catch (const Exception&) {
  }
  return 0;
}
