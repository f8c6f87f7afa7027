// Values typed key by key into the member records' dialogs are stored as
// typed, whether the field starts empty, at zero or with a value.
#include "controls/DbGridQPL.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBTime.h"
#include "registers/members/fCClenovRS.h"
#include "registers/members/fCClenovRSPridaj.h"
#include "registers/members/fEBrigady.h"
#include "registers/members/fEBrigadyPridaj.h"
#include "registers/members/fEPredmety.h"
#include "registers/members/fEPredmetyPridaj.h"
#include "registers/members/fERS.h"
#include "registers/members/fERSPridaj.h"
#include "tests/registers/members/GuardTestSupport.h"
#include <QtCore/QDateTime>

namespace {

enum class TEntry { Tab, Click };

// One field of one register: how its list opens, how a row of it is stored
// with the field at a start value, how the dialog's other required entries
// are made, which control is typed into and what the database then holds.
struct TTypedField {
  std::function<std::unique_ptr<TForm>()> list;
  std::function<TListPattern&(TForm&)> pattern;
  std::function<void(const QVariant& start)> seed; // a row with the field at `start`
  std::function<void(TForm& dialog)> required;
  std::function<QWidget*(TForm& dialog)> control;
  QString stored; // select of the saved field
};

struct TTypedCase {
  const char* kind;
  const char* field; // key of the field table
  QVariant start;    // the value an edited row holds; none: a new row
  const char* keys;  // "\b" is Backspace
  QVariant expected;
  TEntry entry = TEntry::Tab;
};

void PrintTo(const TTypedCase& c, std::ostream* os) { *os << c.kind << " " << c.field << " keys " << c.keys; }

class TypedValuesTest : public GuardTest, public testing::WithParamInterface<TTypedCase> {
protected:
  void SetUp() override {
    GuardTest::SetUp();
    member = AddMember(QStringLiteral("Novák"), QStringLiteral("Ján"));
    type = AddType(2026, QStringLiteral("Kosenie"));
    revir = AddRevir(2026, QStringLiteral("Nitra 3"));
  }

