// The member records' prints on the embedded database: each prints the chosen
// rows of its register alone, in its order, with its sums, year and details.
#include "registers/members/MemberPrints.h"
#include "tests/registers/members/GuardTestSupport.h"

namespace {

class MemberRecordPrintsTest : public GuardTest {
protected:
  // Stores `keys` as the connection's selection set of the print's tag, prints
  // it for year `rok` and returns the master rows' `columns`, joined by "/".
  QStringList Printed(const TRegisterPrint& print, const QVariantList& keys, const QStringList& columns,
                      int rok = 2026) {
    for (const QVariant& key : keys)
      Exec(QStringLiteral("insert into temp_spracuj (jedin,cislo,zaradenie,connection_id) "
                          "values (gen_id(temp_spracuj_id,1),:K,:Z,current_connection)"),
           {{QStringLiteral("K"), key}, {QStringLiteral("Z"), print.Tag}});
    const size_t before = prints.size();
    PrintRegister(print, quint16(rok));
    Exec(QStringLiteral("delete from temp_spracuj"));
    if (prints.size() == before) return {};
    QStringList rows;
    for (const QVariantMap& row : prints.back().Rows) {
      QStringList values;
      for (const QString& column : columns)
        values.append(row.value(column).toString());
      rows.append(values.join(QLatin1Char('/')));
    }
    return rows;
  }
  int AddWork(int clen, double hodiny, const QString& popis, int rok = 2026) {
    return InsertRow(QStringLiteral("e_brigady_id"),
                     QStringLiteral("insert into e_brigady (jedin,rok,datum,c_clenov,hodiny,popis) "
                                    "values (:JEDIN,:R,'2026-04-01',:C,:H,:P)"),
                     {{QStringLiteral("R"), rok},
                      {QStringLiteral("C"), clen},
                      {QStringLiteral("H"), hodiny},
                      {QStringLiteral("P"), popis}});
  }
};

TEST_F(MemberRecordPrintsTest, WorkDutyPrintsTheChosenRowsByMemberItemBySummedOrOfTheExemptOnly) {
  const int novak = AddMember(QStringLiteral("Novák"), QStringLiteral("Ján"));
  const int kral = AddMember(QStringLiteral("Kráľ"), QStringLiteral("Peter"), 0);
  const QVariantList chosen{AddWork(novak, 2, QStringLiteral("Kosenie")), AddWork(novak, 3, QStringLiteral("Čistenie")),
                            AddWork(kral, 4, QStringLiteral("Zarybňovanie"))};
  AddWork(novak, 8, QStringLiteral("Nevybraná"));
  const QStringList item{QStringLiteral("CLEN"), QStringLiteral("POPIS"), QStringLiteral("HODINY")};
  const struct {
    TRegisterPrint print;
    QStringList columns, rows;
  } cases[] = {
      {WorkDutyItemsPrint(),
       item,
       {QStringLiteral("Kráľ Peter/Zarybňovanie/4"), QStringLiteral("Novák Ján/Čistenie/3"),
        QStringLiteral("Novák Ján/Kosenie/2")}},
      {WorkDutySumsPrint(),
       {QStringLiteral("CLEN"), QStringLiteral("HODINY")},
       {QStringLiteral("Kráľ Peter/4"), QStringLiteral("Novák Ján/5")}},
      {WorkDutyExemptItemsPrint(), item, {QStringLiteral("Kráľ Peter/Zarybňovanie/4")}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Printed(c.print, chosen, c.columns), c.rows) << c.print.Title.toStdString();
}

TEST_F(MemberRecordPrintsTest, EntrustedItemsPrintItemByItemAndTheValueStillOutPerMember) {
  const int novak = AddMember(QStringLiteral("Novák"), QStringLiteral("Ján"));
  const int kral = AddMember(QStringLiteral("Kráľ"), QStringLiteral("Peter"));
  QVariantList chosen;
  const struct {
    int clen;
    const char* nazov;
    double mnozstvo, vratene, cena;
    int den; // of March
  } items[] = {{novak, "Kľúč", 3, 1, 10, 1}, {novak, "Vesta", 1, 0, 25.5, 2}, {kral, "Čln", 1, 1, 300, 3}};
  for (const auto& i : items)
    chosen.append(InsertRow(QStringLiteral("e_predmety_id"),
                            QStringLiteral("insert into e_predmety (jedin,c_clenov,datum,nazov,cena,mnozstvo,"
                                           "mnozstvo_vratene) values (:JEDIN,:C,:D,:N,:K,:M,:V)"),
                            {{QStringLiteral("C"), i.clen},
                             {QStringLiteral("D"), QDate(2026, 3, i.den)},
                             {QStringLiteral("N"), QString::fromUtf8(i.nazov)},
                             {QStringLiteral("K"), i.cena},
                             {QStringLiteral("M"), i.mnozstvo},
                             {QStringLiteral("V"), i.vratene}}));
  EXPECT_EQ(Printed(EntrustedItemsPrint(), chosen, {QStringLiteral("CLEN"), QStringLiteral("NAZOV")}),
            QStringList({QStringLiteral("Kráľ Peter/Čln"), QStringLiteral("Novák Ján/Kľúč"),
                         QStringLiteral("Novák Ján/Vesta")}));
  // 2 keys of 10 and a vest of 25.50 still out; the boat came back.
  EXPECT_EQ(Printed(EntrustedBalancesPrint(), chosen, {QStringLiteral("CLEN"), QStringLiteral("ZOSTATOK")}),
            QStringList({QStringLiteral("Kráľ Peter/0"), QStringLiteral("Novák Ján/45.5")}));
}

TEST_F(MemberRecordPrintsTest, MailOffencesAndAwardsPrintTheirChosenRowsInTheirOrder) {
  const int novak = AddMember(QStringLiteral("Novák"), QStringLiteral("Ján"));
  QVariantList mail;
  for (const auto& [rok, cislo, druh] : {std::tuple{2026, 2, 1}, {2026, 1, -1}, {2025, 1, 1}})
    mail.append(InsertRow(QStringLiteral("e_posta_id"),
                          QStringLiteral("insert into e_posta (jedin,rok,datum,druh,cislo,vec) "
                                         "values (:JEDIN,:R,'2026-02-01',:D,:C,'Vec')"),
                          {{QStringLiteral("R"), rok}, {QStringLiteral("C"), cislo}, {QStringLiteral("D"), druh}}));
  const QString title = QStringLiteral("Evidencia pošty - rok 2026");
  // Mail of another year chosen meanwhile stays out of the year's print.
  EXPECT_EQ(Printed(MailPrint(title, 2026), mail, {QStringLiteral("CISLO"), QStringLiteral("DRUH")}),
            QStringList({QStringLiteral("1/odoslaná"), QStringLiteral("2/došlá")}));
  EXPECT_EQ(prints.back().Title, title);

  QVariantList offences;
  for (const auto& [den, priezvisko] : {std::pair{20, "Tichý"}, {10, "Hrubý"}})
    offences.append(
        InsertRow(QStringLiteral("e_priestupky_id"),
                  QStringLiteral("insert into e_priestupky (jedin,rok,datum,priezvisko,meno,priestupok) "
                                 "values (:JEDIN,2026,:D,:P,'Ján','bez povolenky')"),
                  {{QStringLiteral("D"), QDate(2026, 6, den)}, {QStringLiteral("P"), QString::fromUtf8(priezvisko)}}));
  const QStringList byDate = Printed(OffencesPrint(title), offences, {QStringLiteral("NAZOV_UPLNY")});
  ASSERT_EQ(byDate.size(), 2);
  EXPECT_TRUE(byDate[0].startsWith(QStringLiteral("Hrubý"))) << byDate[0].toStdString();

  QVariantList awards;
  for (const int rok : {2020, 2012})
    awards.append(InsertRow(QStringLiteral("e_vyznamenania_id"),
                            QStringLiteral("insert into e_vyznamenania (jedin,c_clenov,nazov,rok_vyznamenania) "
                                           "values (:JEDIN,:C,'Uznanie',:R)"),
                            {{QStringLiteral("C"), novak}, {QStringLiteral("R"), rok}}));
  EXPECT_EQ(Printed(AwardsPrint(title), awards, {QStringLiteral("ROK_VYZNAMENANIA"), QStringLiteral("NAZOV_UPLNY")}),
            QStringList({QStringLiteral("2012/Novák Ján"), QStringLiteral("2020/Novák Ján")}));
}

TEST_F(MemberRecordPrintsTest, AnInspectionPrintsWithItsOwnGuardsAndCheckedPersons) {
  const int revir = AddRevir(2026, QStringLiteral("Váh"));
  const int novak = AddMember(QStringLiteral("Novák"), QStringLiteral("Ján"));
  const int kral = AddMember(QStringLiteral("Kráľ"), QStringLiteral("Peter"));
  const int first = AddGuard(novak, QStringLiteral("11"), QDate(2020, 1, 1));
  const int second = AddGuard(kral, QStringLiteral("22"), QDate(2021, 1, 1));
  const int morning = AddInspection(2026), evening = AddInspection(2026);
  AddInspectionGuard(morning, first);
  AddInspectionGuard(morning, second);
  AddInspectionGuard(evening, second);
  AddInspected(morning, first, QStringLiteral("Hrubý"), revir);
  AddInspected(evening, second, QStringLiteral("Tichý"), revir);
  AddInspected(evening, second, QStringLiteral("Zlý"), revir);

  const QStringList masters =
      Printed(InspectionsPrint(QStringLiteral("Kontroly")), {morning, evening}, {QStringLiteral("JEDIN")});
  EXPECT_EQ(masters, QStringList({QString::number(morning), QString::number(evening)}));
  // Per inspection: its guards' names, then its checked persons with their address.
  ASSERT_EQ(details.size(), 2);
  EXPECT_EQ(details[0], QStringList({DisplayName(novak) + QLatin1Char(',') + DisplayName(kral),
                                     QStringLiteral("Hrubý Ján, Nitra, Hlavná 1")}));
  EXPECT_EQ(details[1],
            QStringList({DisplayName(kral), QStringLiteral("Tichý Ján, Nitra, Hlavná 1,Zlý Ján, Nitra, Hlavná 1")}));
}

} // namespace
