#include "registers/members/fCClenovPridaj.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "controls/QPLBtn.h"
#include "core/DateTime.h"
#include "core/gui/ColorConvert.h"
#include "registers/members/fCClenov.h"
#include "tests/registers/members/MembersTestSupport.h"

namespace {

class MemberCardTest : public MembersTest {
protected:
  void TearDown() override {
    for (const char* name : {"btnBrigady", "btnBrigadyMinulyRok", "btnPreruseneClenstvo"})
      TfrmCClenovPridaj::SetRegisterOpener(QString::fromLatin1(name), {});
    MembersTest::TearDown();
  }
  // Shows the card in add (Tag 1) or edit mode and plays `action` on it.
  int Show(TfrmCClenovPridaj& card, int tag, int jedin, std::function<void(TfrmCClenovPridaj&)> action) {
    card.dlg.Rok = ProgramSettings.Rok; // as the member list opens it
    card.dlg.ClearForPass();
    card.Jedin = jedin;
    card.SetTag(tag);
    script.Then([action](TForm& f) { action(static_cast<TfrmCClenovPridaj&>(f)); });
    return card.ShowModal();
  }
  static void Fill(TfrmCClenovPridaj& c, const QString& priezvisko) {
    c.eDBMeno->setEditText(QStringLiteral("Ľudovít"));
    c.eDBPriezvisko->setFocus();
    TypeText(c.eDBPriezvisko, priezvisko);
    c.eDBMesto->setEditText(QStringLiteral("Šaľa"));
  }
  QVariantList Row(int jedin) const {
    QVariantList row;
    for (const char* column : {"PRIEZVISKO", "VSTUP_JUX", "VSTUP_ZO", "CLEN_OBO", "BRIGADA_VYZADOVAT",
                               "SKOLENIE_USKUTOCNENE", "SKOLENIE_DATUM"})
      row.append(Column(QStringLiteral("select ") + QString::fromLatin1(column) +
                            QStringLiteral(" from c_clenov where jedin=:J"),
                        {{QStringLiteral("J"), jedin}})
                     .value(0));
    return row;
  }
  static QVariant Day(int y, int m, int d) { return DateTime::FromDate(QDate(y, m, d)); }
};

TEST_F(MemberCardTest, NewCardStoresItsEntriesIntoThePlaceholderRow) {
  const QVariant null;
  const struct {
    const char* name;
    bool capitals;
    std::function<void(TfrmCClenovPridaj&)> set;
    QVariantList
        stored; // PRIEZVISKO, VSTUP_JUX, VSTUP_ZO, CLEN_OBO, BRIGADA_VYZADOVAT, SKOLENIE_USKUTOCNENE, SKOLENIE_DATUM
  } cases[] = {
      {"defaults", false, [](TfrmCClenovPridaj&) {}, {QStringLiteral("Ďurčo"), null, null, 0, 0, 0, null}},
      {"years and duty",
       false,
       [](TfrmCClenovPridaj& c) {
         c.eDBVstupJUX->SetValue(1985);
         c.eDBVstupZO->SetValue(0);
         c.eDBClenObO->SetValue(12);
         c.eDBBrigadaVyzadovat->setChecked(false);
       },
       {QStringLiteral("Ďurčo"), 1985, null, 12, 1, 0, null}},
      {"exam date kept while hidden",
       false,
       [](TfrmCClenovPridaj& c) {
         c.eDBSkolenieUskutocnene->setChecked(true);
         c.eDBSkolenieDatum->SetDate(Day(2020, 4, 1));
         c.eDBSkolenieUskutocnene->setChecked(false);
       },
       {QStringLiteral("Ďurčo"), null, null, 0, 0, 0, QDate(2020, 4, 1)}},
      {"surnames in capitals", true, [](TfrmCClenovPridaj&) {}, {QStringLiteral("ĎURČO"), null, null, 0, 0, 0, null}},
  };
  for (const auto& c : cases) {
    ProgramSettings.PRIEZVISKA_VELKYMI = c.capitals;
    TfrmCClenovPridaj card;
    int placeholder = 0;
    bool newIsExempt = false;
    EXPECT_EQ(Show(card, 1, 0,
                   [&](TfrmCClenovPridaj& f) {
                     placeholder = Column(QStringLiteral("select count(*) from c_clenov where jedin=:J"),
                                          {{QStringLiteral("J"), f.Jedin}})
                                       .value(0)
                                       .toInt();
                     newIsExempt = f.eDBBrigadaVyzadovat->isChecked();
                     Fill(f, QStringLiteral("Ďurčo"));
                     c.set(f);
                     Press(f, Qt::Key_F12);
                   }),
              mrOk)
        << c.name;
    EXPECT_EQ(placeholder, 1) << c.name;
    EXPECT_TRUE(newIsExempt) << c.name;
    EXPECT_EQ(Row(card.Jedin), c.stored) << c.name;
    EXPECT_TRUE(Messages().isEmpty()) << c.name;
  }
}

TEST_F(MemberCardTest, CancelledNewCardLeavesNoRowAndRequiredEntriesAreAskedFor) {
  TfrmCClenovPridaj card;
  QString refusal;
  EXPECT_EQ(Show(card, 1, 0,
                 [&](TfrmCClenovPridaj& f) {
                   f.eDBMeno->setEditText(QStringLiteral("Ján"));
                   Press(f, Qt::Key_F12); // no surname, no town
                   refusal = Messages().value(0);
                   Press(f, Qt::Key_Escape);
                 }),
            mrCancel);
  EXPECT_TRUE(refusal.contains(QStringLiteral("#1001"))) << refusal.toStdString();
  EXPECT_TRUE(Column(QStringLiteral("select jedin from c_clenov")).isEmpty());
}

TEST_F(MemberCardTest, AnEmojiInTheStreetIsTheUsersToCorrectAndNothingIsStored) {
  TfrmCClenovPridaj card;
  EXPECT_EQ(Show(card, 1, 0,
                 [&](TfrmCClenovPridaj& f) {
                   Fill(f, QStringLiteral("Ďurčo"));
                   ExpectUnstorableTextRefused(f, f.eDBUlica, QStringLiteral("Ulica"));
                   Press(f, Qt::Key_Escape);
                 }),
            mrCancel);
  EXPECT_TRUE(Column(QStringLiteral("select jedin from c_clenov")).isEmpty());
}

TEST_F(MemberCardTest, EditLoadsTheRowAndTheYearlySummary) {
  const int clen =
      AddPerson({QStringLiteral("Adam"), QStringLiteral("Ján"), QStringLiteral("Nitra"), QDate(1970, 1, 2)},
                {{QStringLiteral("skolenie_uskutocnene"), 1},
                 {QStringLiteral("skolenie_datum"), QDate(1999, 9, 9)},
                 {QStringLiteral("vstup_jux"), 1990}});
  Exec(QStringLiteral("update c_clenov set brigada_vyzadovat=null where jedin=:J"), {{QStringLiteral("J"), clen}});
  Pay(clen, 2026, 23.5, QDate(2026, 2, 14));
  Pay(clen, 2025, 20, QDate(2025, 2, 14));
  for (double hours : {2.5, 1.0})
    Exec(QStringLiteral("insert into e_brigady (jedin,rok,c_clenov,hodiny) values (gen_id(e_brigady_id,1),2026,:C,:H)"),
         {{QStringLiteral("C"), clen}, {QStringLiteral("H"), hours}});
  const struct {
    bool interrupted;
    TColor caption;
  } cases[] = {{false, clWindowText}, {true, clRed}};
  for (const auto& c : cases) {
    if (c.interrupted)
      Exec(QStringLiteral("insert into c_clenov_prerusene_roky (jedin,c_clenov,rok) "
                          "values (gen_id(c_clenov_prerusene_roky_id,1),:C,2020)"),
           {{QStringLiteral("C"), clen}});
    TfrmCClenovPridaj card;
    QString caption, surname;
    bool exempt = false, dateShown = false;
    QVariant examDate, feeDate;
    double fee = 0, hours = 0;
    QColor buttonText;
    Show(card, 2, clen, [&](TfrmCClenovPridaj& f) {
      caption = f.Caption();
      surname = f.eDBPriezvisko->text();
      exempt = f.eDBBrigadaVyzadovat->isChecked();
      dateShown = f.eDBSkolenieDatum->isVisible();
      examDate = f.eDBSkolenieDatum->Date();
      fee = f.eClenskeSuma->Value();
      feeDate = f.eClenskeDatum->Date();
      hours = f.eBrigadaHodiny->Value();
      buttonText = f.btnPreruseneClenstvo->palette().color(QPalette::ButtonText);
      Press(f, Qt::Key_Escape);
    });
    EXPECT_EQ(caption, QStringLiteral("Oprava údajov člena"));
    EXPECT_EQ(surname, QStringLiteral("Adam"));
    EXPECT_TRUE(exempt) << "Null work duty reads as exempt";
    EXPECT_TRUE(dateShown);
    EXPECT_EQ(examDate, Day(1999, 9, 9));
    EXPECT_DOUBLE_EQ(fee, 23.5);
    EXPECT_EQ(feeDate, Day(2026, 2, 14));
    EXPECT_DOUBLE_EQ(hours, 3.5);
    EXPECT_EQ(buttonText, ToQColor(c.caption)) << c.interrupted;
  }
  // A card left without saving keeps an existing person.
  EXPECT_EQ(Column(QStringLiteral("select count(*) from c_clenov")).value(0).toInt(), 1);
}

TEST_F(MemberCardTest, RegisterButtonsOpenForThePersonAndTheYearAndRereadTheSummary) {
  const int clen = AddPerson({QStringLiteral("Adam"), QStringLiteral("Ján"), QStringLiteral("Nitra")});
  QList<QVariantList> opened;
  // Each opener adds an hour of work duty in the working year, as a user would in the register.
  const auto opener = [&](const char* name) {
    return [this, &opened, name](QWidget*, int member, int rok) {
      opened.append({QString::fromLatin1(name), member, rok});
      Exec(
          QStringLiteral("insert into e_brigady (jedin,rok,c_clenov,hodiny) values (gen_id(e_brigady_id,1),2026,:C,1)"),
          {{QStringLiteral("C"), member}});
    };
  };
  for (const char* name : {"btnBrigady", "btnBrigadyMinulyRok", "btnPreruseneClenstvo"})
    TfrmCClenovPridaj::SetRegisterOpener(QString::fromLatin1(name), opener(name));
  TfrmCClenovPridaj::SetRegisterOpener(QStringLiteral("btnPredmety"), {});
  TfrmCClenovPridaj card;
  EXPECT_FALSE(card.btnPredmety->isEnabled()) << "no register has said how it opens";
  QList<double> hours;
  Show(card, 2, clen, [&](TfrmCClenovPridaj& f) {
    for (TQPLBtn* button : {f.btnBrigadyMinulyRok, f.btnBrigady, f.btnPreruseneClenstvo}) {
      button->click();
      hours.append(f.eBrigadaHodiny->Value());
    }
    Press(f, Qt::Key_Escape);
  });
  EXPECT_EQ(opened, (QList<QVariantList>{{QStringLiteral("btnBrigadyMinulyRok"), clen, 2025},
                                         {QStringLiteral("btnBrigady"), clen, 2026},
                                         {QStringLiteral("btnPreruseneClenstvo"), clen, 2026}}))
      << "every register opens in the card's year";
  EXPECT_EQ(hours, (QList<double>{0, 2, 3})); // the year before is not read again
}

} // namespace

