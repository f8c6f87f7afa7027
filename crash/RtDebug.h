#pragma once
#include "crash/debuginfo/RtDebugSources.h"
#include "util/RtCriticalSection.h"
#include <QtCore/QDateTime>
#include <QtCore/QList>
#include <QtCore/QStringList>
#include <functional>
#include <map>
#include <memory>

// Where a thread was when an exception was raised: stack lists recorded at
// each raise and kept per thread, the modules whose code counts, and code
// addresses turned into text. Addresses print with 16 hexadecimal digits.

// The tracking options, one byte shared by the tracking and the stack lists.
enum TRtTrackingOption : quint8 {
  toRecordStack = 1,      // a stack list at each raise
  toRecordFrames = 2,     // the handler-frame list at each raise
  toRawWalk = 4,          // scan the stack instead of following frame pointers
  toAllModules = 8,       // any module's code is valid code, not only the program's
  toCachedModuleList = 16 // keep the module list of the first walk
};
quint8 TrackingOptions();
void SetTrackingOptions(quint8 options);

// The raw and frame walks skip this many frames more than one: the frames the
// tracking code leaves on the stack below the raise hook. Here the hook's own
// frames are cut by IsInRaiseHookCode instead, since how many of them there
// are depends on the compiler's inlining; so no frame of the raising code is
// lost.
constexpr quint32 kRaiseSkipCount = 0;

// The length of the call instruction that ends just before a return address,
// from the 8 bytes before it; 0 when they end in no call instruction. A REX
// prefix before 0xFF is not counted, so the address found lies one byte into
// such a call.
int CallSiteLength(const uchar* eightBytesBeforeReturn);

// One module as the stack walk sees it.
struct TRtModuleInfo {
  quintptr Base = 0;
  quintptr Size = 0;
  bool IsProgramModule = false;
  QList<TRtElfSegment> Segments;
  quintptr LastAddress() const { return Base + Size - 1; }
};

class TRtModuleInfoList {
public:
  TRtModuleInfoList(bool growOnDemand, bool programModulesOnly);
  // The process's modules: the program's own only, or all of them.
  static std::unique_ptr<TRtModuleInfoList> FromProcess(bool growOnDemand, bool programModulesOnly);

  void Add(const TRtModuleInfo& module) { modules_.append(module); }
  int Count() const { return int(modules_.size()); }
  // The module whose range holds the address; on a miss with grow on demand
  // the process module that holds it is added first.
  const TRtModuleInfo* ModuleOfAddress(quintptr address);
  // The address lies in an executable segment of a program module.
  bool IsProgramCode(quintptr address);
  // The address lies in an executable segment of any listed module.
  bool IsAnyModuleCode(quintptr address);
  // IsAnyModuleCode with the AllModules option, else IsProgramCode.
  bool IsValidCode(quintptr address);
  // The bytes lie within one readable segment of a listed module.
  bool IsReadable(quintptr address, quintptr length);
  // The call instruction's length before a return address that lies in
  // valid code with readable bytes before it; 0 otherwise.
  int CallSiteLengthAt(quintptr returnAddress);

private:
  bool AddProcessModuleOf(quintptr address);
  const TRtElfSegment* SegmentOf(quintptr address, bool programOnly);

  bool growOnDemand_;
  bool programModulesOnly_;
  QList<TRtModuleInfo> modules_;
};

// One entry of a stack list.
struct TRtStackInfo {
  quintptr CallerAddress = 0; // the call instruction, else the return address
  quint32 Depth = 0;          // frames found so far, from 1; 0 for a preset entry
  quintptr CallerFrame = 0, Frame = 0, ParamStart = 0;
  quint32 FrameSize = 0, ParamCount = 0;
};

// A list made by one thread at one moment.
class TRtStackBaseList {
public:
  TRtStackBaseList();
  virtual ~TRtStackBaseList() = default;
  quint64 OwnerThread() const { return ownerThread_; }
  const QDateTime& CreatedAt() const { return createdAt_; }

protected:
  quint64 ownerThread_;
  QDateTime createdAt_;
};

class TRtStackInfoList : public TRtStackBaseList {
public:
  // A list of the given walk; the first caller (when not 0) is its first
  // entry. `modules` decide what is code (not owned; the process's when null).
  TRtStackInfoList(bool raw, quint32 skipCount, quintptr firstCaller, TRtModuleInfoList* modules = nullptr);

