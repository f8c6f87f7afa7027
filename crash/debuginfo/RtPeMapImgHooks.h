#pragma once
#include "crash/debuginfo/RtLoadedImage.h"
#include <QtCore/QByteArrayView>

// Rewriting a laid-out PE image's import address table: the way the raise
// function of such a module is redirected to a hook.
class TRtPeMapImgHooks {
public:
  // Every entry of the import address table of the imported module (name
  // compared without case) that holds oldAddress gets newAddress. True when
  // at least one entry was rewritten; false for an image without PE headers
  // or imports.
  static bool ReplaceImportEntry(TRtLoadedImage& image, QByteArrayView moduleName, quint32 oldAddress,
                                 quint32 newAddress);
};
