#pragma once
#include "db/IBError.h"
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <firebird/Interface.h>
#include <signal.h>

// The shared entry to the Firebird client library for the classes of db/:
// the master and utility interfaces, a status object that turns every failed
// call into EIBInterBaseError, and the reading of information buffers.
namespace FbClient {

Firebird::IMaster* Master();
Firebird::IUtil* Util();

// A status for one client call; `Check()` after every call throws the error
// it holds.
class TStatus : public Firebird::CheckStatusWrapper {
public:
  TStatus() : Firebird::CheckStatusWrapper(Master()->getStatus()) {}
  ~TStatus() { dispose(); }
  TStatus(const TStatus&) = delete;
  TStatus& operator=(const TStatus&) = delete;

  bool Failed() const;
  void Check();
  // Checks the call that produced `value` and passes the value on:
  // `status.Checked(meta->getType(&status, i))`. Every call needs its own
  // check, because the next call clears the status.
  template <class T> T Checked(T value) {
    Check();
    return value;
  }
};

// The client library takes over SIGINT and SIGTERM at its first attach and
// then only shuts its connections down, so the program would go on running
// without a database after a kill or a log-off. Kept around every attach,
// this puts back whatever the process had set for those signals.
class TKeepSignalHandlers {
public:
  TKeepSignalHandlers();
  ~TKeepSignalHandlers();
  TKeepSignalHandlers(const TKeepSignalHandlers&) = delete;
  TKeepSignalHandlers& operator=(const TKeepSignalHandlers&) = delete;

private:
  struct sigaction interrupt_ {
  }, terminate_{};
};

// Builds the exception for a status vector (isc format).
EIBInterBaseError ErrorFromStatus(const intptr_t* vector);

// Releases a reference-counted interface on scope exit.
template <class T> class TRef {
public:
  TRef() = default;
  explicit TRef(T* p) : p_(p) {}
  ~TRef() { Reset(); }
  TRef(TRef&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
  TRef& operator=(TRef&& other) noexcept {
    if (this != &other) {
      Reset();
      p_ = other.p_;
      other.p_ = nullptr;
    }
    return *this;
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  T* release() {
    T* p = p_;
    p_ = nullptr;
    return p;
  }
  void Reset(T* p = nullptr) {
    if (p_) p_->release();
    p_ = p;
  }

private:
  T* p_ = nullptr;
};

// One item of an information answer (database or service): the item code
// and its raw value bytes.
struct TInfoItem {
  unsigned char Code = 0;
  QByteArray Value;
};

// Splits an information answer of items with 2-byte lengths into items; stops
// at isc_info_end and throws EIBError on a truncated buffer.
QList<TInfoItem> ParseInfo(QByteArrayView answer);

// A little-endian signed integer of 1, 2, 4 or 8 bytes as the info answers carry it.
qint64 InfoInteger(QByteArrayView bytes);
// The unsigned 2-byte length that precedes a value in info answers.
int InfoLength(QByteArrayView answer, qsizetype pos);

// Parameter block (DPB, SPB, TPB) writer over the client's builder.
class TBlock {
public:
  // `kind` is one of Firebird::IXpbBuilder's kinds (DPB, SPB_ATTACH, SPB_START, TPB).
  explicit TBlock(unsigned kind);
  ~TBlock();
  TBlock(const TBlock&) = delete;
  TBlock& operator=(const TBlock&) = delete;

  void Tag(unsigned char tag);
  void Int(unsigned char tag, int value);
  void String(unsigned char tag, const QByteArray& value);
  unsigned Length();
  const unsigned char* Buffer();

private:
  TStatus status_;
  Firebird::IXpbBuilder* builder_;
};

} // namespace FbClient
