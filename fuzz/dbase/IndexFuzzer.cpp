// Opens the input as the NDX or MDX index of a small table (bit 0 of the
// first byte chooses) and walks, searches and limits it; with bit 1 the table
// is also changed through every tag (edit, delete, recall, append; bit 2:
// the selected tag only). A damaged index must end in the library's errors
// or a shorter walk, never in a crash or an endless loop.
#include "dbase/xbtable.h"
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

namespace {

struct Fixture {
  QTemporaryDir dir;
  Fixture() {
    TXbTable table;
    table.SetTableName(dir.filePath(QStringLiteral("tab.dbf")));
    table.FieldDefs = {{QStringLiteral("NAME"), TFieldType::String, 8}, {QStringLiteral("NUM"), TFieldType::Integer}};
    table.CreateTable();
    table.Open();
    for (int i = 0; i < 40; ++i) {
      table.Append();
      table.FieldByName(QStringLiteral("NAME")).SetValue(QStringLiteral("N%1").arg((i * 7) % 40));
      table.FieldByName(QStringLiteral("NUM")).SetValue(i % 9 - 4);
      table.Post();
    }
    table.Close();
    // The production-index flag, so the table opens its .mdx file.
    QFile file(dir.filePath(QStringLiteral("tab.dbf")));
    file.open(QIODevice::ReadWrite);
    file.seek(28);
    file.write("\1", 1);
    file.seek(0);
    pristine = file.readAll();
  }
  QByteArray pristine; // the table as made, written back before each change pass
};

void Exercise(TXbTable& table) {
  int rows = 0;
  for (table.First(); !table.Eof() && rows < 1000; table.Next())
    ++rows;
  table.FindKey(QStringLiteral("N1"));
  table.FindKey(3, true);
  table.SetKeyRange(QStringLiteral("N1"), QStringLiteral("N3"));
  table.CancelKeyRange();
  if (TIndexFile* index = table.SelectedIndex()) {
    int steps = 0;
    for (index->MoveLast(); index->MovePrior() && steps < 1000; ++steps) {
    }
    index->SetSequentialRecNo(5);
    (void)index->SequentialRecNo();
    (void)index->SequentialRecordCount();
  }
}

// Runs one change; a refusal leaves the record set in browse state for the next.
template <typename Change> void Try(TXbTable& table, Change change) {
  try {
    change();
  } catch (const Exception&) {
    table.Cancel();
  }
}

void Change(TXbTable& table, bool selectedOnly) {
  if (TIndexFile* index = table.SelectedIndex())
    index->SetUpdateMode(selectedOnly ? TIndexUpdateMode::SelectedTag : TIndexUpdateMode::AllTags);
  Try(table, [&] {
    table.First();
    table.Edit();
    table.FieldByName(QStringLiteral("NAME")).SetValue(QStringLiteral("N9"));
    table.FieldByName(QStringLiteral("NUM")).SetValue(7);
    table.Post();
  });
  Try(table, [&] {
    table.Last();
    table.Delete();
  });
  Try(table, [&] {
    table.SetShowDeleted(true);
    for (table.First(); !table.Eof() && !table.IsDeleted();)
      table.Next();
    table.Recall();
  });
  Try(table, [&] {
    table.SetShowDeleted(false);
    table.Append();
    table.FieldByName(QStringLiteral("NAME")).SetValue(QStringLiteral("N1"));
    table.FieldByName(QStringLiteral("NUM")).SetValue(3);
    table.Post();
  });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Fixture fixture;
  if (size < 1) return 0;
  const bool mdx = data[0] & 1;
  const QString indexFile = fixture.dir.filePath(mdx ? QStringLiteral("tab.mdx") : QStringLiteral("idx.ndx"));
  QFile::remove(fixture.dir.filePath(QStringLiteral("tab.mdx")));
  QFile::remove(fixture.dir.filePath(QStringLiteral("idx.ndx")));
  {
    QFile file(indexFile);
    if (!file.open(QIODevice::WriteOnly)) return 0;
    file.write(reinterpret_cast<const char*>(data + 1), qint64(size - 1));
  }
  const bool change = data[0] & 2;
  if (change) {
    QFile file(fixture.dir.filePath(QStringLiteral("tab.dbf")));
    if (!file.open(QIODevice::WriteOnly)) return 0;
    file.write(fixture.pristine);
  }
  TXbTable table;
  table.SetTableName(fixture.dir.filePath(QStringLiteral("tab.dbf")));
  table.ReadOnly = !change;
  table.Exclusive = change;
  table.OnLocaleError = [](TXbFile&, int, int& solution) { solution = 1; };
  if (!mdx) table.IndexDefs.Add().SetIndexFile(QStringLiteral("idx.ndx"));
  try {
    table.Open();
    const QStringList names = mdx ? table.DbfFile()->IndexNames() : QStringList{QStringLiteral("idx.ndx")};
    for (const QString& index : names) {
      table.SetIndexName(index);
      Exercise(table);
      if (change) Change(table, data[0] & 4);
    }
    table.Close();
  } catch (const Exception&) {
    // Refusing a bad index with an error is the expected outcome.
  }
  return 0;
}
