#pragma once
// The fixture of the member records' tests: rows of the code lists they
// refer to, a log of prints, and key and dialog helpers.
#include "controls/DbGridQPL.h"
#include "db/IBQuery.h"
#include "registers/common/ListPattern.h"
#include "tests/registers/common/RegisterTestSupport.h"
#include "tests/registers/members/RecordingPrintForm.h"

class MemberRecordsTest : public RegisterTest {
protected:
  void SetUp() override {
    RegisterTest::SetUp();
    TRecordingPrintForm::Install(prints);
  }
  void TearDown() override {
    SetPrintFormFactory({});
    RegisterTest::TearDown();
  }
  // Inserts a row by a statement with a :JEDIN taken from `generator`; returns the key.
  int InsertRow(const QString& generator, const QString& sql, QVariantMap params) {
    const int key =
        Column(QStringLiteral("select gen_id(") + generator + QStringLiteral(",1) from rdb$database")).value(0).toInt();
    params.insert(QStringLiteral("JEDIN"), key);
    Exec(sql, params);
    return key;
  }
  int AddMember(const QString& priezvisko, const QString& meno, int vyzadovat = 1) {
    return InsertRow(
        QStringLiteral("c_clenov_id"),
        QStringLiteral("insert into c_clenov (jedin,meno,priezvisko,brigada_vyzadovat) "
                       "values (:JEDIN,:M,:P,:V)"),
        {{QStringLiteral("M"), meno}, {QStringLiteral("P"), priezvisko}, {QStringLiteral("V"), vyzadovat}});
  }
  int AddType(int rok, const QString& nazov) {
    return InsertRow(QStringLiteral("c_typy_brigad_id"),
                     QStringLiteral("insert into c_typy_brigad (jedin,rok,nazov) values (:JEDIN,:R,:N)"),
                     {{QStringLiteral("R"), rok}, {QStringLiteral("N"), nazov}});
  }
  int AddRevir(int rok, const QString& nazov) {
    return InsertRow(
        QStringLiteral("c_reviry_jux_id"),
        QStringLiteral(
            "insert into c_reviry_jux (jedin,rok,nazov,nazov_uplny,nazov_uplny2) values (:JEDIN,:R,:N,:N,:N2)"),
        {{QStringLiteral("R"), rok},
         {QStringLiteral("N"), nazov},
         {QStringLiteral("N2"), QString(nazov + QStringLiteral(" II"))}});
  }
  // Every row of the statement with its values bound, its columns' texts joined by "/".
  QStringList Rows(const QString& sql, const QVariantMap& params = {}) const {
    TTestStatement statement(db.get(), sql, params);
    TIBQuery& query = statement.Query();
    query.Open();
    QStringList rows;
    for (query.First(); !query.Eof(); query.Next()) {
      QStringList columns;
      for (const auto& field : query.Fields())
        columns.append(field->AsVariant().toString());
      rows.append(columns.join(QLatin1Char('/')));
    }
    statement.Commit();
    return rows;
  }
  // Forgets the messages shown so far; the next ones get `answers`.
  void FreshMessages(const QList<int>& answers = {}) {
    dialogs.reset();
    dialogs = std::make_unique<TScriptedMessageDialogs>(answers);
  }
  // Presses the dialog's key; a dialog that stays open is a failure and is cancelled.
  void Submit(TForm& f, int key) {
    Press(f, key);
    if (!f.isVisible()) return;
    ADD_FAILURE() << "the dialog stayed open: " << Messages().join(QLatin1Char('|')).toStdString() << " at "
                  << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "");
    f.SetModalResult(mrCancel);
  }
  // Makes the dialog that a key opened the active window, so that keys reach it.
  static void Activate(TForm& f) {
    f.activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&f] { return f.isActiveWindow(); }, 5000)) << f.objectName().toStdString();
  }
  // Types into a combo and leaves it with Tab, as a user picks a row.
  static void Choose(QWidget& combo, const QString& text) {
    combo.setFocus(Qt::TabFocusReason);
    TypeText(&combo, text);
    QTest::keyClick(&combo, Qt::Key_Tab);
  }
  // A key press on the list's grid.
  static void Key(TListPattern& list, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(list.gr1, Qt::Key(key), modifiers);
  }
  // The column of the list's rows in their order.
  static QVariantList Listed(const TListPattern& list, const QString& field) {
    QVariantList values;
    TIBQuery& q = *list.ib1;
    for (int row = 0; row < q.RecordCount(); ++row)
      values.append(q.ValueAt(row, q.FieldByName(field).Index()));
    return values;
  }
  // Marks the list's rows of the given keys with Insert.
  static void Mark(TListPattern& list, const QVariantList& keys) {
    for (const QVariant& key : keys) {
      list.LocateKey(key.toInt());
      Key(list, Qt::Key_Insert);
    }
  }
  std::vector<TRecordedPrint> prints;
};