namespace {

TEST_F(MemberCardTest, InputsStopAtTheirColumnsLengthAndCtrlEnterBreaksTheNote) {
  TfrmCClenovPridaj card;
  const QString typed = QStringLiteral("ÁÄČĎÉÍĹĽŇÓÔŔŠŤÚÝŽáäčďéíĺľňóôŕšťúýž"); // 34 letters
  int jedin = 0;
  EXPECT_EQ(Show(card, 1, 0,
                 [&](TfrmCClenovPridaj& c) {
                   const struct {
                     QWidget* control;
                     int cap;
                   } inputs[] = {
                       {c.eDBTitul, 15}, {c.eDBMeno, 25},      {c.eDBPriezvisko, 25}, {c.eDBUlica, 25},
                       {c.eDBMesto, 25}, {c.eDBPovolanie, 25}, {c.eDBTelefon, 25},    {c.eDBCisloLegimitacie, 15}};
                   for (const auto& in : inputs) {
                     auto* combo = qobject_cast<QComboBox*>(in.control);
                     QLineEdit* edit = combo ? combo->lineEdit() : static_cast<QLineEdit*>(in.control);
                     edit->setFocus();
                     TypeText(edit, typed);
                     EXPECT_EQ(edit->text(), typed.left(in.cap)) << in.control->objectName().toStdString();
                   }
                   c.eDBPoznamka->setFocus();
                   TypeText(c.eDBPoznamka, QStringLiteral("prvý"));
                   QTest::keyClick(c.eDBPoznamka, Qt::Key_Return, Qt::ControlModifier);
                   TypeText(c.eDBPoznamka, QStringLiteral("druhý"));
                   jedin = c.Jedin;
                   Press(c, Qt::Key_F12);
                 }),
            mrOk);
  QVariantList stored;
  for (const char* column : {"MENO", "PRIEZVISKO", "MESTO", "POZNAMKA"})
    stored.append(
        Column(QStringLiteral("select ") + QLatin1String(column) + QStringLiteral(" from c_clenov where jedin=:J"),
               {{QStringLiteral("J"), jedin}})
            .value(0)
            .toString());
  EXPECT_EQ(stored, (QVariantList{typed.left(25), typed.left(25), typed.left(25), QStringLiteral("prvý\ndruhý")}));
}

} // namespace

