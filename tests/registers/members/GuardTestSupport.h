#pragma once
// The fixture of the fishing-guard tests: members appointed as guards,
// inspections with their guards and inspected persons, and a print form that
// also runs the two detail queries for every master row.
#include "registers/members/MembersForms.h"
#include "tests/registers/members/MemberRecordsTestSupport.h"
#include <QtCore/QDate>
#include <QtWidgets/QAbstractButton>

// Records the detail rows of each master row besides what its base keeps.
class TDetailRecordingPrintForm : public TRecordingPrintForm {
public:
  TDetailRecordingPrintForm(std::vector<TRecordedPrint>& log, QList<QStringList>& details)
      : TRecordingPrintForm(log), details_(details) {}
  void LinkDetail(int number) override { linked_.append(number); }
  // Per master row: "guards|persons" with the detail rows' first text column each.
  void ShowModal() override {
    TRecordingPrintForm::ShowModal();
    TIBQuery& master = Query(1);
    for (master.First(); !master.Eof(); master.Next()) {
      QStringList row;
      for (int number : linked_) {
        TIBQuery& detail = Query(number);
        detail.ParamByName(QStringLiteral("JEDIN")).SetValue(master.FieldByName(QStringLiteral("JEDIN")).AsVariant());
        detail.Open();
        QStringList texts;
        for (detail.First(); !detail.Eof(); detail.Next())
          texts.append(detail.FieldByNumber(number == 2 ? 3 : 1).AsString());
        detail.Close();
        row.append(texts.join(QLatin1Char(',')));
      }
      details_.append(row);
    }
  }
  QList<int> linked_;

private:
  QList<QStringList>& details_;
};

class GuardTest : public MemberRecordsTest {
protected:
  void SetUp() override {
    MemberRecordsTest::SetUp();
    RegisterMembersForms();
    SetPrintFormFactory([this] { return std::make_unique<TDetailRecordingPrintForm>(prints, details); });
  }
  int AddGuard(int clen, const QString& odznak, const QDate& od, const QDate& dismissed = QDate()) {
    return InsertRow(
        QStringLiteral("c_clenov_rs_id"),
        QStringLiteral("insert into c_clenov_rs (jedin,c_clenov,cislo_odznaku,cislo_osvedcenia,datum_od,"
                       "datum_do) values (:JEDIN,:C,:O,:S,:F,:T)"),
        {{QStringLiteral("C"), clen},
         {QStringLiteral("O"), odznak},
         {QStringLiteral("S"), QString(QStringLiteral("S-") + odznak)},
         {QStringLiteral("F"), od},
         {QStringLiteral("T"), dismissed.isValid() ? QVariant(dismissed) : QVariant(QMetaType(QMetaType::QDate))}});
  }
  // A member whose display name fills its 75 characters, diacritics in capitals included.
  int AddLongNamedMember() {
    return InsertRow(QStringLiteral("c_clenov_id"),
                     QStringLiteral("insert into c_clenov (jedin,titul,meno,priezvisko,mesto,ulica,datum_narodenia) "
                                    "values (:JEDIN,'Ing.',:M,:P,:T,:U,'1960-02-01')"),
                     {{QStringLiteral("M"), QStringLiteral("Ľuboš")},
                      {QStringLiteral("P"), QStringLiteral("KÔŇAŤŽÝÁÍÉÚÄĽŠČŔĹ")},
                      {QStringLiteral("T"), QStringLiteral("Liptovský Mikuláš")},
                      {QStringLiteral("U"), QStringLiteral("Nábrežie A. Stodolu 1234")}});
  }
  QString DisplayName(int clen) const {
    return Column(QStringLiteral("select nazov_uplny from c_clenov where jedin=:J"), {{QStringLiteral("J"), clen}})
        .value(0)
        .toString();
  }
  // Types `text` key by key into the control that has the focus and leaves it with Tab.
  static void TypeAndTab(const QString& text) {
    QWidget* control = QApplication::focusWidget();
    ASSERT_NE(control, nullptr);
    TypeText(control, text);
    QTest::keyClick(control, Qt::Key_Tab);
  }
  int AddInspection(int rok, int uhradene = 1, int vozidlo = 1) {
    return InsertRow(QStringLiteral("e_rs_id"),
                     QStringLiteral("insert into e_rs (jedin,rok,kontrola_od,kontrola_do,sukromne_vozidlo,uhradene) "
                                    "values (:JEDIN,:R,:F,:F,:V,:U)"),
                     {{QStringLiteral("R"), rok},
                      {QStringLiteral("F"), QDateTime(QDate(rok, 5, 1), QTime(8, 0))},
                      {QStringLiteral("V"), vozidlo},
                      {QStringLiteral("U"), uhradene}});
  }
  int AddInspectionGuard(int kontrola, int guard) {
    return InsertRow(QStringLiteral("e_rs_kontrolori_id"),
                     QStringLiteral("insert into e_rs_kontrolori (jedin,e_rs,c_clenov_rs) values (:JEDIN,:E,:G)"),
                     {{QStringLiteral("E"), kontrola}, {QStringLiteral("G"), guard}});
  }
  int AddInspected(int kontrola, int guard, const QString& priezvisko, int revir) {
    return InsertRow(QStringLiteral("e_rs_kontrolovani_id"),
                     QStringLiteral("insert into e_rs_kontrolovani (jedin,e_rs,c_clenov_rs,meno,priezvisko,ulica,mesto,"
                                    "priestupok,c_reviry_jux) values (:JEDIN,:E,:G,'Ján',:P,'Hlavná 1','Nitra',"
                                    "'bez povolenky',:R)"),
                     {{QStringLiteral("E"), kontrola},
                      {QStringLiteral("G"), guard},
                      {QStringLiteral("P"), priezvisko},
                      {QStringLiteral("R"), revir}});
  }
  // Leaves a dialog that a refusal kept open, by its cancel button.
  static void CancelIfOpen(TForm& f) {
    if (!f.isVisible()) return;
    if (auto* button = f.findChild<QAbstractButton*>(QStringLiteral("btnNezapis"))) button->click();
    if (f.isVisible()) f.SetModalResult(mrCancel);
  }
  int Count(const QString& table) const {
    return Column(QStringLiteral("select count(*) from ") + table).value(0).toInt();
  }
  QList<QStringList> details;
};