  // Walks the stack from bottom (exclusive of nothing below it) up to top:
  // 8-byte slots for a raw walk, the frame-pointer chain otherwise.
  void Walk(quintptr bottom, quintptr top);
  // Walks the calling thread's own stack from here up.
  void WalkCurrentStack();

  int Count() const { return int(items_.size()); }
  const TRtStackInfo& Items(int index) const { return items_[index]; }
  void Append(const TRtStackInfo& item) { items_.append(item); }
  // The entries, times and exception object, without the module list.
  std::unique_ptr<TRtStackInfoList> Copy() const;
  quint32 SkipCount() const { return skipCount_; }
  quintptr StackTop() const { return stackTop_; }
  quintptr StackBottom() const { return stackBottom_; }

  // One line per entry: the location text of its caller address.
  void AppendLines(QStringList& lines, bool withModuleName, bool withAddressOffset, bool withProcedureLineOffset) const;
  // Deletes the raise hook's own entries (and those above them) from the top;
  // with keepFirst the first entry (a fault's address) stays.
  void TrimHookFrames(bool keepFirst);

  // The exception object of the raise this list was recorded at (null for a fault).
  void* ExceptionObject() const { return exceptionObject_; }
  void SetExceptionObject(void* object) { exceptionObject_ = object; }

private:
  void RawWalk(quintptr bottom, quintptr top);
  void FrameWalk(quintptr bottom, quintptr top);
  void Store(TRtStackInfo item);
  TRtModuleInfoList& Modules();

  bool raw_;
  quint32 skipCount_;
  quintptr stackTop_ = 0, stackBottom_ = 0;
  QList<TRtStackInfo> items_;
  TRtModuleInfoList* modules_;
  std::unique_ptr<TRtModuleInfoList> ownModules_;
  void* exceptionObject_ = nullptr;
};

// The exception-handler frames of a raise. The program's exceptions keep no
// handler chain on the stack, so such a list stays empty.
class TRtExceptFrameList : public TRtStackBaseList {
public:
  int Count() const { return 0; }
};

// The stack-list registry: at most one list per thread and kind.
class TRtGlobalStackList {
public:
  static TRtGlobalStackList& Instance();
  // Replaces (and frees) the thread's earlier list of the same kind.
  void Register(std::unique_ptr<TRtStackBaseList> list);
  TRtStackInfoList* StackListOf(quint64 thread);
  // A copy of the thread's stack list, or null.
  std::unique_ptr<TRtStackInfoList> CopyStackListOf(quint64 thread);
  void Clear();

private:
  std::map<std::pair<quint64, int>, std::unique_ptr<TRtStackBaseList>> lists_;
  TRtCriticalSection lock_;
};

quint64 CurrentThreadId();
// The upper end of the calling thread's stack.
quintptr CurrentStackTop();

// Makes a stack list of the calling thread's stack and registers it as the thread's.
TRtStackInfoList* CreateStackList(bool raw, quint32 skipCount, quintptr firstCaller);
// The calling thread's stack list, or null.
TRtStackInfoList* StackListOfThread();

// Where an address lies. Lookups are serialised; a failing lookup answers false.
bool LocationOfAddress(quintptr address, TRtLocationInfo& location);
// "[address] Unit.Procedure (Line n, "file" + k) + $offset" and its shorter forms.
QString LocationText(quintptr address, bool withModuleName, bool withAddressOffset, bool withProcedureLineOffset);
// The text of a location (for LocationText); startLine is the line of the
// procedure's start (0 when unknown).
QString FormatLocationText(quintptr address, const TRtLocationInfo* location, int startLine, const QString& moduleName,
                           bool withModuleName, bool withAddressOffset, bool withProcedureLineOffset);
// The module lookups use: by default the process module that holds an
// address. A crash report of another process resolves through that
// process's module map.
void SetLocationModuleResolver(std::function<TRtModule(quintptr)> resolver);
// Forgets the debug-information sources made so far.
void ResetLocationSources();

// Raise tracking: a stack list (and a handler-frame list) per raise.
bool StartRaiseTracking();
bool StopRaiseTracking();
bool RaiseTrackingActive();

// The registry of named threads; no thread of the program registers.
class TRtDebugThreadList {
public:
  static TRtDebugThreadList& Instance();
  // kind 0 the value part, 1 the name part, 2 "%.8x [name] "value"".
  QString ThreadDescription(quint64 thread, int kind) const;
  std::function<void(quint64 thread)> OnSyncException;

private:
  QStringList lines_; // "name=value"
  QList<quint64> threads_;
};
