#include "db/FbClient.h"
#include "core/CodePage1250.h"
#include <ibase.h>
#include <iberror.h>

namespace FbClient {

TKeepSignalHandlers::TKeepSignalHandlers() {
  sigaction(SIGINT, nullptr, &interrupt_);
  sigaction(SIGTERM, nullptr, &terminate_);
}

TKeepSignalHandlers::~TKeepSignalHandlers() {
  sigaction(SIGINT, &interrupt_, nullptr);
  sigaction(SIGTERM, &terminate_, nullptr);
}

Firebird::IMaster* Master() {
  static Firebird::IMaster* master = Firebird::fb_get_master_interface();
  return master;
}

Firebird::IUtil* Util() {
  static Firebird::IUtil* util = Master()->getUtilInterface();
  return util;
}

bool TStatus::Failed() const { return (status->getState() & Firebird::IStatus::STATE_ERRORS) != 0; }

void TStatus::Check() {
  if (!Failed()) return;
  EIBInterBaseError error = ErrorFromStatus(status->getErrors());
  init();
  throw error;
}

namespace {

// The codes whose first string argument names the offending object.
bool CodeNamesObject(int code) {
  switch (code) {
  case isc_foreign_key:
  case isc_unique_key_violation:
  case isc_no_dup:
  case isc_check_constraint:
  case isc_except:
  case isc_except2:
    return true;
  default:
    return false;
  }
}

QString FormatMessage(const intptr_t* vector) {
  QString text;
  const ISC_STATUS* p = vector;
  char buffer[1024];
  while (fb_interpret(buffer, sizeof buffer, &p) > 0) {
    if (!text.isEmpty()) text += QLatin1Char('\n');
    text += Cp1250::Decode(QByteArrayView(buffer, qstrnlen(buffer, sizeof buffer)));
  }
  return text;
}

// Firebird 3 reports a row that another transaction holds as "deadlock" +
// "update conflict"; older servers put "lock conflict" first, and that is the
// code the program's error handling knows, so the pair counts as a lock conflict.
int SignificantCode(const QList<int>& codes) {
  if (codes.size() >= 2 && codes[0] == isc_deadlock && codes[1] == isc_update_conflict) return isc_lock_conflict;
  return codes.value(0);
}

} // namespace

EIBInterBaseError ErrorFromStatus(const intptr_t* vector) {
  QList<int> codes;
  QString objectName;
  bool nameWanted = false;
  for (const intptr_t* p = vector; *p != isc_arg_end;) {
    const intptr_t kind = *p++;
    switch (kind) {
    case isc_arg_gds:
      codes.append(int(*p));
      // The object's name is the first text argument of an error that names one.
      nameWanted = CodeNamesObject(codes.first());
      ++p;
      break;
    case isc_arg_string:
    case isc_arg_interpreted:
    case isc_arg_sql_state:
      if (kind == isc_arg_string && nameWanted && objectName.isEmpty())
        objectName = Cp1250::Decode(QByteArrayView(reinterpret_cast<const char*>(*p)));
      ++p;
      break;
    case isc_arg_cstring:
      if (nameWanted && objectName.isEmpty())
        objectName = Cp1250::Decode(QByteArrayView(reinterpret_cast<const char*>(p[1]), qsizetype(p[0])));
      p += 2;
      break;
    case isc_arg_warning: // warnings follow the errors; they name nothing we need
      return EIBInterBaseError(FormatMessage(vector), SignificantCode(codes), int(isc_sqlcode(vector)), objectName,
                               codes);
    default:
      ++p;
      break;
    }
  }
  return EIBInterBaseError(FormatMessage(vector), SignificantCode(codes), int(isc_sqlcode(vector)), objectName, codes);
}

QList<TInfoItem> ParseInfo(QByteArrayView answer) {
  QList<TInfoItem> items;
  qsizetype pos = 0;
  while (pos < answer.size()) {
    const auto code = static_cast<unsigned char>(answer[pos]);
    if (code == isc_info_end) return items;
    if (code == isc_info_truncated)
      throw EIBError(QStringLiteral("Odpoveď servera sa nezmestila do vyrovnávacej pamäte."));
    if (pos + 3 > answer.size()) break;
    const int length = InfoLength(answer, pos + 1);
    if (pos + 3 + length > answer.size()) break;
    items.append({code, answer.sliced(pos + 3, length).toByteArray()});
    pos += 3 + length;
  }
  throw EIBError(QStringLiteral("Odpoveď servera je neúplná."));
}

int InfoLength(QByteArrayView answer, qsizetype pos) {
  return static_cast<unsigned char>(answer[pos]) | (static_cast<unsigned char>(answer[pos + 1]) << 8);
}

qint64 InfoInteger(QByteArrayView bytes) {
  quint64 value = 0;
  for (qsizetype i = bytes.size() - 1; i >= 0; --i)
    value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  switch (bytes.size()) {
  case 1:
    return qint8(value);
  case 2:
    return qint16(value);
  case 4:
    return qint32(value);
  default:
    return qint64(value);
  }
}

TBlock::TBlock(unsigned kind) : builder_(Util()->getXpbBuilder(&status_, kind, nullptr, 0)) { status_.Check(); }

TBlock::~TBlock() { builder_->dispose(); }

void TBlock::Tag(unsigned char tag) {
  builder_->insertTag(&status_, tag);
  status_.Check();
}

void TBlock::Int(unsigned char tag, int value) {
  builder_->insertInt(&status_, tag, value);
  status_.Check();
}

void TBlock::String(unsigned char tag, const QByteArray& value) {
  builder_->insertBytes(&status_, tag, value.constData(), unsigned(value.size()));
  status_.Check();
}

unsigned TBlock::Length() {
  const unsigned length = builder_->getBufferLength(&status_);
  status_.Check();
  return length;
}

const unsigned char* TBlock::Buffer() {
  const unsigned char* buffer = builder_->getBuffer(&status_);
  status_.Check();
  return buffer;
}

} // namespace FbClient
