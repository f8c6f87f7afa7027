#include "crash/RtDebug.h"
#include "crash/RtHookExcept.h"
#include <QtCore/QFileInfo>
#include <atomic>
#include <cstring>
#include <pthread.h>
#include <unistd.h>

namespace {

std::atomic<quint8> trackingOptions{toRecordStack};
std::atomic<bool> trackingActive{false};

// The kinds of list in the registry.
constexpr int kStackListKind = 0, kFrameListKind = 1;

int KindOf(const TRtStackBaseList& list) {
  return dynamic_cast<const TRtExceptFrameList*>(&list) ? kFrameListKind : kStackListKind;
}

quint32 ReadU32(const uchar* bytes) {
  quint32 value;
  std::memcpy(&value, bytes, 4);
  return value;
}

QString Hex16(quintptr value) { return QStringLiteral("%1").arg(quint64(value), 16, 16, QLatin1Char('0')).toUpper(); }

} // namespace

quint8 TrackingOptions() { return trackingOptions; }
void SetTrackingOptions(quint8 options) { trackingOptions = options; }

int CallSiteLength(const uchar* before) {
  const quint32 d8 = ReadU32(before), d4 = ReadU32(before + 4);
  if ((d8 >> 24) == 0xE8) return 5;
  if ((d4 & 0x38FF0000u) == 0x10FF0000u) return 2;
  if ((d4 & 0x0038FF00u) == 0x0010FF00u) return 3;
  if ((d4 & 0x000038FFu) == 0x000010FFu) return 4;
  if ((d8 & 0x38FF0000u) == 0x10FF0000u) return 6;
  if ((d8 & 0x0038FF00u) == 0x0010FF00u) return 7;
  return 0;
}

// ---------------------------------------------------------------- module lists

TRtModuleInfoList::TRtModuleInfoList(bool growOnDemand, bool programModulesOnly)
    : growOnDemand_(growOnDemand), programModulesOnly_(programModulesOnly) {}

std::unique_ptr<TRtModuleInfoList> TRtModuleInfoList::FromProcess(bool growOnDemand, bool programModulesOnly) {
  auto list = std::make_unique<TRtModuleInfoList>(growOnDemand, programModulesOnly);
  for (const TRtElfModule& module : LoadedElfModules())
    if (module.IsProgram || !programModulesOnly)
      list->Add({module.Base, module.End - module.Base, module.IsProgram, module.Segments});
  return list;
}

bool TRtModuleInfoList::AddProcessModuleOf(quintptr address) {
  for (const TRtElfModule& module : LoadedElfModules())
    if (module.Holds(address) && (module.IsProgram || !programModulesOnly_)) {
      Add({module.Base, module.End - module.Base, module.IsProgram, module.Segments});
      return true;
    }
  return false;
}

const TRtModuleInfo* TRtModuleInfoList::ModuleOfAddress(quintptr address) {
  for (const TRtModuleInfo& module : modules_)
    if (address >= module.Base && address - module.Base < module.Size) return &module;
  if (growOnDemand_ && AddProcessModuleOf(address)) return &modules_.last();
  return nullptr;
}

const TRtElfSegment* TRtModuleInfoList::SegmentOf(quintptr address, bool programOnly) {
  const TRtModuleInfo* module = ModuleOfAddress(address);
  if (!module || (programOnly && !module->IsProgramModule)) return nullptr;
  for (const TRtElfSegment& segment : module->Segments)
    if (address >= segment.Start && address < segment.End) return &segment;
  return nullptr;
}

bool TRtModuleInfoList::IsProgramCode(quintptr address) {
  const TRtElfSegment* segment = SegmentOf(address, true);
  return segment && segment->Executable;
}

bool TRtModuleInfoList::IsAnyModuleCode(quintptr address) {
  const TRtElfSegment* segment = SegmentOf(address, false);
  return segment && segment->Executable;
}

bool TRtModuleInfoList::IsValidCode(quintptr address) {
  return (TrackingOptions() & toAllModules) ? IsAnyModuleCode(address) : IsProgramCode(address);
}

bool TRtModuleInfoList::IsReadable(quintptr address, quintptr length) {
  const TRtElfSegment* segment = SegmentOf(address, false);
  return segment && segment->Readable && length <= segment->End - address;
}

