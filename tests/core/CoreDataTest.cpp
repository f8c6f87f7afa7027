#include "core/BinaryStream.h"
#include "core/CodePage1250.h"
#include "core/CodePage852.h"
#include "core/DataSet.h"
#include "core/DateTime.h"
#include "core/Exception.h"
#include "core/StringList.h"
#include "tests/support/ScopedEnvironment.h"
#include <QtTest/QSignalSpy>
#include <gtest/gtest.h>

namespace {

// A small editable data set over a vector of rows, enough to drive the base class.
class RowsDataSet : public TDataSet {
public:
  QList<TFieldDef> defs;
  QList<QVariantList> rows;
  bool CanModify() const override { return true; }

protected:
  void DoOpen(QList<TFieldDef>& out) override { out = defs; }
  void DoClose() override {}
  int DoRecordCount() const override { return int(rows.size()); }
  QVariant DoValue(int row, int field) const override { return rows[row][field]; }
  int DoPost(int row, const QVariantList& values) override {
    if (row < 0) {
      rows.append(values);
      return int(rows.size()) - 1;
    }
    rows[row] = values;
    return row;
  }
  void DoDelete(int row) override { rows.removeAt(row); }
};

std::unique_ptr<RowsDataSet> Members() {
  auto ds = std::make_unique<RowsDataSet>();
  ds->defs = {{QStringLiteral("JEDIN"), TFieldType::Integer},
              {QStringLiteral("MENO"), TFieldType::String, 25},
              {QStringLiteral("DATUM"), TFieldType::Date}};
  ds->rows = {{1, QStringLiteral("Ján Šťastný"), QDate(1980, 5, 17)},
              {2, QStringLiteral("Ľudovít Ďurčo"), QVariant()},
              {3, QStringLiteral("Jana Šťastná"), QDate(1999, 12, 31)}};
  return ds;
}

} // namespace

TEST(CodePage1250, EveryAssignedByteRoundTripsAndSlovakLettersSurvive) {
  for (int b = 0; b < 256; ++b) {
    const char16_t ch = Cp1250::ToUnicode(static_cast<unsigned char>(b));
    if (ch == 0xFFFD) continue;
    EXPECT_EQ(Cp1250::FromUnicode(ch), b) << "byte " << b;
  }
  const QString slovak = QStringLiteral("áäčďéíĺľňóôŕšťúýžÁÄČĎÉÍĹĽŇÓÔŔŠŤÚÝŽ€„“");
  EXPECT_EQ(Cp1250::Decode(Cp1250::Encode(slovak)), slovak);
  EXPECT_EQ(Cp1250::Encode(QStringLiteral("č")), QByteArray("\xE8"));
}

TEST(CodePage1250, UnencodableTextIsRefusedOrReplaced) {
  const QString text = QStringLiteral("ab\u4E2Dc");
  EXPECT_EQ(Cp1250::FirstUnencodable(text), 2);
  EXPECT_THROW(Cp1250::Encode(text), ECodePageError);
  EXPECT_EQ(Cp1250::EncodeLossy(text), QByteArray("ab?c"));
  EXPECT_EQ(Cp1250::Decode(QByteArray("\x81")), QString(QChar(0xFFFD)));
}

TEST(CodePages, MissingCharactersBecomeTheirNearestPlainOnes) {
  struct Case {
    const TSingleByteCodePage& page;
    QString text;
    QByteArray expected;
  } const cases[] = {
      // 852 lacks dashes and typographic quotes; its own letters and guillemets stay.
      {Cp852::CodePage(), QStringLiteral("Žilina – Šaľa — „Ján“ ‘ml.’ «x»"),
       Cp852::EncodeLossy(QStringLiteral("Žilina - Šaľa - \"Ján\" 'ml.' «x»"))},
      // A letter neither page has loses its accent; a sign with nothing near is the replacement.
      {Cp852::CodePage(), QStringLiteral("ñ ø ∑"), QByteArray("n _ _")},
      {Cp1250::CodePage(), QStringLiteral("ñ ∑ – ‚a‘"),
       QByteArray("n ? \x96 \x82"
                  "a\x91")},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.page.EncodeNearest(c.text, c.page.Number() == 852 ? '_' : '?'), c.expected) << c.text.toStdString();
}

