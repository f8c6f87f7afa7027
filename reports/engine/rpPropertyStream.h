#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QString>

// Property data in the component-streaming encoding that the XML template's
// "Propdata" attributes carry: names as a length byte and the characters,
// texts as byte 6 (or 12 with a 32-bit length beyond 255 characters),
// identifiers as byte 7 and a name, integers as byte 2, 3 or 4 with the smallest of 8, 16 or 32 bits that holds
// the value, lists between byte 1 and byte 0, byte 13 an empty value, byte 14
// a collection. Characters are in code page 1250.
class TrpPropertyStream {
public:
  void Name(const QString& name);
  void Text(const QString& value);
  void Integer(qint32 value);
  // Byte 7, then the identifier (an enumeration value such as "ftString") as a name.
  void Identifier(const QString& identifier);
  void ListBegin() { bytes_.append(char(1)); }
  void ListEnd() { bytes_.append(char(0)); }
  void Empty() { bytes_.append(char(13)); }
  void CollectionBegin() { bytes_.append(char(14)); }
  // The bytes as upper-case hexadecimal text.
  QString Hex() const;
  const QByteArray& Bytes() const { return bytes_; }

private:
  QByteArray bytes_;
};
