#include "DbfBytes.h"
#include "IdxBytes.h"
#include "core/DateTime.h"
#include "dbase/xb_idxfile.h"
#include "dbase/xbtable.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace {

// ---- random keys against a reference model ------------------------------------------------------

struct Values {
  QByteArray name; // 12 characters
  double amount;
  QDate born;
};

enum class KeyKind { Text, Number };

struct TagDefinition {
  const char* name;
  const char* expression;
  int options;
  KeyKind kind;
  std::function<QByteArray(const Values&)> text;
};

QByteArray Pad(QByteArray text, int size) { return text.leftJustified(size, ' ', true); }

const TagDefinition kTags[] = {
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
  const TagDefinition* definition;
  struct Entry {
    QByteArray text;
    double number;
    int rec;
    qint64 seq;
  };
  std::vector<Entry> entries;

  Entry KeyOf(const Values& v, int rec, qint64 seq) const {
    return definition->kind == KeyKind::Text ? Entry{definition->text(v), 0, rec, seq} : Entry{{}, v.amount, rec, seq};
  }
  int Compare(const Entry& a, const Entry& b) const {
    const int c = definition->kind == KeyKind::Text ? (a.text < b.text   ? -1
                                                       : a.text > b.text ? 1
                                                                         : 0)
                                                    : (a.number < b.number   ? -1
                                                       : a.number > b.number ? 1
                                                                             : 0);
    return (definition->options & ixDescending) ? -c : c;
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
    if ((definition->options & ixUnique) && Holds(key)) return;
    entries.push_back(key);
  }
  bool Distinct() const { return definition->options & ixPrimary; }
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

// Selects a tag for the scope and then the one selected before.
struct TKeepTag {
  TIndexFile& index;
  int before;
  TKeepTag(TIndexFile& file, const char* name) : index(file), before(file.SelectedTag()) {
    index.SelectTagByName(QLatin1String(name));
  }
  ~TKeepTag() { index.SelectTag(before); }
};

class RandomKeysTest : public ::testing::TestWithParam<IndexKind> {
protected:
  QTemporaryDir dir;
  TXbTable table;
  std::vector<ModelTag> model;
  std::vector<Values> records; // by record number - 1
  std::vector<bool> deleted;   // by record number - 1
  qint64 seq = 0;
  std::mt19937 random{20261210};

  QString IndexName(const TagDefinition& definition) const {
    return GetParam().ndx ? dir.filePath(QLatin1String(definition.name) + QStringLiteral(".ndx"))
                          : QLatin1String(definition.name);
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
    for (const TagDefinition& definition : kTags) {
      ASSERT_NE(table.DbfFile()->OpenIndex(IndexName(definition), QLatin1String(definition.expression),
                                           definition.options, true),
                nullptr);
      model.push_back({&definition, {}});
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
  // The tag whose keys the index maintains alone; null: every tag.
  const char* maintained = nullptr;
  bool Maintained(const ModelTag& tag) const {
    return !maintained || std::strcmp(tag.definition->name, maintained) == 0;
  }
  bool IsDeleted(int rec) const { return deleted[std::size_t(rec) - 1]; }

  // The first maintained distinct tag holding the key for another record
  // refuses the whole change; deleted records have no key there.
  const ModelTag::Entry* Holder(const Values& v, int rec, const Values* old) const {
    for (const ModelTag& tag : model) {
      if (!tag.Distinct() || !Maintained(tag)) continue;
      const auto key = tag.KeyOf(v, rec, 0);
      if (old && tag.Compare(tag.KeyOf(*old, rec, 0), key) == 0) continue;
      for (const auto& e : tag.entries)
        if (tag.Compare(e, key) == 0 && (old || e.rec != rec)) return &e;
    }
    return nullptr;
  }

  void Append() {
    const Values v = RandomValues();
    QByteArray record(File().RecordSize(), '\0');
    File().InitRecord(record.data());
    Store(v, record.data());
    const int rec = int(records.size()) + 1;
    if (Holder(v, rec, nullptr)) {
      EXPECT_THROW(File().AppendRecord(record.data()), EXbError);
      return;
    }
    ASSERT_EQ(File().AppendRecord(record.data()), rec);
    records.push_back(v);
    deleted.push_back(false);
    ++seq;
    for (ModelTag& tag : model)
      if (Maintained(tag)) tag.Insert(tag.KeyOf(v, rec, seq));
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
    if (!IsDeleted(rec) && Holder(v, rec, &old)) {
      EXPECT_THROW(File().UnlockRecord(rec, record.constData()), EXbError);
      File().CancelRecordLock(rec);
      return;
    }
    File().UnlockRecord(rec, record.constData());
    records[std::size_t(rec) - 1] = v;
    ++seq;
    for (ModelTag& tag : model) {
      const auto before = tag.KeyOf(old, rec, seq), after = tag.KeyOf(v, rec, seq);
      if (!Maintained(tag) || tag.Compare(before, after) == 0 || (tag.Distinct() && IsDeleted(rec))) continue;
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
    deleted[std::size_t(rec) - 1] = true;
    for (ModelTag& tag : model)
      if (tag.Distinct() && Maintained(tag)) tag.Remove(tag.KeyOf(records[std::size_t(rec) - 1], rec, 0));
  }
  // A recalled record takes its key back in the distinct tags, unless another
  // record took it meanwhile: then the key violation, and it stays deleted.
  void Recall() {
    std::vector<int> candidates;
    for (int rec = 1; rec <= int(records.size()); ++rec)
      if (IsDeleted(rec)) candidates.push_back(rec);
    if (candidates.empty()) return;
    const int rec = candidates[random() % candidates.size()];
    const Values& v = records[std::size_t(rec) - 1];
    QByteArray record(File().RecordSize(), '\0');
    File().LockRecord(rec, record.data());
    record[0] = ' ';
    if (const ModelTag::Entry* holder = Holder(v, rec, nullptr)) {
      try {
        File().NotifyRecalled(rec, record.constData());
        ADD_FAILURE() << "record " << rec << " recalled onto a taken distinct key";
      } catch (const EXbError& e) {
        const QString& m = e.Message();
        EXPECT_TRUE(m.startsWith(QStringLiteral("Key violation. (Key already present in file).\r\nIndex: ")) &&
                    m.contains(QStringLiteral("DKEY"), Qt::CaseInsensitive) &&
                    m.contains(QStringLiteral("\r\nRecord=%1 Key='").arg(holder->rec)))
            << m.toStdString();
      }
      File().CancelRecordLock(rec);
      ++refusedRecalls;
      return;
    }
    File().NotifyRecalled(rec, record.constData());
    File().UnlockRecord(rec, record.constData());
    deleted[std::size_t(rec) - 1] = false;
    ++recalls;
    ++seq;
    for (ModelTag& tag : model) {
      const auto key = tag.KeyOf(v, rec, seq);
      const bool holds = std::any_of(tag.entries.begin(), tag.entries.end(),
                                     [&](const auto& e) { return e.rec == rec && tag.Compare(e, key) == 0; });
      if (tag.Distinct() && Maintained(tag) && !holds) tag.Insert(key);
    }
  }
  int recalls = 0, refusedRecalls = 0;
  void RandomStep() {
    const unsigned op = records.size() < 20 ? 0 : random() % 12;
    if (op < 6)
      Append();
    else if (op < 9)
      Edit();
    else if (op < 11)
      Delete();
    else
      Recall();
  }

  std::vector<int> Walk(const TagDefinition& definition, bool backward = false) {
    TIndexFile* index = File().IndexByName(IndexName(definition));
    if (!index) return {-1};
    const int selected = index->SelectedTag(); // the maintained tag stays selected
    index->SelectTagByName(QLatin1String(definition.name));
    std::vector<int> recs;
    if (backward) {
      for (index->MoveLast(); index->MovePrior();)
        recs.insert(recs.begin(), index->PhysicalRecNo());
    } else {
      for (index->MoveFirst(); index->MoveNext();)
        recs.push_back(index->PhysicalRecNo());
    }
    index->SelectTag(selected);
    return recs;
  }
  void ExpectAllTags(const char* when) {
    for (const ModelTag& tag : model) {
      const std::vector<int> walked = Walk(*tag.definition), expected = tag.Order();
      const auto diff = std::mismatch(walked.begin(), walked.end(), expected.begin(), expected.end());
      ASSERT_EQ(walked, expected) << tag.definition->name << " " << when << ", first difference at "
                                  << (diff.first - walked.begin());
      // The order read in one pass over the tree is the walk's.
      TIndexFile* index = File().IndexByName(IndexName(*tag.definition));
      const TKeepTag keep(*index, tag.definition->name);
      ASSERT_EQ(index->RecordsInOrder(), expected) << tag.definition->name << " in one pass " << when;
    }
  }
};

TEST_P(RandomKeysTest, InsertUpdateDeleteRecallKeepEveryTagInOrder) {
  for (int step = 0; step < 600; ++step) {
    RandomStep();
    ASSERT_NO_FATAL_FAILURE(ExpectAllTags("after a step"));
  }
  for (const ModelTag& tag : model)
    EXPECT_EQ(Walk(*tag.definition, true), tag.Order()) << tag.definition->name << " backward";
  EXPECT_GT(model.front().entries.size(), 200u) << "enough keys for trees of several levels";
  EXPECT_GT(recalls, 10) << "enough recalls";
  EXPECT_GT(refusedRecalls, 0) << "a recall onto a taken key was tried";

  table.Close();
  table.Open();
  if (GetParam().ndx) {
    for (const TagDefinition& definition : kTags)
      ASSERT_NE(File().OpenIndex(IndexName(definition), QString(), 0, false), nullptr);
  }
  ExpectAllTags("after reopening");
}

INSTANTIATE_TEST_SUITE_P(Kinds, RandomKeysTest,
                         ::testing::Values(IndexKind{"MdxDbase4", 4, false}, IndexKind{"MdxDbase7", 7, false},
                                           IndexKind{"Ndx", 4, true}),
                         [](const auto& info) { return std::string(info.param.label); });

// Maintenance of the selected tag only: the other tags keep their keys as
// they were, the selected one follows every change, and the file reopens so.
class SelectedTagTest : public RandomKeysTest {};

TEST_P(SelectedTagTest, OnlyTheSelectedTagFollowsTheRecords) {
  for (int step = 0; step < 60; ++step)
    RandomStep();
  TIndexFile* index = File().IndexByName(QStringLiteral("NAME"));
  ASSERT_NE(index, nullptr);
  EXPECT_EQ(index->UpdateMode(), TIndexUpdateMode::AllTags) << "an MDX file of several tags maintains them all";
  index->SetUpdateMode(TIndexUpdateMode::SelectedTag);
  // A normal tag, then the distinct one: while NAME alone is maintained the
  // distinct tag refuses nothing, and it takes up the records from there.
  for (const char* only : {"NAME", "DKEY"}) {
    maintained = only;
    index->SelectTagByName(QLatin1String(only));
    std::map<std::string, std::vector<int>> before;
    for (const ModelTag& tag : model)
      before[tag.definition->name] = Walk(*tag.definition);
    for (int step = 0; step < 150; ++step) {
      RandomStep();
      ASSERT_NO_FATAL_FAILURE(ExpectAllTags(only));
    }
    for (const ModelTag& tag : model)
      EXPECT_EQ(Walk(*tag.definition) == before[tag.definition->name], !Maintained(tag))
          << tag.definition->name << " while " << only << " alone was maintained";
  }
  EXPECT_GT(refusedRecalls + recalls, 0);

  table.Close();
  table.Open();
  ASSERT_NO_FATAL_FAILURE(ExpectAllTags("after reopening"));
  // Rebuilt alone, NAME holds every record in record order; the others stay as they were.
  maintained = nullptr;
  ModelTag& name = model.front();
  name.entries.clear();
  for (int rec = 1; rec <= int(records.size()); ++rec)
    name.entries.push_back(name.KeyOf(records[std::size_t(rec) - 1], rec, rec));
  File().RebuildIndex(*File().IndexByName(QStringLiteral("NAME")), QStringLiteral("NAME"));
  ASSERT_NO_FATAL_FAILURE(ExpectAllTags("after rebuilding NAME"));
  table.Close();
  table.Open();
  ExpectAllTags("reopened after rebuilding NAME");
}

INSTANTIATE_TEST_SUITE_P(Kinds, SelectedTagTest,
                         ::testing::Values(IndexKind{"MdxDbase4", 4, false}, IndexKind{"MdxDbase7", 7, false}),
                         [](const auto& info) { return std::string(info.param.label); });

} // namespace

// ---- index files of other programs ----------------------------------------------------------------

namespace {

struct Member {
  const char* name;
  const char* number;
};
const Member kMembers[] = {{"KAROL", "12.5"}, {"ADAM", "-3"},    {"EVA", "0"},  {"BORIS", "1200"},
                           {"DANA", "-0.25"}, {"CYRIL", "0.05"}, {"FILIP", "7"}};

class ForeignIndexTest : public ::testing::Test {
protected:
  QTemporaryDir dir;
  TXbTable table;

  void WriteTable(bool production, quint8 version = 0x03, quint8 language = 0) {
    DbfBytes::Table t;
    t.version = version;
    t.dbase7 = version == 0x04;
    t.language = language;
    t.productionIndex = production ? 1 : 0;
    t.fields = {{"NAME", 'C', 8}, {"NUM", 'N', 8, 2}};
    for (const Member& m : kMembers)
      t.records << DbfBytes::Record(t, {m.name, DbfBytes::RightText(m.number, 8)});
    DbfBytes::WriteFile(dir.filePath(QStringLiteral("members.dbf")), DbfBytes::Build(t));
  }
  // The keys in order: names by bytes, numbers by value.
  static QList<IdxBytes::Key> NameKeys() {
    QList<IdxBytes::Key> keys;
    for (quint32 i = 0; i < 7; ++i)
      keys << IdxBytes::Key{QByteArray(kMembers[i].name).leftJustified(8, ' '), i + 1};
    std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.key < b.key; });
    return keys;
  }
  static QList<IdxBytes::Key> NumberKeys(bool bcd) {
    QList<std::pair<double, quint32>> values;
    for (quint32 i = 0; i < 7; ++i)
      values << std::pair{QByteArray(kMembers[i].number).toDouble(), i + 1};
    std::sort(values.begin(), values.end());
    QList<IdxBytes::Key> keys;
    for (const auto& [value, rec] : values)
      keys << IdxBytes::Key{bcd ? IdxBytes::Bcd(kMembers[rec - 1].number) : IdxBytes::Double(value), rec};
    return keys;
  }
  void Open(const QString& indexName, const QStringList& files = {}) {
    table.SetTableName(dir.filePath(QStringLiteral("members.dbf")));
    table.ReadOnly = true;
    for (const QString& file : files)
      table.IndexDefs.Add().SetIndexFile(file);
    table.SetIndexName(indexName);
    table.Open();
  }
  QStringList Names() {
    QStringList names;
    for (table.First(); !table.Eof(); table.Next())
      names << table.FieldByName(QStringLiteral("NAME")).AsString();
    return names;
  }
};

const QStringList kByName = {QStringLiteral("ADAM"), QStringLiteral("BORIS"), QStringLiteral("CYRIL"),
                             QStringLiteral("DANA"), QStringLiteral("EVA"),   QStringLiteral("FILIP"),
                             QStringLiteral("KAROL")};
const QStringList kByNumber = {QStringLiteral("ADAM"),  QStringLiteral("DANA"),  QStringLiteral("EVA"),
                               QStringLiteral("CYRIL"), QStringLiteral("FILIP"), QStringLiteral("KAROL"),
                               QStringLiteral("BORIS")};

TEST_F(ForeignIndexTest, NdxFilesReadInKeyOrder) {
  WriteTable(false);
  DbfBytes::WriteFile(dir.filePath(QStringLiteral("names.ndx")),
                      IdxBytes::Ndx({"", "NAME", 'C', 8, 0x10, NameKeys(), 3}));
  DbfBytes::WriteFile(dir.filePath(QStringLiteral("nums.ndx")),
                      IdxBytes::Ndx({"", "NUM", 'N', 8, 0x00, NumberKeys(false), 2}));
  Open(QStringLiteral("names.ndx"), {QStringLiteral("names.ndx"), QStringLiteral("nums.ndx")});
  EXPECT_EQ(Names(), kByName);
  EXPECT_TRUE(table.FindKey(QStringLiteral("DANA")));
  EXPECT_EQ(table.FieldByName(QStringLiteral("NUM")).AsFloat(), -0.25);
  table.SetIndexName(QStringLiteral("NUMS.NDX"));
  EXPECT_EQ(Names(), kByNumber);
  EXPECT_TRUE(table.FindKey(7));
  EXPECT_EQ(table.FieldByName(QStringLiteral("NAME")).AsString(), QStringLiteral("FILIP"));
}

class ForeignMdxTest : public ForeignIndexTest, public ::testing::WithParamInterface<quint8> {};

TEST_P(ForeignMdxTest, ProductionIndexTagsReadInKeyOrder) {
  const quint8 version = GetParam();
  WriteTable(true, version == 3 ? 0x04 : 0x03);
  const QList<IdxBytes::Tag> tags = {{"NAME", "NAME", 'C', 8, 0x10, NameKeys(), 2},
                                     {"NUM", "NUM", 'N', 12, 0x00, NumberKeys(true), 3}};
  DbfBytes::WriteFile(dir.filePath(QStringLiteral("members.mdx")), IdxBytes::Mdx(tags, version));
  Open(QStringLiteral("NAME"));
  EXPECT_EQ(table.IndexDefs.Count(), 2);
  EXPECT_EQ(Names(), kByName);
  table.SetIndexName(QStringLiteral("num"));
  EXPECT_EQ(Names(), kByNumber) << "zero lies between the negative numbers and 0.05";
  EXPECT_TRUE(table.FindKey(1200));
  EXPECT_EQ(table.FieldByName(QStringLiteral("NAME")).AsString(), QStringLiteral("BORIS"));
  EXPECT_TRUE(table.FindKey(0));
  EXPECT_EQ(table.FieldByName(QStringLiteral("NAME")).AsString(), QStringLiteral("EVA"));
}

INSTANTIATE_TEST_SUITE_P(Versions, ForeignMdxTest, ::testing::Values(quint8(2), quint8(3)));

// Damaged index files: each opens with a message or reads what it can; none crashes or hangs.
TEST_F(ForeignIndexTest, DamagedIndexFiles) {
  WriteTable(false);
  const QByteArray good = IdxBytes::Ndx({"", "NAME", 'C', 8, 0x10, NameKeys(), 3});
  QByteArray rootBeyondEnd = good;
  DbfBytes::PutLe32(rootBeyondEnd, 0, 999);
  QByteArray circular = good;
  const int root = int(DbfBytes::Le32(good.constData()));
  DbfBytes::PutLe32(circular, root * 512 + 4, quint32(root)); // the root's first child is the root
  QByteArray keyTooLong = good;
  DbfBytes::PutLe16(keyTooLong, 12, 500);
  QByteArray countTooLarge = good;
  DbfBytes::PutLe32(countTooLarge, 512, 0x7FFFFFFF);
  QByteArray badExpression = good;
  badExpression.replace(24, 6, QByteArray("NAME +", 6));
  QByteArray unknownField = good;
  unknownField.replace(24, 5, QByteArray("NOPE\0", 5));
  // The last leaf (page 3) made an inner node over leaves 1 and 2: the tree
  // is deeper below the root's last entry than below its first.
  QByteArray uneven = good;
  DbfBytes::PutLe32(uneven, 3 * 512 + 4, 1);
  DbfBytes::PutLe32(uneven, 3 * 512 + 4 + 16, 2);
  const struct {
    const char* label;
    QByteArray bytes;
    const char* error; // empty: opens
    int rows;
  } cases[] = {
      {"header cut short", good.left(100), "Invalid index file", 0},
      {"root beyond the end", rootBeyondEnd, "", 0},
      {"nodes in a circle", circular, "Invalid index file", 0},
      {"key length 500", keyTooLong, "", -1},
      {"key count too large", countTooLarge, "", -1},
      {"expression cut", badExpression, "Argument type mismatch", 0},
      {"unknown field", unknownField, "Index based on unknown field \"NOPE\".", 0},
      {"uneven depth", uneven, "", 12},
  };
  for (const auto& c : cases) {
    DbfBytes::WriteFile(dir.filePath(QStringLiteral("bad.ndx")), c.bytes);
    TXbTable t;
    t.SetTableName(dir.filePath(QStringLiteral("members.dbf")));
    t.ReadOnly = true;
    t.IndexDefs.Add().SetIndexFile(QStringLiteral("bad.ndx"));
    t.SetIndexName(QStringLiteral("bad.ndx"));
    QString error;
    int rows = -2;
    try {
      t.Open();
      rows = 0;
      for (t.First(); !t.Eof() && rows < 100; t.Next())
        ++rows;
      if (TIndexFile* index = t.SelectedIndex())
        for (int position : {2, 5, 1000}) {
          index->SetSequentialRecNo(position);
          EXPECT_LE(index->PhysicalRecNo(), 7) << c.label << " at " << position;
        }
    } catch (const Exception& e) {
      error = e.Message();
    }
    if (*c.error) {
      EXPECT_TRUE(error.startsWith(QLatin1String(c.error))) << c.label << ": " << error.toStdString();
    } else {
      EXPECT_TRUE(error.isEmpty()) << c.label << ": " << error.toStdString();
      if (c.rows >= 0) {
        EXPECT_EQ(rows, c.rows) << c.label;
      }
      EXPECT_LE(rows, std::max(c.rows, 7)) << c.label;
    }
  }
}

TEST_F(ForeignIndexTest, MdxOfAnotherLanguageIsNotReadWithoutAnAnswer) {
  WriteTable(true, 0x03, 0xC8);
  DbfBytes::WriteFile(dir.filePath(QStringLiteral("members.mdx")),
                      IdxBytes::Mdx({{"NAME", "NAME", 'C', 8, 0x10, NameKeys(), 3}}, 2, 0x64));
  Open(QStringLiteral("NAME"));
  EXPECT_TRUE(table.IndexName().isEmpty()) << "the index is open but unread: physical order";
  EXPECT_EQ(table.FieldByName(QStringLiteral("NAME")).AsString(), QStringLiteral("KAROL"));
  table.Close();
  int asked = 0;
  TXbTable answered;
  answered.SetTableName(dir.filePath(QStringLiteral("members.dbf")));
  answered.ReadOnly = true;
  answered.SetIndexName(QStringLiteral("NAME"));
  answered.OnLocaleError = [&](TXbFile&, int error, int& solution) {
    asked = error;
    solution = 1; // read the tags, change no key
  };
  answered.Open();
  EXPECT_EQ(asked, int(leLanguageMismatch));
  EXPECT_EQ(answered.IndexName(), QStringLiteral("NAME"));
  answered.First();
  EXPECT_EQ(answered.FieldByName(QStringLiteral("NAME")).AsString(), QStringLiteral("ADAM"));
}

// ---- tags and keys of new files -------------------------------------------------------------------

class NewIndexTest : public ::testing::Test {
protected:
  QTemporaryDir dir;
  TXbTable table;
  void SetUp() override {
    table.SetTableName(dir.filePath(QStringLiteral("new.dbf")));
    table.FieldDefs = {{QStringLiteral("NAME"), TFieldType::String, 100}, {QStringLiteral("NUM"), TFieldType::Integer}};
    table.CreateTable();
    table.Exclusive = true;
    table.Open();
  }
  TIndexFile& Mdx(const QString& tag, const QString& expression, int options = 0) {
    TIndexFile* index = table.DbfFile()->OpenIndex(tag, expression, options, true);
    EXPECT_NE(index, nullptr);
    return *index;
  }
  void Add(const QString& name, int number) {
    table.Append();
    table.FieldByName(QStringLiteral("NAME")).SetValue(name);
    table.FieldByName(QStringLiteral("NUM")).SetValue(number);
    table.Post();
  }
};

TEST_F(NewIndexTest, NumericKeysAndTagLimits) {
  TIndexFile& index = Mdx(QStringLiteral("NUM"), QStringLiteral("NUM"));
  EXPECT_TRUE(index.IsMdx());
  const struct {
    int value;
    QByteArray key;
  } keys[] = {
      {1200, QByteArray::fromHex("380912")}, {-5, QByteArray::fromHex("358950")}, {0, QByteArray::fromHex("3401")}};
  for (const auto& k : keys) {
    TExprValue v;
    v.Type = etInteger;
    v.Int = k.value;
    EXPECT_EQ(index.PrepareKey(v), k.key.leftJustified(12, '\0')) << k.value;
    EXPECT_EQ(index.PrepareKey(v), IdxBytes::Bcd(QByteArray::number(k.value))) << k.value;
  }
  EXPECT_EQ(index.KeyToBuffer(0).left(2), QByteArray::fromHex("3401"));

  Mdx(QStringLiteral("NAME"), QStringLiteral("NAME"));
  EXPECT_EQ(index.KeyLen(), 100);
  const QByteArray bytes = DbfBytes::ReadFile(index.FileName());
  const int nameHeader = int(DbfBytes::Le32(bytes.constData() + 512 + 64)) * 512;
  EXPECT_EQ(quint8(bytes[nameHeader + 18]), 104) << "entry length of a 100-byte key";
  EXPECT_EQ(quint8(bytes[nameHeader + 14]), 9) << "keys per node";

  EXPECT_THROW(Mdx(QStringLiteral("BAD"), QStringLiteral("NUM = 1")), EXbError) << "a boolean key";
  for (int i = 2; i < 47; ++i)
    Mdx(QStringLiteral("T%1").arg(i), QStringLiteral("NUM"));
  EXPECT_EQ(index.TagCount(), 47);
  try {
    Mdx(QStringLiteral("T47"), QStringLiteral("NUM"));
    FAIL() << "a 48th tag";
  } catch (const EXbError& e) {
    EXPECT_EQ(e.Message(), XbMessages::TooManyIndexes());
  }
}

TEST_F(NewIndexTest, UniqueTagsDeletedTagsAndAbsentKeys) {
  TIndexFile& index = Mdx(QStringLiteral("NUM"), QStringLiteral("NUM"), ixUnique);
  Mdx(QStringLiteral("NAME"), QStringLiteral("UPPER(NAME)"));
  Mdx(QStringLiteral("NUMD"), QStringLiteral("NUM"), ixDescending);
  for (int i : {5, 3, 5, 1})
    Add(QStringLiteral("n%1").arg(i), i);
  auto walk = [&](const char* tag) {
    index.SelectTagByName(QLatin1String(tag));
    QList<int> recs;
    for (index.MoveFirst(); index.MoveNext();)
      recs << index.PhysicalRecNo();
    return recs;
  };
  EXPECT_EQ(walk("NUM"), QList<int>({4, 2, 1})) << "the second 5 gets no entry in the unique tag";
  EXPECT_EQ(walk("NUMD"), QList<int>({1, 3, 2, 4}));
  index.SelectTagByName(QStringLiteral("NUMD"));
  index.MoveLast();
  EXPECT_EQ(index.PhysicalRecNo(), -1);
  EXPECT_EQ(index.SequentialRecNo(), 2147483647);
  EXPECT_TRUE(index.MovePrior());
  EXPECT_EQ(index.PhysicalRecNo(), 4);

  index.DeleteTag(QStringLiteral("NUM"));
  EXPECT_EQ(index.TagNames(), QStringList({QStringLiteral("NAME"), QStringLiteral("NUMD")}));
  EXPECT_EQ(walk("NAME"), QList<int>({4, 2, 1, 3}));

  // A record whose key the tag lacks: nothing is removed, the damage is reported.
  QByteArray stranger(table.DbfFile()->RecordSize(), ' ');
  const QVariant name(QByteArray("N3")), number(99);
  table.DbfFile()->SetFieldValue(0, ftString, &name, stranger.data());
  table.DbfFile()->SetFieldValue(1, ftInteger, &number, stranger.data());
  EXPECT_THROW(index.DeleteRecordKeys(1, stranger.constData()), EXbError);
  EXPECT_EQ(walk("NAME"), QList<int>({4, 2, 1, 3})) << "record 2's N3 key stays";

  table.Close();
  table.Open();
  TIndexFile* reopened = table.DbfFile()->IndexByName(QStringLiteral("NUMD"));
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(reopened->TagNames(), QStringList({QStringLiteral("NAME"), QStringLiteral("NUMD")}));
}

} // namespace

namespace {

TEST_F(NewIndexTest, EmptiedTagWalksNothing) {
  TIndexFile& index = Mdx(QStringLiteral("NUM"), QStringLiteral("NUM"));
  for (int i = 0; i < 150; ++i)
    Add(QStringLiteral("n"), i % 7);
  QByteArray record(table.DbfFile()->RecordSize(), '\0');
  for (int n = 150; n >= 1; --n) {
    ASSERT_EQ(table.DbfFile()->ReadRecord(n, record.data()), record.size());
    index.DeleteRecordKeys(n, record.constData());
  }
  index.SelectTagByName(QStringLiteral("NUM"));
  index.MoveFirst();
  EXPECT_EQ(index.SequentialRecNo(), 0);
  EXPECT_FALSE(index.MoveNext());
  EXPECT_EQ(index.SequentialRecNo(), 2147483647);
  EXPECT_FALSE(index.MovePrior());
  EXPECT_FALSE(index.SearchKey(index.KeyToBuffer(3), SearchGreaterEqual));
  Add(QStringLiteral("again"), 3);
  index.MoveFirst();
  ASSERT_TRUE(index.MoveNext());
  EXPECT_EQ(index.PhysicalRecNo(), 151) << "an emptied tree takes keys again";
}

// Character keys of an MDX file collate by the table language's locale:
// case does not split the letters apart as byte order would.
TEST(IndexCollationTest, KeysFollowTheLanguagesLocale) {
  QTemporaryDir dir;
  TXbTable t;
  t.SetTableName(dir.filePath(QStringLiteral("c.dbf")));
  t.SetLanguageId(0xC8);
  t.FieldDefs = {{QStringLiteral("NAME"), TFieldType::String, 6}};
  TXbIndexDef& def = t.IndexDefs.Add();
  def.SetIndexFile(QStringLiteral("NAME"));
  def.SetSortField(QStringLiteral("NAME"));
  t.CreateTable();
  t.Open();
  for (const char* name : {"abc", "Zora", "ABC", "abd"}) {
    t.Append();
    t.FieldByName(QStringLiteral("NAME")).SetValue(QLatin1String(name));
    t.Post();
  }
  t.SetIndexName(QStringLiteral("NAME"));
  QStringList names;
  for (t.First(); !t.Eof(); t.Next())
    names << t.FieldByName(QStringLiteral("NAME")).AsString();
  ASSERT_EQ(names.size(), 4);
  EXPECT_EQ(names.mid(2), QStringList({QStringLiteral("abd"), QStringLiteral("Zora")}))
      << names.join(QLatin1Char(',')).toStdString();
}

// An exclusive table gathers its appended keys and puts them into the tree
// in key order when the tree is next read; a shared table inserts each key
// at once. Both must give the same order, and, for keys that come in key
// order, the same index file.
TEST(IndexCollationTest, GatheredKeysGiveTheTreeOfKeyByKeyInsertion) {
  QTemporaryDir dir;
  struct Row {
    QString name;
    int rec;
    bool operator==(const Row&) const = default;
  };
  // Writes the names into a new table of its own folder; `edited`: the
  // record appended at that step is renamed at once, and a search runs
  // halfway, so that waiting keys meet a change and a read.
  auto write = [&](const QString& folder, bool exclusive, const QStringList& names, int edited) {
    QDir().mkpath(dir.filePath(folder));
    TXbTable t;
    t.SetTableName(dir.filePath(folder + QStringLiteral("/c.dbf")));
    t.SetLanguageId(0xC8);
    t.FieldDefs = {{QStringLiteral("NAME"), TFieldType::String, 12}};
    TXbIndexDef& def = t.IndexDefs.Add();
    def.SetIndexFile(QStringLiteral("NAME"));
    def.SetSortField(QStringLiteral("NAME"));
    t.CreateTable();
    t.Exclusive = exclusive;
    t.Open();
    for (int i = 0; i < names.size(); ++i) {
      t.Append();
      t.FieldByName(QStringLiteral("NAME")).SetValue(names[i]);
      t.Post();
      if (i == edited) {
        t.Edit();
        t.FieldByName(QStringLiteral("NAME")).SetValue(QStringLiteral("chrobák"));
        t.Post();
      }
      if (edited >= 0 && i == names.size() / 2) {
        t.SetIndexName(QStringLiteral("NAME"));
        EXPECT_TRUE(t.FindKey(names[0]));
        t.SetIndexName(QString());
      }
    }
    t.Close();
    t.SetIndexName(QStringLiteral("NAME"));
    t.Open();
    std::vector<Row> rows;
    for (t.First(); !t.Eof(); t.Next())
      rows.push_back({t.FieldByName(QStringLiteral("NAME")).AsString(), t.PhysicalRecNo()});
    for (const Row& row : rows)
      EXPECT_TRUE(t.FindKey(row.name)) << row.name.toStdString();
    t.Close();
    return rows;
  };
  const char* const stems[] = {"chata", "hrad", "čaj", "cesta", "Ábel", "abel", "Zora", "zora", "ďateľ", "dub"};
  QStringList names;
  for (int i = 0; i < 900; ++i)
    names << QString::fromUtf8(stems[(i * 7) % 10]) + QString::number((i * 37) % 61);

  const std::vector<Row> shared = write(QStringLiteral("shared"), false, names, 300);
  ASSERT_EQ(shared.size(), std::size_t(names.size()));
  EXPECT_EQ(write(QStringLiteral("exclusive"), true, names, 300), shared);

  QStringList sorted;
  for (const Row& row : write(QStringLiteral("order"), true, names, -1))
    sorted << row.name;
  write(QStringLiteral("sharedSorted"), false, sorted, -1);
  write(QStringLiteral("exclusiveSorted"), true, sorted, -1);
  auto indexBytes = [&](const char* folder) {
    QFile file(dir.filePath(QLatin1String(folder) + QStringLiteral("/c.mdx")));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    // The days of creation and of the last emptying may differ across midnight.
    bytes.replace(1, 3, "   ").replace(44, 3, "   ");
    return bytes;
  };
  const QByteArray keyByKey = indexBytes("sharedSorted");
  EXPECT_GT(keyByKey.size(), 2048 + 4 * 1024) << "the tree must have more than one level";
  EXPECT_TRUE(indexBytes("exclusiveSorted") == keyByKey);
}

TEST(IndexCollationTest, LocaleAnswerMustBeUsable) {
  QTemporaryDir dir;
  DbfBytes::Table d;
  d.language = 0xC8;
  d.productionIndex = 1;
  d.fields = {{"NAME", 'C', 8}};
  d.records = {DbfBytes::Record(d, {"B"}), DbfBytes::Record(d, {"A"})};
  DbfBytes::WriteFile(dir.filePath(QStringLiteral("t.dbf")), DbfBytes::Build(d));
  IdxBytes::Tag tag{"NAME", "NAME", 'C', 8, 0x10, {{"A       ", 2}, {"B       ", 1}}, 3};
  DbfBytes::WriteFile(dir.filePath(QStringLiteral("t.mdx")), IdxBytes::Mdx({tag}, 2, 0x64));
  const struct {
    int solution;
    bool opens;
  } answers[] = {{0x0405, true}, {0x7777, false}};
  for (const auto& a : answers) {
    TXbTable t;
    t.SetTableName(dir.filePath(QStringLiteral("t.dbf")));
    t.ReadOnly = true;
    t.SetIndexName(QStringLiteral("NAME"));
    t.OnLocaleError = [&](TXbFile&, int, int& solution) { solution = a.solution; };
    if (!a.opens) {
      EXPECT_THROW(t.Open(), EXbError) << "a locale that cannot collate would make every key equal";
      continue;
    }
    t.Open();
    EXPECT_EQ(t.FieldByName(QStringLiteral("NAME")).AsString(), QStringLiteral("A"));
  }
}

TEST(IndexCollationTest, NewDbase7MdxDeclaresTheTagRecordsItWrites) {
  QTemporaryDir dir;
  TXbTable t;
  t.SetTableName(dir.filePath(QStringLiteral("s.dbf")));
  t.SetTableLevel(7);
  t.FieldDefs = {{QStringLiteral("NAME"), TFieldType::String, 6}, {QStringLiteral("NUM"), TFieldType::Integer}};
  for (const char* name : {"A_VERY_LONG_TAG_NAME_OF_THIRTY_2", "NUM", "BOTH"}) {
    TXbIndexDef& def = t.IndexDefs.Add();
    def.SetIndexFile(QLatin1String(name));
    def.SetSortField(QStringLiteral("NAME"));
  }
  t.CreateTable();
  const QByteArray bytes = DbfBytes::ReadFile(dir.filePath(QStringLiteral("s.mdx")));
  ASSERT_GE(bytes.size(), 2048);
  EXPECT_EQ(quint8(bytes[0]), 3);
  EXPECT_EQ(quint8(bytes[26]), 43) << "a dBASE 7 tag record is 43 bytes long";
  t.Open();
  EXPECT_EQ(t.DbfFile()->IndexNames(), QStringList({QStringLiteral("A_VERY_LONG_TAG_NAME_OF_THIRTY_2"),
                                                    QStringLiteral("NUM"), QStringLiteral("BOTH")}));
}

} // namespace
