#pragma once
#include "crash/debuginfo/RtModules.h"
#include <QtCore/QString>
#include <map>
#include <memory>
#include <optional>

// Debug-information sources: each is bound to one module and turns a code
// address of it into unit, procedure, line and source file. Four kinds are
// tried per module in a fixed order: the binary debug data (a "RTDEBUG"
// section or the ".rdbg" side file), TD32 data, the ".map" file beside the
// module, and the module's exports.

class TRtDebugInfoSource;

// The readable form of a symbol name; the name itself when it is not mangled.
QString DemangledName(const char* name);

// Where an address lies.
struct TRtLocationInfo {
  quintptr Address = 0;
  QString Unit;
  QString Procedure;
  quint32 ProcedureOffset = 0; // bytes from the procedure's start
  int Line = 0;                // 0 when unknown
  qint32 LineOffset = 0;       // bytes from the line's first address
  QString SourceFile;
  TRtDebugInfoSource* Source = nullptr;
};

class TRtDebugInfoSource {
public:
  explicit TRtDebugInfoSource(const TRtModule& module) : module_(module) {}
  virtual ~TRtDebugInfoSource() = default;
  TRtDebugInfoSource(const TRtDebugInfoSource&) = delete;
  TRtDebugInfoSource& operator=(const TRtDebugInfoSource&) = delete;

  // True when this source can serve its module.
  virtual bool Initialize() = 0;
  // True and the location when the source knows the address.
  virtual bool Locate(quintptr address, TRtLocationInfo& info) = 0;

  const TRtModule& Module() const { return module_; }
  // The offset that map, binary and TD32 data are keyed by: address - base - 4096.
  // None for an address in the module's first 4096 bytes (its headers) or
  // too far from the base for the data's 32-bit offsets.
  std::optional<quint32> OffsetInCode(quintptr address) const;

private:
  TRtModule module_;
};

// A source whose data answers unit, procedure, line and source-file lookups
// by code offset; it locates addresses for all such data in one way.
class TRtDebugInfoScannedSource : public TRtDebugInfoSource {
public:
  using TRtDebugInfoSource::TRtDebugInfoSource;
  bool Locate(quintptr address, TRtLocationInfo& info) final;

protected:
  virtual QString UnitNameAt(quint32 offset) const = 0;
  virtual QString ProcedureAt(quint32 offset, quint32& procedureOffset) const = 0;
  virtual int LineAt(quint32 offset, quint32& lineOffset) const = 0;
  virtual QString SourceNameAt(quint32 offset) const = 0;
};

// Creates and keeps at most one source per module.
class TRtDebugInfoList {
public:
  TRtDebugInfoList();
  ~TRtDebugInfoList();
  // The module's source: the one chosen before, or the first kind whose
  // initialisation succeeds. Null when none does; a later call tries again.
  TRtDebugInfoSource* SourceForModule(const TRtModule& module);
  // The first source of the fixed order that initialises for the module.
  static std::unique_ptr<TRtDebugInfoSource> CreateSource(const TRtModule& module);

private:
  std::map<quintptr, std::unique_ptr<TRtDebugInfoSource>> sources_;
};
