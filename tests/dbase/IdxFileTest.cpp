#include "core/DateTime.h"
#include "dbase/xb_idxfile.h"
#include "dbase/xbtable.h"
#include <QtCore/QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace {

// ---- random keys against a reference model ------------------------------------------------------

struct Values {
  QByteArray name; // 12 characters
  double amount;
  QDate born;
};

enum class KeyKind { Text, Number };

struct TagSpec {
  const char* name;
  const char* expression;
  int options;
  KeyKind kind;
  std::function<QByteArray(const Values&)> text;
};

QByteArray Pad(QByteArray text, int size) { return text.leftJustified(size, ' ', true); }

const TagSpec kTags[] = {
    {"NAME", "NAME", 0, KeyKind::Text, [](const Values& v) { return Pad(v.name, 12); }},
    {"NAMED", "NAME", ixDescending, KeyKind::Text, [](const Values& v) { return Pad(v.name, 12); }},
    {"AMOUNT", "AMOUNT", 0, KeyKind::Number, nullptr},
    {"AMOUNTD", "AMOUNT", ixDescending, KeyKind::Number, nullptr},
    {"BORN", "DTOS(BORN)", 0, KeyKind::Text,
     [](const Values& v) { return v.born.toString(QStringLiteral("yyyyMMdd")).toLatin1(); }},
    {"UNAME", "NAME", ixUnique, KeyKind::Text, [](const Values& v) { return Pad(v.name, 12); }},
    {"DKEY", "NAME + DTOS(BORN)", ixPrimary, KeyKind::Text,
     [](const Values& v) -> QByteArray {
       return Pad(v.name, 12) + v.born.toString(QStringLiteral("yyyyMMdd")).toLatin1();
     }},
};

// One tag of the model: its entries in the order the tag must walk them.
struct ModelTag {
  const TagSpec* spec;
  struct Entry {
    QByteArray text;
    double number;
    int rec;
    qint64 seq;
  };
  std::vector<Entry> entries;

  Entry KeyOf(const Values& v, int rec, qint64 seq) const {
    return spec->kind == KeyKind::Text ? Entry{spec->text(v), 0, rec, seq} : Entry{{}, v.amount, rec, seq};
  }
  int Compare(const Entry& a, const Entry& b) const {
    const int c = spec->kind == KeyKind::Text ? (a.text < b.text   ? -1
                                                 : a.text > b.text ? 1
                                                                   : 0)
                                              : (a.number < b.number   ? -1
                                                 : a.number > b.number ? 1
                                                                       : 0);
    return (spec->options & ixDescending) ? -c : c;
  }
  bool Holds(const Entry& key) const {
    return std::any_of(entries.begin(), entries.end(), [&](const Entry& e) { return Compare(e, key) == 0; });
  }
  bool Remove(const Entry& key) {
    auto it = std::find_if(entries.begin(), entries.end(),
                           [&](const Entry& e) { return e.rec == key.rec && Compare(e, key) == 0; });
    if (it == entries.end()) return false;
    entries.erase(it);
    return true;
  }
  void Insert(const Entry& key) {
    if ((spec->options & ixUnique) && Holds(key)) return;
    entries.push_back(key);
  }
  bool Distinct() const { return spec->options & ixPrimary; }
  std::vector<int> Order() const {
    std::vector<Entry> sorted = entries;
    std::stable_sort(sorted.begin(), sorted.end(), [&](const Entry& a, const Entry& b) {
      const int c = Compare(a, b);
      return c != 0 ? c < 0 : a.seq < b.seq;
    });
    std::vector<int> recs;
    for (const Entry& e : sorted)
      recs.push_back(e.rec);
    return recs;
  }
};

struct IndexKind {
  const char* label;
  int level;
  bool ndx;
};

class RandomKeysTest : public ::testing::TestWithParam<IndexKind> {
protected:
  QTemporaryDir dir;
  TXbTable table;
  std::vector<ModelTag> model;
  std::vector<Values> records; // by record number - 1
  qint64 seq = 0;
  std::mt19937 random{20261210};

  QString IndexName(const TagSpec& spec) const {
    return GetParam().ndx ? dir.filePath(QLatin1String(spec.name) + QStringLiteral(".ndx")) : QLatin1String(spec.name);
  }
  void SetUp() override {
    table.SetTableName(dir.filePath(QStringLiteral("keys.dbf")));
    table.SetTableLevel(GetParam().level);
    table.FieldDefs = {{QStringLiteral("NAME"), TFieldType::String, 12},
                       {QStringLiteral("AMOUNT"), TFieldType::Float, 10, 2},
                       {QStringLiteral("BORN"), TFieldType::Date}};
    table.CreateTable();
    table.Exclusive = true;
    table.Open();
    for (const TagSpec& spec : kTags) {
      ASSERT_NE(table.DbfFile()->OpenIndex(IndexName(spec), QLatin1String(spec.expression), spec.options, true),
                nullptr);
      model.push_back({&spec, {}});
    }
  }
  TXbFile& File() { return *table.DbfFile(); }

