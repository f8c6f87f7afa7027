#pragma once
#include "crash/debuginfo/RtByteView.h"
#include <QtCore/QList>
#include <QtCore/QString>

// A module that code addresses are looked up in: its lowest mapped address,
// its file and, for a PE image laid out in memory (TRtLoadedImage), the size
// of that image. The PE reader reads only such images; modules of this
// process are ELF and answer no PE lookup.
struct TRtModule {
  quintptr Base = 0;
  QString FileName;
  quint64 PeImageSize = 0;

  bool IsNull() const { return Base == 0; }
  bool IsPeImage() const { return PeImageSize != 0; }
  // The PE image's bytes; empty for an ELF module.
  TRtByteView PeImage() const { return {reinterpret_cast<const uchar*>(Base), PeImageSize}; }
};

// One loaded segment of an ELF module, as mapped.
struct TRtElfSegment {
  quintptr Start = 0, End = 0; // End is exclusive
  bool Readable = false, Executable = false;
};

// One ELF module of this process. Base is the lowest loaded segment's address
// rounded down to its page, the address the module's debug file counts from.
struct TRtElfModule {
  quintptr Base = 0;
  quintptr End = 0;      // past the highest loaded segment
  quintptr LinkBase = 0; // the lowest segment's link-time address, rounded down to its page
  QString FileName;      // full path; the executable's own file for the program
  bool IsProgram = false;
  QList<TRtElfSegment> Segments;

  bool Holds(quintptr address) const;
  TRtModule AsModule() const { return {Base, FileName, 0}; }
};

// The page that the debug files and lookups round the lowest segment to.
constexpr quintptr kRtModulePageSize = 4096;

// The name of a module's side file: its file name with the extension replaced
// (or added when it has none), e.g. "Vimek" -> "Vimek.rdbg".
QString ModuleSideFileName(const QString& moduleFileName, const QString& extension);

// The loaded modules of this process in load order, the program first.
QList<TRtElfModule> LoadedElfModules();

// The module of this process whose loaded segments hold the address; a null
// module when none does.
TRtModule ProcessModuleOfAddress(quintptr address);
