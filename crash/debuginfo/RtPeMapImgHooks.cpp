#include "crash/debuginfo/RtPeMapImgHooks.h"
#include "crash/debuginfo/RtPeImage.h"
#include <cstring>

bool TRtPeMapImgHooks::ReplaceImportEntry(TRtLoadedImage& image, QByteArrayView moduleName, quint32 oldAddress,
                                          quint32 newAddress) {
  const TRtByteView view(image.Data(), quint64(image.Size()));
  const std::optional<quint32> nt = NtHeadersOffset(view);
  if (!nt) return false;
  const quint32 directoryCount = view.U32(*nt + RtPe::kOptDirectoryCount).value_or(0);
  const quint32 imports = directoryCount > quint32(RtPe::kDirectoryImport)
                              ? view.U32(*nt + RtPe::kOptDirectories + 8 * RtPe::kDirectoryImport).value_or(0)
                              : 0;
  if (imports == 0) return false;
  bool replaced = false;
  for (quint64 descriptor = imports;; descriptor += 20) {
    const std::optional<quint32> name = view.U32(descriptor + 12), table = view.U32(descriptor + 16);
    if (!name || !table || *name == 0) break;
    const std::optional<QByteArray> imported = view.CString(*name);
    if (!imported || QByteArrayView(*imported).compare(moduleName, Qt::CaseInsensitive) != 0) continue;
    for (quint64 entry = *table;; entry += 4) {
      const std::optional<quint32> value = view.U32(entry);
      if (!value || *value == 0) break;
      if (*value != oldAddress) continue;
      // Little-endian, as the image stores it.
      const uchar bytes[4] = {uchar(newAddress), uchar(newAddress >> 8), uchar(newAddress >> 16),
                              uchar(newAddress >> 24)};
      std::memcpy(image.Data() + entry, bytes, 4);
      replaced = true;
    }
  }
  return replaced;
}
