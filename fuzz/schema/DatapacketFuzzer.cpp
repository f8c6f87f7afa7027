// Feeds arbitrary bytes to the datapacket reader: as a packet text, and
// through the package's inflating step. A read may fail; it must not crash.
#include "core/Exception.h"
#include "schema/UpgradePackage.h"
#include "util/UxMemDS.h"
#include "util/XMLDataset.h"
#include <QtCore/QBuffer>
#include <cstddef>
#include <cstdint>

namespace {

// Walks what was loaded, as the upgrade form does.
void Walk(TUxMemoryData& data) {
  if (!data.Active() || data.IsEmpty()) return;
  try {
    data.Locate(QStringLiteral("VERSION_NUMBER"), 1);
  } catch (const EDataSetError&) {
    // A packet without that field: an ordinary error, not a fault.
  }
  for (const auto& field : data.Fields())
    (void)field->AsVariant();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
  TUxMemoryData packet;
  TXMLDataset xml;
  xml.SetDataSet(&packet);
  QBuffer stream(&input);
  stream.open(QIODevice::ReadOnly);
  xml.LoadFromStream(&stream);
  Walk(packet);
  TUxMemoryData package;
  LoadUpdatePackage(input, xml, package);
  Walk(package);
  return 0;
}
