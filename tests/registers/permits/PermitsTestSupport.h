#pragma once
// The fixture of the permit code lists' tests: a list form opened as the
// main window opens it, its keys, and the rows of its table.
#include "controls/DbGridQPL.h"
#include "controls/IBEdit.h"
#include "db/IBQuery.h"
#include "registers/common/ListPattern.h"
#include "tests/controls/KitTestSupport.h"
#include "tests/registers/common/RegisterTestSupport.h"

template <class List> class PermitListTest : public RegisterTest {
protected:
  void TearDown() override {
    form.reset();
    RegisterTest::TearDown();
  }
  void Open() {
    form = std::make_unique<List>(nullptr, ProgramSettings.Rok);
    ShowActive(*form);
    form->list.gr1->setFocus();
  }
  void Key(int key) { QTest::keyClick(form->list.gr1, Qt::Key(key)); }
  // The column of the list's rows in their order.
  QVariantList Listed(const QString& field) const {
    QVariantList values;
    TIBQuery& q = *form->list.ib1;
    for (int row = 0; row < q.RecordCount(); ++row)
      values.append(q.ValueAt(row, q.FieldByName(field).Index()));
    return values;
  }
  // Every row of the statement, its columns' texts joined by "/".
  QStringList Rows(const QString& sql) const {
    QStringList rows;
    TTestStatement statement(db.get(), sql);
    TIBQuery& query = statement.Query();
    query.Open();
    for (query.First(); !query.Eof(); query.Next()) {
      QStringList columns;
      for (const auto& field : query.Fields())
        columns.append(field->AsVariant().toString());
      rows.append(columns.join(QLatin1Char('/')));
    }
    statement.Commit();
    return rows;
  }
  // Makes a shown dialog the active window, so that leaving a control reaches it.
  static void Activate(TForm& f) {
    f.activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&f] { return f.isActiveWindow(); }, 5000));
  }
  // Inserts a row keyed from `generator` (bound as :JEDIN); returns its key.
  int InsertRow(const QString& generator, const QString& sql, QVariantMap params) {
    const int key =
        Column(QStringLiteral("select gen_id(") + generator + QStringLiteral(",1) from rdb$database")).value(0).toInt();
    params.insert(QStringLiteral("JEDIN"), key);
    Exec(sql, params);
    return key;
  }
  // Types into a combo and leaves it with Tab, as a user picks a row.
  static void Choose(QWidget& combo, const QString& text) {
    combo.setFocus(Qt::TabFocusReason);
    TypeText(&combo, text);
    QTest::keyClick(&combo, Qt::Key_Tab);
  }
  // Saves with `key`; a dialog the save left open fails the test and is cancelled, so that it does not hang.
  void Save(TForm& f, int key = Qt::Key_F12) {
    Press(f, key);
    if (!f.isVisible()) return;
    ADD_FAILURE() << "the dialog stayed open; messages: " << Messages().join(QLatin1Char('|')).toStdString();
    f.SetModalResult(mrCancel);
  }
  // Replaces the text of a line edit as typing would after selecting it.
  static void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    TypeText(edit, text);
  }

  std::unique_ptr<List> form;
};
