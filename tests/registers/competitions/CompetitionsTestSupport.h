#pragma once
// The fixture of the competition registers' tests: leagues, teams,
// competitors, competitions, rounds and their entries laid down by SQL, the
// competition forms registered (their pickers find each other), and the
// member records' helpers (keys, marks, recorded prints).
#include "app/FormRegistry.h"
#include "registers/competitions/CompetitionsForms.h"
#include "tests/registers/members/MemberRecordsTestSupport.h"

class CompetitionsTest : public MemberRecordsTest {
protected:
  void SetUp() override {
    MemberRecordsTest::SetUp();
    RegisterCompetitionsForms();
  }
  void TearDown() override {
    for (const char* name : {"TfrmCLig", "TfrmCDruzstvaPretekarov", "TfrmCPretekari", "TfrmEPreteky",
                             "TfrmPVysledkyLigy", "TfrmPVysledkyATP"})
      FormRegistry::Unregister(QLatin1String(name));
    MemberRecordsTest::TearDown();
  }

  int AddLeague(const QString& nazov) {
    return InsertRow(QStringLiteral("c_lig_id"), QStringLiteral("insert into c_lig (jedin,nazov) values (:JEDIN,:N)"),
                     {{QStringLiteral("N"), nazov}});
  }
  int AddTeam(const QString& nazov) {
    return InsertRow(QStringLiteral("c_druzstva_pretekarov_id"),
                     QStringLiteral("insert into c_druzstva_pretekarov (jedin,nazov) values (:JEDIN,:N)"),
                     {{QStringLiteral("N"), nazov}});
  }
  void AddTeamYear(int team, int rok, const QVariant& cislo, const QVariant& liga) {
    Exec(QStringLiteral("insert into c_druzstva_pretekarov_pc (c_druzstva_pretekarov,rok,cislo,c_lig) "
                        "values (:D,:R,:C,:L)"),
         {{QStringLiteral("D"), team},
          {QStringLiteral("R"), rok},
          {QStringLiteral("C"), cislo},
          {QStringLiteral("L"), liga}});
  }
  int AddCompetitor(const QString& meno, const QString& priezvisko, const QVariant& team = {},
                    const QVariant& liga = {}) {
    return InsertRow(QStringLiteral("c_pretekari_id"),
                     QStringLiteral("insert into c_pretekari (jedin,titul,meno,priezvisko,c_druzstva_pretekarov,c_lig) "
                                    "values (:JEDIN,'',:M,:P,:D,:L)"),
                     {{QStringLiteral("M"), meno},
                      {QStringLiteral("P"), priezvisko},
                      {QStringLiteral("D"), team},
                      {QStringLiteral("L"), liga}});
  }
  int AddCompetition(int rok, int liga, const QString& nazov) {
    return InsertRow(QStringLiteral("e_preteky_id"),
                     QStringLiteral("insert into e_preteky (jedin,rok,termin_od,termin_do,c_lig,disciplina,miesto,"
                                    "nazov,trat) values (:JEDIN,:R,:D,:D,:L,'plávaná','Ružomberok',:N,'Váh')"),
                     {{QStringLiteral("R"), rok},
                      {QStringLiteral("D"), QDate(rok, 5, 16)},
                      {QStringLiteral("L"), liga},
                      {QStringLiteral("N"), nazov}});
  }
  int AddRound(int preteky, int cislo, int cisloVRoku) {
    return InsertRow(QStringLiteral("e_preteky_kola_id"),
                     QStringLiteral("insert into e_preteky_kola (jedin,e_preteky,cislo,cislo_v_roku,nazov) "
                                    "values (:JEDIN,:P,:C,:V,:N)"),
                     {{QStringLiteral("P"), preteky},
                      {QStringLiteral("C"), cislo},
                      {QStringLiteral("V"), cisloVRoku},
                      {QStringLiteral("N"), QStringLiteral("%1. kolo").arg(cislo)}});
  }
  // A competitor in a round; an invalid sector or peg is none.
  int AddEntry(int kolo, int pretekar, int druzstvo, const QVariant& sektor, const QVariant& peg, int cips,
               int trestneMiesto = 0) {
    return InsertRow(QStringLiteral("e_preteky_pretekari_id"),
                     QStringLiteral("insert into e_preteky_pretekari (jedin,e_preteky_kola,e_preteky,c_pretekari,"
                                    "c_druzstva_pretekarov,sektor,sektor_cislo,cips,trestne_miesto) "
                                    "select :JEDIN,k.jedin,k.e_preteky,:P,:D,:S,:SC,:C,:T from e_preteky_kola k "
                                    "where k.jedin=:K"),
                     {{QStringLiteral("K"), kolo},
                      {QStringLiteral("P"), pretekar},
                      {QStringLiteral("D"), druzstvo},
                      {QStringLiteral("S"), sektor},
                      {QStringLiteral("SC"), peg},
                      {QStringLiteral("C"), cips},
                      {QStringLiteral("T"), trestneMiesto}});
  }
};