namespace {

// The town, name and occupation lookups of the card and of the list's filter
// select their column as shown text and as key: their statements must still
// be ones the server takes, and find what is stored.
TEST_F(MemberCardTest, TextLookupsOfTheCardAndTheListFilterRunOnTheServer) {
  AddPerson({QStringLiteral("Šťastný"), QStringLiteral("Ľubomír"), QStringLiteral("Šaľa")},
            {{QStringLiteral("povolanie"), QStringLiteral("Učiteľ")}});
  TfrmCClenovPridaj card;
  TfrmCClenov list(nullptr, ProgramSettings.Rok);
  const struct {
    TIBComboBox* combo;
    QString typed, found;
  } lookups[] = {{card.eDBMeno, QStringLiteral("ľu"), QStringLiteral("Ľubomír")},
                 {card.eDBMesto, QStringLiteral("sa"), QStringLiteral("Šaľa")},
                 {card.eDBPovolanie, QStringLiteral("uc"), QStringLiteral("Učiteľ")},
                 {list.eDBMesto, QStringLiteral("ŠAĽ"), QStringLiteral("Šaľa")},
                 {list.eDBPovolanie, QStringLiteral("uČ"), QStringLiteral("Učiteľ")}};
  for (const auto& l : lookups) {
    const TComboStatement completion = l.combo->CompletionStatement(l.typed);
    EXPECT_EQ(Column(completion.Sql, completion.Params), QVariantList{l.found}) << completion.Sql.toStdString();
    const TComboStatement all = l.combo->ListStatement(false);
    EXPECT_EQ(Column(all.Sql, all.Params), QVariantList{l.found}) << all.Sql.toStdString();
  }
}

} // namespace