int TRtModuleInfoList::CallSiteLengthAt(quintptr returnAddress) {
  if (returnAddress <= 8 || !IsValidCode(returnAddress - 8) || !IsReadable(returnAddress - 8, 8)) return 0;
  return CallSiteLength(reinterpret_cast<const uchar*>(returnAddress - 8));
}

// ---------------------------------------------------------------- stack lists

quint64 CurrentThreadId() { return quint64(gettid()); }

quintptr CurrentStackTop() {
  thread_local quintptr top = 0;
  if (top != 0) return top;
  pthread_attr_t attributes;
  if (pthread_getattr_np(pthread_self(), &attributes) != 0) return 0;
  void* low = nullptr;
  size_t size = 0;
  if (pthread_attr_getstack(&attributes, &low, &size) == 0) top = quintptr(low) + size;
  pthread_attr_destroy(&attributes);
  return top;
}

TRtStackBaseList::TRtStackBaseList() : ownerThread_(CurrentThreadId()), createdAt_(QDateTime::currentDateTime()) {}

TRtStackInfoList::TRtStackInfoList(bool raw, quint32 skipCount, quintptr firstCaller, TRtModuleInfoList* modules)
    : raw_(raw), skipCount_(skipCount), modules_(modules) {
  if (firstCaller != 0) items_.append({firstCaller, 0});
}

TRtModuleInfoList& TRtStackInfoList::Modules() {
  if (!modules_) {
    const quint8 options = TrackingOptions();
    ownModules_ = TRtModuleInfoList::FromProcess(false, !(options & toAllModules));
    modules_ = ownModules_.get();
  }
  return *modules_;
}

void TRtStackInfoList::Store(TRtStackInfo item) {
  if (item.Depth > skipCount_ + 1) items_.append(item);
}

void TRtStackInfoList::Walk(quintptr bottom, quintptr top) {
  stackTop_ = top;
  if (raw_)
    RawWalk(bottom, top);
  else
    FrameWalk(bottom, top);
}

__attribute__((noinline)) void TRtStackInfoList::WalkCurrentStack() {
  volatile char here = 0;
  Walk(quintptr(&here), CurrentStackTop());
}

// Reads every word between two stack addresses, whatever the frames hold.
__attribute__((no_sanitize("address"))) void TRtStackInfoList::RawWalk(quintptr bottom, quintptr top) {
  stackBottom_ = bottom;
  TRtModuleInfoList& modules = Modules();
  quintptr previous = 0;
  quint32 depth = 0;
  for (quintptr slot = (bottom + 7) & ~quintptr(7); slot + 8 <= top; slot += 8) {
    const quintptr value = *reinterpret_cast<const quintptr*>(slot);
    if (value == previous) continue;
    const int length = modules.CallSiteLengthAt(value);
    if (length == 0) continue;
    previous = value;
    TRtStackInfo item;
    item.CallerAddress = value - quintptr(length);
    item.Depth = ++depth;
    Store(item);
  }
}

void TRtStackInfoList::FrameWalk(quintptr bottom, quintptr top) {
  TRtModuleInfoList& modules = Modules();
  quintptr frame = bottom;
  stackBottom_ = frame - 1;
  quint32 depth = 0;
  // A frame: [frame] the caller's frame pointer, [frame + 8] the return address.
  while (frame > stackBottom_ && frame + 16 <= top) {
    const quintptr callerFrame = *reinterpret_cast<const quintptr*>(frame);
    const quintptr returnAddress = *reinterpret_cast<const quintptr*>(frame + 8);
    if (!modules.IsValidCode(returnAddress) || callerFrame <= stackBottom_ || callerFrame >= top) {
      // Not a frame of valid code: go on along the chain, while it stays on the stack.
      if (callerFrame <= frame || callerFrame >= top) break;
      frame = callerFrame;
      continue;
    }
    TRtStackInfo item;
    item.Depth = ++depth;
    item.Frame = frame;
    item.ParamStart = frame + 16;
    item.CallerFrame = callerFrame;
    const int length = modules.CallSiteLengthAt(returnAddress);
    item.CallerAddress = returnAddress - quintptr(length);
    item.FrameSize = quint32(callerFrame - frame);
    item.ParamCount = item.FrameSize > 16 ? (item.FrameSize - 16) / 8 : 0;
    // A chain that does not climb would never end.
    if (callerFrame <= frame) break;
    frame = callerFrame;
    Store(item);
  }
}

