#pragma once
#include <QtCore/QByteArray>
#include <ibase.h>

namespace Firebird {
class IAttachment;
class ITransaction;
} // namespace Firebird

// Reading and writing the whole content of a BLOB within a transaction.
namespace IBBlob {

QByteArray Read(Firebird::IAttachment* attachment, Firebird::ITransaction* transaction, ISC_QUAD id);
// Creates a BLOB with the bytes and returns its id for a parameter.
ISC_QUAD Write(Firebird::IAttachment* attachment, Firebird::ITransaction* transaction, const QByteArray& bytes);

} // namespace IBBlob
