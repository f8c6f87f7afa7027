#include "DbfBytes.h"
#include "dbase/xb_fields.h"
#include "dbase/xb_file.h"
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

TEST(XbFieldDefTest, TypesGiveNativeTypesAndSizes) {
  const struct {
    TableFormat format;
    TXbFieldType type;
    int size, precision;
    char native;
    int wantSize, wantPrecision;
  } cases[] = {
      {TableFormat::Dbase3, ftString, 25, 0, 'C', 25, 0},  {TableFormat::Dbase3, ftString, 0, 0, 'C', 30, 0},
      {TableFormat::Dbase3, ftSmallint, 0, 0, 'N', 4, 0},  {TableFormat::Dbase4, ftInteger, 0, 0, 'N', 9, 0},
      {TableFormat::Dbase7, ftInteger, 0, 0, 'I', 4, 0},   {TableFormat::Dbase3, ftFloat, 0, 0, 'N', 18, 9},
      {TableFormat::Dbase3, ftFloat, 30, 40, 'N', 20, 18}, {TableFormat::Dbase3, ftDate, 0, 0, 'D', 8, 0},
      {TableFormat::Dbase3, ftBoolean, 5, 0, 'L', 1, 0},   {TableFormat::Dbase3, ftMemo, 0, 0, 'M', 10, 0},
      {TableFormat::FoxPro, ftCurrency, 0, 0, 'Y', 8, 4},  {TableFormat::FoxPro, ftDateTime, 0, 0, 'T', 8, 0},
      {TableFormat::Dbase7, ftDateTime, 0, 0, '@', 8, 0},  {TableFormat::Dbase7, ftAutoInc, 0, 0, '+', 4, 0},
      {TableFormat::Dbase4, ftLargeint, 0, 0, 'N', 18, 0}, {TableFormat::FoxPro, ftString, 300, 0, 'C', 300, 0},
  };
  for (const auto& c : cases) {
    TXbFieldDefs defs;
    defs.Format = c.format;
    const TXbFieldDef& def = defs.Add(QStringLiteral("F"), c.type, c.size, c.precision);
    EXPECT_EQ(def.NativeFieldType(), c.native) << int(c.type);
    EXPECT_EQ(def.Size(), c.wantSize) << int(c.type);
    EXPECT_EQ(def.Precision(), c.wantPrecision) << int(c.type);
  }
}

TEST(XbFieldDefTest, NativeTypesGiveFieldTypes) {
  const struct {
    char native;
    int size, decimals;
    bool useFloat;
    TXbFieldType type;
  } cases[] = {
      {'N', 4, 0, true, ftSmallint},       {'N', 6, 0, true, ftFloat},     {'N', 6, 0, false, ftInteger},
      {'N', 12, 0, false, ftLargeint},     {'F', 8, 2, false, ftFloat},    {'c', 10, 0, true, ftString},
      {char(0x91), 10, 0, true, ftString}, {'Y', 8, 4, true, ftBCD},       {'0', 1, 0, true, ftBytes},
      {'T', 8, 0, true, ftDateTime},       {'G', 10, 0, true, ftDBaseOle}, {'X', 3, 0, true, ftUnknown},
  };
  for (const auto& c : cases) {
    TXbFieldDefs defs;
    defs.UseFloatFields = c.useFloat;
    TXbFieldDef& def = defs.Add();
    def.SetSize(c.size);
    def.SetPrecision(c.decimals);
    def.SetNativeFieldType(c.native);
    EXPECT_EQ(def.FieldType(), c.type) << c.native << c.size;
  }
}

TEST(XbFieldDefTest, UnsupportedTypeNamesFieldAndType) {
  TXbFieldDefs defs;
  defs.Format = TableFormat::Dbase3;
  try {
    defs.Add(QStringLiteral("KEDY"), ftDateTime);
    FAIL() << "date-time accepted by a dBASE III table";
  } catch (const EXbError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Cannot create field \"KEDY\", VCL field type b not supported by DBF."));
  }
  EXPECT_EQ(defs.Count(), 0);
}

// A table in memory with the given fields, for encoding values into record buffers.
class FieldValueTest : public ::testing::Test {
protected:
  TXbFile file;
  QByteArray record;

  void Make(TableFormat format, const std::function<void(TXbFieldDefs&)>& add) {
    TXbFieldDefs defs;
    defs.Format = format;
    add(defs);
    file.SetMode(PagedFileMode::MemoryNew);
    file.SetFormat(format);
    file.OpenTable();
    file.CreateStructure(defs, 512);
    record = QByteArray(file.RecordSize(), '\0');
    file.InitRecord(record.data());
  }
  QByteArray Bytes(int field) const {
    const TXbFieldDef& def = file.FieldDefs()[field];
    return record.mid(def.Offset, def.Size());
  }
  void Set(int field, TXbFieldType type, const QVariant& value) {
    file.SetFieldValue(field, type, &value, record.data());
  }
  QVariant Get(int field, TXbFieldType type, bool* has = nullptr) const {
    QVariant v;
    const bool h = file.GetFieldValue(field, type, &v, record.constData());
    if (has) *has = h;
    return h ? v : QVariant();
  }
};