  Values RandomValues() {
    static const char* const kNames[] = {"ADAM", "BELA", "CYRIL", "DANO", "EMA",   "FERO",
                                         "GABO", "HANA", "IGOR",  "JANA", "KAMIL", "LUCIA"};
    Values v;
    v.name = QByteArray(kNames[random() % 12]) + QByteArray::number(int(random() % 3));
    v.amount = (int(random() % 801) - 400) / 4.0;
    v.born = QDate(1950 + int(random() % 5), 1 + int(random() % 3), 1);
    return v;
  }
  void Store(const Values& v, char* record) {
    const QVariant name(v.name), amount(v.amount), born(DateTime::FromDate(v.born));
    File().SetFieldValue(0, ftString, &name, record);
    File().SetFieldValue(1, ftFloat, &amount, record);
    File().SetFieldValue(2, ftDate, &born, record);
  }
  // The distinct tag refuses a key it holds; the whole change is then refused.
  bool Violates(const Values& v, int rec, const Values* old) {
    for (const ModelTag& tag : model) {
      if (!tag.Distinct()) continue;
      const auto key = tag.KeyOf(v, rec, 0);
      if (old && tag.Compare(tag.KeyOf(*old, rec, 0), key) == 0) continue;
      if (tag.Holds(key)) return true;
    }
    return false;
  }

  void Append() {
    const Values v = RandomValues();
    QByteArray record(File().RecordSize(), '\0');
    File().InitRecord(record.data());
    Store(v, record.data());
    const int rec = int(records.size()) + 1;
    if (Violates(v, rec, nullptr)) {
      EXPECT_THROW(File().AppendRecord(record.data()), EXbError);
      return;
    }
    ASSERT_EQ(File().AppendRecord(record.data()), rec);
    records.push_back(v);
    ++seq;
    for (ModelTag& tag : model)
      tag.Insert(tag.KeyOf(v, rec, seq));
  }
  void Edit() {
    const int rec = 1 + int(random() % records.size());
    Values v = records[std::size_t(rec) - 1];
    const Values old = v;
    if (random() % 2) v.name = RandomValues().name;
    if (random() % 2) v.amount = RandomValues().amount;
    if (random() % 3 == 0) v.born = RandomValues().born;
    QByteArray record(File().RecordSize(), '\0');
    File().LockRecord(rec, record.data());
    Store(v, record.data());
    if (Violates(v, rec, &old)) {
      EXPECT_THROW(File().UnlockRecord(rec, record.constData()), EXbError);
      File().CancelRecordLock(rec);
      return;
    }
    File().UnlockRecord(rec, record.constData());
    records[std::size_t(rec) - 1] = v;
    ++seq;
    for (ModelTag& tag : model) {
      const auto before = tag.KeyOf(old, rec, seq), after = tag.KeyOf(v, rec, seq);
      if (tag.Compare(before, after) == 0) continue;
      tag.Remove(before);
      tag.Insert(after);
    }
  }
  void Delete() {
    const int rec = 1 + int(random() % records.size());
    QByteArray record(File().RecordSize(), '\0');
    File().LockRecord(rec, record.data());
    record[0] = '*';
    File().NotifyDeleted(rec, record.constData());
    File().UnlockRecord(rec, record.constData());
    for (ModelTag& tag : model)
      if (tag.Distinct()) tag.Remove(tag.KeyOf(records[std::size_t(rec) - 1], rec, 0));
  }

  std::vector<int> Walk(const TagSpec& spec, bool backward = false) {
    TIndexFile* index = File().IndexByName(IndexName(spec));
    if (!index) return {-1};
    index->SelectTagByName(QLatin1String(spec.name));
    std::vector<int> recs;
    if (backward) {
      for (index->MoveLast(); index->MovePrior();)
        recs.insert(recs.begin(), index->PhysicalRecNo());
    } else {
      for (index->MoveFirst(); index->MoveNext();)
        recs.push_back(index->PhysicalRecNo());
    }
    return recs;
  }
  void ExpectAllTags(const char* when) {
    for (const ModelTag& tag : model) {
      const std::vector<int> walked = Walk(*tag.spec), expected = tag.Order();
      const auto diff = std::mismatch(walked.begin(), walked.end(), expected.begin(), expected.end());
      ASSERT_EQ(walked, expected) << tag.spec->name << " " << when << ", first difference at "
                                  << (diff.first - walked.begin());
    }
  }
};

TEST_P(RandomKeysTest, InsertUpdateDeleteKeepEveryTagInOrder) {
  for (int step = 0; step < 500; ++step) {
    const unsigned op = records.size() < 20 ? 0 : random() % 10;
    if (op < 6)
      Append();
    else if (op < 9)
      Edit();
    else
      Delete();
    ASSERT_NO_FATAL_FAILURE(ExpectAllTags("after a step"));
  }
  for (const ModelTag& tag : model)
    EXPECT_EQ(Walk(*tag.spec, true), tag.Order()) << tag.spec->name << " backward";
  EXPECT_GT(model.front().entries.size(), 200u) << "enough keys for trees of several levels";

  table.Close();
  table.Open();
  if (GetParam().ndx)
    for (const TagSpec& spec : kTags)
      ASSERT_NE(File().OpenIndex(IndexName(spec), QString(), 0, false), nullptr);
  ExpectAllTags("after reopening");
}

INSTANTIATE_TEST_SUITE_P(Kinds, RandomKeysTest,
                         ::testing::Values(IndexKind{"MdxDbase4", 4, false}, IndexKind{"MdxDbase7", 7, false},
                                           IndexKind{"Ndx", 4, true}),
                         [](const auto& info) { return std::string(info.param.label); });

} // namespace
