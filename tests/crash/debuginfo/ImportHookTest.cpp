#include "DebugInfoTestSupport.h"
#include "crash/debuginfo/RtPeMapImgHooks.h"
#include <gtest/gtest.h>

namespace {

// The import address table entry of a KERNEL32 function in a laid-out (not
// bound) image: it still holds the RVA of the function's hint and name.
struct TImportEntry {
  quint32 Rva = 0;   // where the entry lies
  quint32 Value = 0; // what it holds
};

TImportEntry FindImport(TRtLoadedImage& image, const char* function) {
  const TRtByteView view(image.Data(), quint64(image.Size()));
  const quint32 nt = *NtHeadersOffset(view);
  const quint32 imports = *view.U32(nt + RtPe::kOptDirectories + 8 * RtPe::kDirectoryImport);
  for (quint32 descriptor = imports; view.U32(descriptor + 12).value_or(0) != 0; descriptor += 20)
    for (quint32 entry = *view.U32(descriptor + 16); view.U32(entry).value_or(0) != 0; entry += 4)
      if (view.CString(*view.U32(entry) + 2) == QByteArray(function)) return {entry, *view.U32(entry)};
  return {};
}

TEST(ImportHookTest, RewritesTheImportOfTheRaiseFunction) {
  TRtLoadedImage program = TRtLoadedImage::FromFile(PeFixturePath(QStringLiteral("program.exe")));
  const TImportEntry raise = FindImport(program, "RaiseException");
  ASSERT_NE(raise.Rva, 0u);
  const TRtByteView view(program.Data(), quint64(program.Size()));

  EXPECT_FALSE(TRtPeMapImgHooks::ReplaceImportEntry(program, "user32.dll", raise.Value, 0x12345678));
  EXPECT_FALSE(TRtPeMapImgHooks::ReplaceImportEntry(program, "kernel32.dll", raise.Value + 1, 0x12345678));
  EXPECT_EQ(view.U32(raise.Rva), raise.Value);

  // The module name is compared without case: the image says "KERNEL32.dll".
  EXPECT_TRUE(TRtPeMapImgHooks::ReplaceImportEntry(program, "kernel32.dll", raise.Value, 0x12345678));
  EXPECT_EQ(view.U32(raise.Rva), 0x12345678u);
  EXPECT_TRUE(TRtPeMapImgHooks::ReplaceImportEntry(program, "KERNEL32.DLL", 0x12345678, raise.Value));
  EXPECT_EQ(view.U32(raise.Rva), raise.Value);

  TRtLoadedImage notPe(QByteArray(256, 'x'), QStringLiteral("x.dll"));
  EXPECT_FALSE(TRtPeMapImgHooks::ReplaceImportEntry(notPe, "kernel32.dll", raise.Value, 1));
}

} // namespace