TEST_F(FieldValueTest, TextFieldsOfDbaseIII) {
  Make(TableFormat::Dbase3, [](TXbFieldDefs& d) {
    d.Add(QStringLiteral("N"), ftFloat);
    d.Add(QStringLiteral("K"), ftInteger, 4);
    d.Add(QStringLiteral("D"), ftDate);
    d.Add(QStringLiteral("L"), ftBoolean);
    d.Add(QStringLiteral("C"), ftString, 5);
  });
  Set(0, ftFloat, 12.5);
  EXPECT_EQ(Bytes(0), QByteArray("      12.500000000"));
  EXPECT_DOUBLE_EQ(Get(0, ftFloat).toDouble(), 12.5);
  Set(0, ftFloat, -1234567.125);
  EXPECT_EQ(Bytes(0), QByteArray("-1234567.125000000"));
  EXPECT_THROW(Set(0, ftFloat, 1e20), EXbError) << "an integer part wider than the field is refused";

  Set(1, ftInteger, -123);
  EXPECT_EQ(Bytes(1), QByteArray("-123"));
  for (const qint64 tooWide : {12345LL, -1234LL}) {
    try {
      Set(1, ftInteger, tooWide);
      ADD_FAILURE() << tooWide << " stored in N(4,0)";
    } catch (const EXbError& e) {
      EXPECT_EQ(e.Message(), QStringLiteral("Value %1 does not fit into field \"K\" of width 4.").arg(tooWide));
    }
    EXPECT_EQ(Bytes(1), QByteArray("-123")) << "the field keeps its value";
  }

  Set(2, ftDate, DateTime::EncodeDate(2026, 2, 28));
  EXPECT_EQ(Bytes(2), QByteArray("20260228"));
  EXPECT_EQ(Get(2, ftDate).toDouble(), DateTime::EncodeDate(2026, 2, 28));
  record.replace(file.FieldDefs()[2].Offset, 8, "20260230");
  bool has = false;
  EXPECT_EQ(Get(2, ftDate, &has).toDouble(), 0.0);
  EXPECT_TRUE(has) << "an impossible date still counts as a value";
  const int year = QDate::currentDate().year();
  record.replace(file.FieldDefs()[2].Offset, 8, "  980101");
  EXPECT_EQ(DateTime::ToDate(Get(2, ftDate).toDouble()).year(), year - 50 <= 1998 && 1998 < year + 50 ? 1998 : 2098);

  const struct {
    const char* stored;
    bool has, value;
  } logicals[] = {{"T", true, true}, {"t", true, true}, {"Y", true, false}, {"F", true, false}, {" ", false, false}};
  for (const auto& l : logicals) {
    record[file.FieldDefs()[3].Offset] = l.stored[0];
    bool h = false;
    const QVariant v = Get(3, ftBoolean, &h);
    EXPECT_EQ(h, l.has) << l.stored;
    EXPECT_EQ(v.toBool(), l.value) << l.stored;
  }

  Set(4, ftString, QByteArray("abcdefg"));
  EXPECT_EQ(Bytes(4), QByteArray("abcde"));
  Set(4, ftString, QByteArray(" ab"));
  EXPECT_EQ(Get(4, ftString).toByteArray(), QByteArray(" ab")) << "leading blanks of a text are kept";
  file.SetFieldValue(4, ftString, nullptr, record.data());
  EXPECT_EQ(Bytes(4), QByteArray("     "));
  EXPECT_FALSE(Get(4, ftString).isValid());
}

// Numbers are written from the exact value of the double: 2.675 is stored as
// 2.67499999..., so it gives 2.67, and only a true half rounds up.
TEST_F(FieldValueTest, NumbersAreRoundedFromTheExactValue) {
  const int precisions[] = {0, 2, 5, 9};
  Make(TableFormat::Dbase3, [&](TXbFieldDefs& d) {
    for (const int precision : precisions)
      d.Add(QStringLiteral("N%1").arg(precision), ftFloat, 20, precision);
  });
  const struct {
    int field;
    double value;
    const char* text;
  } cases[] = {{1, 2.675, "2.67"},
               {1, 1.005, "1.00"},
               {1, 0.125, "0.13"},
               {1, -0.125, "-0.13"},
               {1, 1.115, "1.11"},
               {1, 0.0, "0.00"},
               {1, -1e-9, "-0.00"},
               {1, 1e-9, "0.00"},
               {0, 0.5, "1"},
               {0, 2.5, "3"},
               {0, -0.4, "-0"},
               {2, 123.456785, "123.45678"},
               {1, 21474836.475, "21474836.48"},
               {3, 1.0000000005, "1.000000001"},
               {1, 1e15 + 0.25, "1000000000000000.25"}};
  for (const auto& c : cases) {
    Set(c.field, ftFloat, c.value);
    EXPECT_EQ(Bytes(c.field).trimmed(), QByteArray(c.text)) << c.value;
  }
  // Across magnitudes and digits, the same text as Qt's exact conversion.
  std::mt19937_64 random(20261211);
  std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
  for (int i = 0; i < 20000; ++i) {
    const int f = i % int(std::size(precisions));
    const double value = mantissa(random) * std::pow(10.0, double(i % 9));
    const double scale = std::pow(10.0, precisions[f]);
    const double halfway = (std::round(value * scale) + 0.5) / scale; // near a half of the last digit
    for (const double v : {value, halfway}) {
      Set(f, ftFloat, v);
      EXPECT_EQ(Bytes(f), QByteArray::number(v, 'f', precisions[f]).rightJustified(20, ' ')) << v;
    }
  }
}