// The refusal names the character the user typed, an emoji whole rather
// than half of its UTF-16 pair, and counts positions in characters.
TEST(CodePage1250, TheRefusalNamesTheCharacterAsTyped) {
  const struct {
    QString text;
    QString named;
    QString message;
  } cases[] = {
      {QStringLiteral("ab\u4E2Dc"), QStringLiteral("„中“ (U+4E2D)"),
       QStringLiteral("Znak „中“ (U+4E2D) na pozícii 3 nemožno uložiť v kódovej stránke 1250.")},
      {QStringLiteral("Hlavná 😀"), QStringLiteral("„😀“ (U+1F600)"),
       QStringLiteral("Znak „😀“ (U+1F600) na pozícii 8 nemožno uložiť v kódovej stránke 1250.")},
      {QStringLiteral("😀😀x\u00A9\u4E2D"), QStringLiteral("„😀“ (U+1F600)"), {}},
      {QString(QChar(0xD83D)) + QStringLiteral("a"),
       QStringLiteral("„") + QChar(0xD83D) + QStringLiteral("“ (U+D83D)"),
       {}}, // half a pair alone stays what it is
  };
  for (const auto& c : cases) {
    const qsizetype bad = Cp1250::FirstUnencodable(c.text);
    ASSERT_GE(bad, 0) << c.text.toStdString();
    EXPECT_EQ(TSingleByteCodePage::CharacterName(c.text, bad), c.named);
    if (c.message.isEmpty()) continue;
    try {
      Cp1250::Encode(c.text);
      ADD_FAILURE() << "encoded " << c.text.toStdString();
    } catch (const ECodePageError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST(DateTimeValue, EpochDaysAndTimeFraction) {
  EXPECT_EQ(DateTime::EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(DateTime::EncodeDate(2000, 1, 1), 36526.0);
  EXPECT_EQ(DateTime::ToDate(-1.25), QDate(1899, 12, 29));
  EXPECT_EQ(DateTime::ToTime(-1.25), QTime(6, 0));
  const QDateTime dt(QDate(2026, 12, 10), QTime(13, 30, 15));
  EXPECT_EQ(DateTime::ToDateTime(DateTime::FromDateTime(dt)), dt);
  EXPECT_FALSE(DateTime::ToDate(1e300).isValid());
}

TEST(DateTimeValue, LocalZoneIsNamedOnlyWhenUnset) {
  EXPECT_TRUE(qEnvironmentVariableIsSet("TZ")) << "named before main";
  const QDateTime summer(QDate(2024, 7, 1), QTime(12, 0)), winter(QDate(2024, 1, 15), QTime(12, 0));
  {
    TScopedEnvironment unset("TZ", std::nullopt);
    const int summerOffset = QDateTime(summer).offsetFromUtc(), winterOffset = QDateTime(winter).offsetFromUtc();
    DateTime::ReadLocalZoneOnce();
    EXPECT_EQ(qgetenv("TZ"), QByteArrayLiteral(":/etc/localtime"));
    EXPECT_EQ(QDateTime(summer.date(), summer.time()).offsetFromUtc(), summerOffset);
    EXPECT_EQ(QDateTime(winter.date(), winter.time()).offsetFromUtc(), winterOffset);
  }
  for (const QString& zone : {QString(), QStringLiteral("CET-1CEST,M3.5.0,M10.5.0/3")}) {
    TScopedEnvironment set("TZ", zone);
    DateTime::ReadLocalZoneOnce();
    EXPECT_EQ(qEnvironmentVariable("TZ"), zone);
  }
  TScopedEnvironment central("TZ", QStringLiteral("CET-1CEST,M3.5.0,M10.5.0/3"));
  EXPECT_EQ(QDateTime(summer.date(), summer.time()).offsetFromUtc(), 7200) << "a changed TZ still counts";
}

TEST(BinaryStream, LittleEndianRoundTripAndTruncationError) {
  TBinaryWriter w;
  w.WriteUInt16(0x1234);
  w.WriteInt32(-2);
  w.WriteDouble(1.5);
  w.WriteCp1250(QStringLiteral("Žilina"));
  EXPECT_EQ(w.Data().left(6), QByteArray("\x34\x12\xFE\xFF\xFF\xFF", 6));
  TBinaryReader r(w.Data());
  EXPECT_EQ(r.ReadUInt16(), 0x1234);
  EXPECT_EQ(r.ReadInt32(), -2);
  EXPECT_EQ(r.ReadDouble(), 1.5);
  EXPECT_EQ(r.ReadCp1250(6), QStringLiteral("Žilina"));
  EXPECT_TRUE(r.AtEnd());
  EXPECT_THROW(r.ReadByte(), EStreamError);
  TBinaryReader shortRead(QByteArrayView("\x01\x02", 2));
  EXPECT_THROW(shortRead.ReadUInt32(), EStreamError);
  EXPECT_EQ(shortRead.Position(), 0);
}

TEST(StringList, TextAndNameValueAccess) {
  TStringList list;
  list.SetText(QStringLiteral("A=1\r\nb=2\nC\r"));
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Values(QStringLiteral("B")), QStringLiteral("2"));
  list.SetValue(QStringLiteral("a"), QStringLiteral("x"));
  list.SetValue(QStringLiteral("b"), QString());
  list.SetValue(QStringLiteral("D"), QStringLiteral("4"));
  EXPECT_EQ(list.Text(), QStringLiteral("a=x\r\nC\r\nD=4\r\n"));
}

TEST(DataSet, NavigationEofBofAndRecNo) {
  auto ds = Members();
  ds->Open();
  EXPECT_TRUE(ds->Bof());
  EXPECT_FALSE(ds->Eof());
  int seen = 0;
  for (ds->First(); !ds->Eof(); ds->Next())
    ++seen;
  EXPECT_EQ(seen, 3);
  EXPECT_EQ(ds->RecNo(), 3);
  ds->Prior();
  EXPECT_EQ(ds->FieldByName(QStringLiteral("jedin")).AsInteger(), 2);
  EXPECT_EQ(ds->MoveBy(-5), -1);
  EXPECT_TRUE(ds->Bof());
  EXPECT_THROW(ds->FieldByName(QStringLiteral("NIC")), EDataSetError);
}

TEST(DataSet, FieldsByNameFollowEveryOpening) {
  auto ds = Members();
  EXPECT_EQ(ds->FindField(QStringLiteral("MENO")), nullptr) << "closed";
  ds->Open();
  TField* meno = ds->FindField(QStringLiteral("MENO"));
  ASSERT_NE(meno, nullptr);
  EXPECT_EQ(meno->Index(), 1);
  EXPECT_EQ(&ds->FieldByName(QStringLiteral("meno")), meno);
  EXPECT_EQ(ds->FindField(QStringLiteral("MENO")), meno);
  EXPECT_EQ(ds->FindField(QStringLiteral("ADRESA")), nullptr);
  ds->Close();
  // The same names over other columns: nothing from the last opening may answer.
  ds->defs = {{QStringLiteral("ADRESA"), TFieldType::String, 40}, {QStringLiteral("Meno"), TFieldType::String, 25}};
  ds->rows = {{QStringLiteral("Hlavná 1"), QStringLiteral("Ján")}};
  EXPECT_EQ(ds->FindField(QStringLiteral("MENO")), nullptr);
  ds->Open();
  EXPECT_EQ(ds->FieldByName(QStringLiteral("MENO")).AsString(), QStringLiteral("Ján"));
  EXPECT_EQ(ds->FieldByName(QStringLiteral("meno")).Index(), 1);
  EXPECT_EQ(ds->FieldByName(QStringLiteral("ADRESA")).AsString(), QStringLiteral("Hlavná 1"));
  EXPECT_THROW(ds->FieldByName(QStringLiteral("JEDIN")), EDataSetError);
}

TEST(DataSet, FieldConversionsAndNull) {
  auto ds = Members();
  ds->Open();
  TField& datum = ds->FieldByName(QStringLiteral("DATUM"));
  EXPECT_EQ(datum.AsString(), QStringLiteral("17.05.1980"));
  EXPECT_EQ(datum.AsDateTime(), DateTime::EncodeDate(1980, 5, 17));
  ds->Next();
  EXPECT_TRUE(datum.IsNull());
  EXPECT_EQ(datum.AsString(), QString());
  EXPECT_EQ(datum.AsDateTime(), 0.0);
  EXPECT_THROW(ds->FieldByName(QStringLiteral("MENO")).AsInteger(), EDataSetError);
}

TEST(DataSet, LocateWithOptionsAndBookmarks) {
  auto ds = Members();
  ds->Open();
  EXPECT_TRUE(ds->Locate(QStringLiteral("MENO"), QStringLiteral("jana š"), loCaseInsensitive | loPartialKey));
  EXPECT_EQ(ds->RecNo(), 3);
  const TBookmark mark = ds->GetBookmark();
  EXPECT_FALSE(ds->Locate(QStringLiteral("MENO"), QStringLiteral("jana")));
  EXPECT_EQ(ds->RecNo(), 3);
  EXPECT_TRUE(ds->Locate(QStringLiteral("JEDIN;DATUM"), QVariantList{2, QVariant()}));
  EXPECT_EQ(ds->RecNo(), 2);
  ds->GotoBookmark(mark);
  EXPECT_EQ(ds->FieldByName(QStringLiteral("JEDIN")).AsInteger(), 3);
}

TEST(DataSet, EditAppendDeleteAndNotifications) {
  auto ds = Members();
  ds->Open();
  QSignalSpy changed(ds.get(), &TDataSet::DataSetChanged);
  QSignalSpy recordChanged(ds.get(), &TDataSet::RecordChanged);
  ds->Edit();
  ds->FieldByName(QStringLiteral("MENO")).SetValue(QStringLiteral("Peter"));
  EXPECT_EQ(ds->ValueAt(0, 1).toString(), QStringLiteral("Peter"));
  ds->Post();
  EXPECT_EQ(recordChanged.count(), 1);
  ds->DisableControls();
  ds->Append();
  ds->FieldByName(QStringLiteral("JEDIN")).SetValue(QStringLiteral("4"));
  ds->Post();
  ds->Delete();
  EXPECT_EQ(changed.count(), 0);
  ds->EnableControls();
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(ds->RecordCount(), 3);
  EXPECT_EQ(ds->rows[0][1].toString(), QStringLiteral("Peter"));
}