std::unique_ptr<TRtStackInfoList> TRtStackInfoList::Copy() const {
  auto copy = std::make_unique<TRtStackInfoList>(raw_, skipCount_, 0, nullptr);
  copy->items_ = items_;
  copy->stackTop_ = stackTop_;
  copy->stackBottom_ = stackBottom_;
  copy->exceptionObject_ = exceptionObject_;
  copy->ownerThread_ = ownerThread_;
  copy->createdAt_ = createdAt_;
  return copy;
}

void TRtStackInfoList::AppendLines(QStringList& lines, bool withModuleName, bool withAddressOffset,
                                   bool withProcedureLineOffset) const {
  for (const TRtStackInfo& item : items_)
    lines.append(LocationText(item.CallerAddress, withModuleName, withAddressOffset, withProcedureLineOffset));
}

void TRtStackInfoList::TrimHookFrames(bool keepFirst) {
  const int first = keepFirst ? 1 : 0;
  for (int i = int(items_.size()) - 1; i >= first; --i)
    if (IsInRaiseHookCode(items_[i].CallerAddress)) {
      items_.remove(first, i - first + 1);
      return;
    }
}

TRtGlobalStackList& TRtGlobalStackList::Instance() {
  static TRtGlobalStackList registry;
  return registry;
}

void TRtGlobalStackList::Register(std::unique_ptr<TRtStackBaseList> list) {
  lock_.Enter();
  lists_[{list->OwnerThread(), KindOf(*list)}] = std::move(list);
  lock_.Leave();
}

TRtStackInfoList* TRtGlobalStackList::StackListOf(quint64 thread) {
  lock_.Enter();
  const auto found = lists_.find({thread, kStackListKind});
  TRtStackInfoList* list = found == lists_.end() ? nullptr : static_cast<TRtStackInfoList*>(found->second.get());
  lock_.Leave();
  return list;
}

std::unique_ptr<TRtStackInfoList> TRtGlobalStackList::CopyStackListOf(quint64 thread) {
  lock_.Enter();
  const auto found = lists_.find({thread, kStackListKind});
  std::unique_ptr<TRtStackInfoList> copy =
      found == lists_.end() ? nullptr : static_cast<const TRtStackInfoList&>(*found->second).Copy();
  lock_.Leave();
  return copy;
}

void TRtGlobalStackList::Clear() {
  lock_.Enter();
  lists_.clear();
  lock_.Leave();
}

TRtStackInfoList* CreateStackList(bool raw, quint32 skipCount, quintptr firstCaller) {
  auto list = std::make_unique<TRtStackInfoList>(raw, skipCount, firstCaller);
  list->WalkCurrentStack();
  TRtStackInfoList* created = list.get();
  TRtGlobalStackList::Instance().Register(std::move(list));
  return created;
}

TRtStackInfoList* StackListOfThread() { return TRtGlobalStackList::Instance().StackListOf(CurrentThreadId()); }

// ---------------------------------------------------------------- locations

namespace {

struct TLocationState {
  TRtCriticalSection lock;
  std::unique_ptr<TRtDebugInfoList> sources;
  std::function<TRtModule(quintptr)> resolver = ProcessModuleOfAddress;
};

TLocationState& Locations() {
  static TLocationState state;
  return state;
}

// Holds the location lock for a scope.
struct TLocationLock {
  TLocationState& state;
  explicit TLocationLock(TLocationState& s) : state(s) { state.lock.Enter(); }
  ~TLocationLock() { state.lock.Leave(); }
};

} // namespace

void SetLocationModuleResolver(std::function<TRtModule(quintptr)> resolver) {
  TLocationState& state = Locations();
  TLocationLock locker(state);
  state.resolver = resolver ? std::move(resolver) : std::function<TRtModule(quintptr)>(ProcessModuleOfAddress);
  state.sources.reset();
}

void ResetLocationSources() {
  TLocationState& state = Locations();
  TLocationLock locker(state);
  state.sources.reset();
}

bool LocationOfAddress(quintptr address, TRtLocationInfo& location) {
  TLocationState& state = Locations();
  TLocationLock locker(state);
  location = {};
  try {
    if (!state.sources) state.sources = std::make_unique<TRtDebugInfoList>();
    TRtDebugInfoSource* source = state.sources->SourceForModule(state.resolver(address));
    if (source && source->Locate(address, location)) return true;
  } catch (...) {
    // A lookup that fails in any way has found nothing.
  }
  location = {};
  return false;
}