TEST_F(FieldValueTest, NumericTextReadsAsTheNearestDouble) {
  Make(TableFormat::Dbase3, [](TXbFieldDefs& d) { d.Add(QStringLiteral("N"), ftFloat, 20, 5); });
  const struct {
    const char* text;
    double value;
  } cases[] = {{"  1234.50", 1234.5},
               {"-0.25", -0.25},
               {".5", 0.5},
               {"-.5", -0.5},
               {"5.", 5.0},
               {"0.1", 0.1},
               {"123456789.012345", 123456789.012345},
               {"12345678901234567", 12345678901234567.0},
               {"1.2.3", 0.0},
               {"abc", 0.0},
               {"+7", 7.0}};
  for (const auto& c : cases) {
    record.replace(file.FieldDefs()[0].Offset, 20, QByteArray(c.text).rightJustified(20, ' '));
    EXPECT_EQ(Get(0, ftFloat).toDouble(), c.value) << c.text;
  }
}

TEST_F(FieldValueTest, BinaryFieldsOfDbase7) {
  Make(TableFormat::Dbase7, [](TXbFieldDefs& d) {
    d.Add(QStringLiteral("I"), ftInteger);
    d.Add(QStringLiteral("TS"), ftDateTime);
    TXbFieldDef& o = d.Add();
    o.FieldName = QStringLiteral("O");
    o.SetNativeFieldType('O');
  });
  const struct {
    qint32 value;
    QByteArray bytes;
  } ints[] = {{1, QByteArray("\x80\x00\x00\x01", 4)},
              {-1, QByteArray("\x7F\xFF\xFF\xFF", 4)},
              {0, QByteArray("\x80\x00\x00\x00", 4)}};
  for (const auto& c : ints) {
    Set(0, ftInteger, c.value);
    EXPECT_EQ(Bytes(0), c.bytes) << c.value;
    EXPECT_EQ(Get(0, ftInteger).toInt(), c.value);
  }
  file.SetFieldValue(0, ftInteger, nullptr, record.data());
  EXPECT_EQ(Bytes(0), QByteArray(4, '\0'));
  EXPECT_FALSE(Get(0, ftInteger).isValid());

  // Midnight has zero low bytes and is still a value.
  for (const TDateTime stamp : {DateTime::EncodeDate(2026, 12, 10),
                                DateTime::EncodeDate(2026, 12, 10) + DateTime::EncodeTime(23, 59, 59, 999)}) {
    Set(1, ftDateTime, stamp);
    bool has = false;
    EXPECT_DOUBLE_EQ(Get(1, ftDateTime, &has).toDouble(), stamp);
    EXPECT_TRUE(has);
  }

  for (const double value : {0.0, 1.5, -2.25, 1e300, -1e-300}) {
    Set(2, ftFloat, value);
    EXPECT_EQ(Get(2, ftFloat).toDouble(), value);
  }
  Set(2, ftFloat, -2.0);
  QByteArray positive = Bytes(2);
  Set(2, ftFloat, 3.0);
  EXPECT_LT(positive, Bytes(2)) << "stored doubles sort as their values";
}

TEST_F(FieldValueTest, FoxProNullsCurrencyAndDateTime) {
  Make(TableFormat::FoxPro, [](TXbFieldDefs& d) {
    d.Add(QStringLiteral("Y"), ftCurrency);
    d.Add(QStringLiteral("T"), ftDateTime);
    d.Add(QStringLiteral("I"), ftAutoInc);
  });
  Set(0, ftCurrency, 12.3456);
  EXPECT_EQ(Bytes(0), QByteArray("\x40\xE2\x01\x00\x00\x00\x00\x00", 8));
  EXPECT_EQ(Get(0, ftCurrency).toDouble(), 12.3456);
  EXPECT_EQ(Get(0, ftBCD).toByteArray(), Bytes(0));
  const TDateTime when = DateTime::EncodeDate(2000, 1, 1) + DateTime::EncodeTime(12, 0, 0);
  Set(1, ftDateTime, when);
  EXPECT_EQ(DbfBytes::Le32(Bytes(1).constData()), 2451545u);
  EXPECT_DOUBLE_EQ(Get(1, ftDateTime).toDouble(), when);
  Set(2, ftInteger, 7);
  EXPECT_EQ(Bytes(2), QByteArray("\x07\x00\x00\x00", 4));
}

} // namespace