  TTypedField Field(const QString& key) {
    const auto predmety = [this](const QString& column) {
      return TTypedField{[] { return std::make_unique<TfrmEPredmety>(nullptr, ProgramSettings.Rok); },
                         [](TForm& f) -> TListPattern& { return dynamic_cast<TfrmEPredmety&>(f).list; },
                         [this, column](const QVariant& start) {
                           InsertRow(QStringLiteral("e_predmety_id"),
                                     QStringLiteral("insert into e_predmety (jedin,c_clenov,datum,nazov,cena,mnozstvo,"
                                                    "mnozstvo_vratene) values (:JEDIN,:C,'2026-03-01','Vesta',1,5,0)"),
                                     {{QStringLiteral("C"), member}});
                           Exec(QStringLiteral("update e_predmety set ") + column + QStringLiteral("=:V"),
                                {{QStringLiteral("V"), start}});
                         },
                         [this](TForm& f) {
                           auto& d = dynamic_cast<TfrmEPredmetyPridaj&>(f);
                           d.eDBClen->FindIt(member);
                           d.eDBNazov->setEditText(QStringLiteral("Vesta"));
                         },
                         [column](TForm& f) -> QWidget* {
                           auto& d = dynamic_cast<TfrmEPredmetyPridaj&>(f);
                           return column == QLatin1String("cena") ? d.eDBCena : d.eDBMnozstvo;
                         },
                         QStringLiteral("select ") + column + QStringLiteral(" from e_predmety")};
    };
    const auto brigady = [this](const QString& column) {
      return TTypedField{
          [] { return std::make_unique<TfrmEBrigady>(nullptr, ProgramSettings.Rok); },
          [](TForm& f) -> TListPattern& { return dynamic_cast<TfrmEBrigady&>(f).list; },
          [this, column](const QVariant& start) {
            InsertRow(
                QStringLiteral("e_brigady_id"),
                QStringLiteral("insert into e_brigady (jedin,rok,datum,c_clenov,hodiny,popis,c_typy_brigad,"
                               "sukromne_vozidlo,uhradene) values (:JEDIN,2026,'2026-04-01',:C,1,'Práca',:T,0,1)"),
                {{QStringLiteral("C"), member}, {QStringLiteral("T"), type}});
            Exec(QStringLiteral("update e_brigady set ") + column + QStringLiteral("=:V"),
                 {{QStringLiteral("V"), start}});
          },
          [this](TForm& f) {
            auto& d = dynamic_cast<TfrmEBrigadyPridaj&>(f);
            d.eDBClen->FindIt(member);
            d.eDBTypyBrigad->FindIt(type);
            d.eDBPopis->setEditText(QStringLiteral("Práca"));
          },
          [column](TForm& f) -> QWidget* {
            auto& d = dynamic_cast<TfrmEBrigadyPridaj&>(f);
            if (column == QLatin1String("hodiny")) return d.eDBHodiny;
            if (column == QLatin1String("km")) return d.eDBKM;
            return d.eDBDatum;
          },
          QStringLiteral("select ") + column + QStringLiteral(" from e_brigady")};
    };
    if (key == QLatin1String("cena") || key == QLatin1String("mnozstvo")) return predmety(key);
    if (key == QLatin1String("hodiny") || key == QLatin1String("km") || key == QLatin1String("datum"))
      return brigady(key);
    if (key == QLatin1String("datum_od"))
      return TTypedField{[] { return std::make_unique<TfrmCClenovRS>(nullptr, ProgramSettings.Rok); },
                         [](TForm& f) -> TListPattern& { return dynamic_cast<TfrmCClenovRS&>(f).list; },
                         [this](const QVariant& start) { AddGuard(member, QStringLiteral("7"), start.toDate()); },
                         [this](TForm& f) {
                           auto& d = dynamic_cast<TfrmCClenovRSPridaj&>(f);
                           d.eDBClen->FindIt(member);
                           d.eDBCisloOdznaku->setText(QStringLiteral("7"));
                           d.eDBCisloOsvedcenia->setText(QStringLiteral("S-7"));
                         },
                         [](TForm& f) -> QWidget* { return dynamic_cast<TfrmCClenovRSPridaj&>(f).eDBDatumOd; },
                         QStringLiteral("select datum_od from c_clenov_rs")};
    // The start of an inspection: its time of day.
    return TTypedField{[] { return std::make_unique<TfrmERS>(nullptr, ProgramSettings.Rok); },
                       [](TForm& f) -> TListPattern& { return dynamic_cast<TfrmERS&>(f).list; },
                       [this](const QVariant& start) {
                         const int kontrola = AddInspection(2026);
                         Exec(QStringLiteral("update e_rs set kontrola_od=:F,c_reviry_jux=:R where jedin=:J"),
                              {{QStringLiteral("F"), QDateTime(QDate(2026, 5, 1), start.toTime())},
                               {QStringLiteral("R"), revir},
                               {QStringLiteral("J"), kontrola}});
                       },
                       [this](TForm& f) { dynamic_cast<TfrmERSPridaj&>(f).eDBRevir->FindIt(revir); },
                       [](TForm& f) -> QWidget* { return dynamic_cast<TfrmERSPridaj&>(f).eDBKontrolaCasOd; },
                       QStringLiteral("select cast(kontrola_od as time) from e_rs where rok is not null")};
  }

  static void TypeKeys(QWidget& control, const QString& keys) {
    for (const QChar c : keys) {
      if (c == QLatin1Char('\b'))
        QTest::keyClick(&control, Qt::Key_Backspace);
      else
        TypeText(&control, QString(c));
    }
  }