QString FormatLocationText(quintptr address, const TRtLocationInfo* location, int startLine, const QString& moduleName,
                           bool withModuleName, bool withAddressOffset, bool withProcedureLineOffset) {
  const QString bracketed = QLatin1Char('[') + Hex16(address) + QLatin1Char(']');
  QString text = bracketed;
  if (location && location->Line <= 0) {
    const QString offset =
        withAddressOffset ? QStringLiteral(" + $%1").arg(location->ProcedureOffset, 0, 16) : QString();
    text += location->Unit.isEmpty() ? QStringLiteral(" %1%2").arg(location->Procedure, offset)
                                     : QStringLiteral(" %1.%2%3").arg(location->Unit, location->Procedure, offset);
  } else if (location) {
    const QString procedureLine =
        withProcedureLineOffset && startLine > 0 ? QStringLiteral(" + %1").arg(location->Line - startLine) : QString();
    QString offset;
    if (withAddressOffset)
      offset = location->LineOffset < 0 ? QStringLiteral(" - $%1").arg(-location->LineOffset, 0, 16)
                                        : QStringLiteral(" + $%1").arg(location->LineOffset, 0, 16);
    text += QStringLiteral(" %1.%2 (Line %3, \"%4\"%5)%6")
                .arg(location->Unit, location->Procedure)
                .arg(location->Line)
                .arg(location->SourceFile, procedureLine, offset);
  }
  if (withModuleName) text.insert(bracketed.size(), QStringLiteral("{%1}").arg(moduleName, -12));
  return text;
}

QString LocationText(quintptr address, bool withModuleName, bool withAddressOffset, bool withProcedureLineOffset) {
  TRtLocationInfo location;
  const bool found = LocationOfAddress(address, location);
  int startLine = 0;
  if (found && location.Line > 0 && withProcedureLineOffset) {
    TRtLocationInfo start;
    if (LocationOfAddress(address - location.ProcedureOffset, start)) startLine = start.Line;
  }
  QString moduleName;
  if (withModuleName) {
    TLocationState& state = Locations();
    TLocationLock locker(state);
    moduleName = QFileInfo(state.resolver(address).FileName).fileName();
  }
  return FormatLocationText(address, found ? &location : nullptr, startLine, moduleName, withModuleName,
                            withAddressOffset, withProcedureLineOffset);
}

// ---------------------------------------------------------------- tracking

namespace {

void CaptureRaiseStack(void* object, quintptr address, bool osException) {
  const bool raw = TrackingOptions() & toRawWalk;
  TRtStackInfoList* list = CreateStackList(raw, kRaiseSkipCount, osException ? address : 0);
  list->SetExceptionObject(object);
  list->TrimHookFrames(osException);
}

void CaptureRaiseFrames() { TRtGlobalStackList::Instance().Register(std::make_unique<TRtExceptFrameList>()); }

void TrackingNotifier(void* object, quintptr address, bool osException) {
  if (!trackingActive) return;
  const quint8 options = TrackingOptions();
  if (options & toRecordStack) CaptureRaiseStack(object, address, osException);
  if (options & toRecordFrames) CaptureRaiseFrames();
}

} // namespace

bool StartRaiseTracking() {
  if (trackingActive) return false;
  const bool started = InstallRaiseHooks() && AddRaiseNotifier(TrackingNotifier, kNotifierFirstChain);
  trackingActive = started;
  return started;
}

bool StopRaiseTracking() {
  if (!trackingActive) return false;
  trackingActive = false;
  return RemoveRaiseNotifier(TrackingNotifier);
}

bool RaiseTrackingActive() { return trackingActive; }

// ---------------------------------------------------------------- threads

TRtDebugThreadList& TRtDebugThreadList::Instance() {
  static TRtDebugThreadList list;
  return list;
}

QString TRtDebugThreadList::ThreadDescription(quint64 thread, int kind) const {
  const qsizetype index = threads_.indexOf(thread);
  if (index < 0) return {};
  const QString name = lines_[index].section(QLatin1Char('='), 0, 0);
  const QString value = lines_[index].section(QLatin1Char('='), 1);
  switch (kind) {
  case 0:
    return value;
  case 1:
    return name;
  default:
    return QStringLiteral("%1 [%2] \"%3\"").arg(thread, 8, 16, QLatin1Char('0')).arg(name, value);
  }
}
