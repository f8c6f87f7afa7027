// Compiles the input as a dBASE expression over a table's fields (the first
// byte chooses the options) and evaluates it on two records; bad input must
// end in the parser's errors, never in a crash.
#include "dbase/xb_parser.h"
#include "dbase/xbtable.h"
#include <QtCore/QBuffer>

namespace {
struct Fixture {
  QBuffer stream;
  TXbTable table;
  QByteArray blank, filled;
  Fixture() {
    table.Storage = TXbStorage::stoMemory;
    table.SetMemoryStream(&stream);
    table.FieldDefs = {
        {QStringLiteral("NAME"), TFieldType::String, 20},     {QStringLiteral("NUM"), TFieldType::Integer},
        {QStringLiteral("AMOUNT"), TFieldType::Float, 12, 3}, {QStringLiteral("BORN"), TFieldType::Date},
        {QStringLiteral("ACTIVE"), TFieldType::Boolean},      {QStringLiteral("NOTE"), TFieldType::Memo}};
    table.CreateTable();
    table.Open();
    table.Append();
    table.FieldByName(QStringLiteral("NAME")).SetValue(QStringLiteral("Ábel Nový"));
    table.FieldByName(QStringLiteral("NUM")).SetValue(123456);
    table.FieldByName(QStringLiteral("AMOUNT")).SetValue(-12345.678);
    table.FieldByName(QStringLiteral("BORN")).SetValue(QDate(2024, 2, 29));
    table.FieldByName(QStringLiteral("ACTIVE")).SetValue(true);
    table.Post();
    filled = QByteArray(table.CurrentRecord(), table.DbfFile()->RecordSize());
    blank = QByteArray(table.DbfFile()->RecordSize(), '\0');
    table.DbfFile()->InitRecord(blank.data());
  }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Fixture fixture;
  if (size < 1 || size > 4096) return 0;
  TXbParser parser(fixture.table.DbfFile());
  parser.SetIgnoreCase(data[0] & 1);
  parser.SetRawStrings(data[0] & 2);
  parser.SetWildcardEquality(data[0] & 4);
  parser.FoldConstants = data[0] & 8;
  try {
    parser.PrepareExpression(QString::fromLatin1(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1)));
    (void)parser.EvaluateRecord(fixture.blank.constData()).Bytes();
    (void)parser.EvaluateRecord(fixture.filled.constData()).Bytes();
  } catch (const Exception&) {
    // Refusing bad input with an error is the expected outcome.
  }
  return 0;
}