  int member = 0, type = 0, revir = 0;
};

TEST_P(TypedValuesTest, TheDatabaseHoldsWhatWasTyped) {
  const TTypedCase& c = GetParam();
  const TTypedField field = Field(QString::fromLatin1(c.field));
  const bool editing = c.start.isValid();
  if (editing) field.seed(c.start);
  const std::unique_ptr<TForm> list = field.list();
  ShowActive(*list);
  TListPattern& pattern = field.pattern(*list);
  pattern.gr1->setFocus();
  QString shownBefore;
  script.Then([&](TForm& f) {
    f.activateWindow();
    // The list's key opened the dialog; it must be the active window before
    // the focus can go into it.
    ASSERT_TRUE(QTest::qWaitFor([&f] { return f.isActiveWindow(); }, 5000));
    if (!editing) field.required(f);
    QWidget* control = field.control(f);
    if (c.entry == TEntry::Click) {
      // Where a user clicks to type into a right-aligned number: behind it.
      QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(control->width() - 3, control->height() / 2));
    } else {
      control->setFocus(Qt::TabFocusReason);
    }
    shownBefore = static_cast<QLineEdit*>(control)->text();
    TypeKeys(*control, QString::fromUtf8(c.keys));
    QTest::keyClick(control, Qt::Key_Tab);
    Submit(f, Qt::Key_F12);
  });
  Key(pattern, editing ? Qt::Key_O : Qt::Key_P);
  const QVariantList stored = Column(field.stored);
  ASSERT_EQ(stored.size(), 1) << "shown before typing: " << shownBefore.toStdString();
  if (c.expected.typeId() == QMetaType::Double || c.expected.typeId() == QMetaType::Int)
    EXPECT_DOUBLE_EQ(stored[0].toDouble(), c.expected.toDouble()) << "shown before: " << shownBefore.toStdString();
  else
    EXPECT_EQ(stored[0], c.expected) << "shown before: " << shownBefore.toStdString();
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
}

const QVariant kNone;

INSTANTIATE_TEST_SUITE_P(
    Fields, TypedValuesTest,
    testing::Values(
        // Money, two decimals: a new item starts empty.
        TTypedCase{"money", "cena", kNone, "25.50", 25.5},
        TTypedCase{"money", "cena", kNone, "25,5", 25.5, TEntry::Click},
        TTypedCase{"money", "cena", 0.0, "1234.56", 1234.56}, TTypedCase{"money", "cena", 12.3, "7", 7.0},
        TTypedCase{"money", "cena", 12.3, "\b\b\b\b\b99", 99.0},
        // A number with decimals: an amount lent, the hours of work duty.
        TTypedCase{"number", "mnozstvo", kNone, "2", 2.0}, TTypedCase{"number", "hodiny", kNone, "4.5", 4.5},
        TTypedCase{"number", "hodiny", 0.0, "4,5", 4.5, TEntry::Click},
        TTypedCase{"number", "hodiny", 8.0, "12.5", 12.5},
        // Whole numbers: kilometres.
        TTypedCase{"integer", "km", kNone, "120", 120}, TTypedCase{"integer", "km", 0, "7", 7},
        TTypedCase{"integer", "km", 300, "45", 45, TEntry::Click},
        // Dates: empty in a new guard, today in new work duty, stored in an edited row.
        TTypedCase{"date", "datum_od", kNone, "01012020", QDate(2020, 1, 1), TEntry::Click},
        TTypedCase{"date", "datum_od", QDate(2019, 4, 1), "15062021", QDate(2021, 6, 15)},
        TTypedCase{"date", "datum_od", QDate(2019, 4, 1), "\b\b\b\b\b\b\b\b31122025", QDate(2025, 12, 31)},
        TTypedCase{"date", "datum", kNone, "15062021", QDate(2021, 6, 15)},
        TTypedCase{"date", "datum", QDate(2024, 3, 7), "1504", QDate(2024, 4, 15)},
        // Times: the start of an inspection, erased, at midnight, at eight.
        TTypedCase{"time", "kontrola_od", QTime(8, 0), "\b\b\b\b0830", QTime(8, 30)},
        TTypedCase{"time", "kontrola_od", QTime(0, 0), "1745", QTime(17, 45)},
        TTypedCase{"time", "kontrola_od", QTime(8, 0), "2359", QTime(23, 59), TEntry::Click}));

} // namespace
