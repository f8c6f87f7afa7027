#pragma once
// The code lists a permit payment stands on: two organisations (the union's
// council 1 and the own branch 2, set so in the settings), price items of
// 2026, grounds of both organisations, a cash-book kind and a member.
#include "app/PrintForm.h"
#include "controls/IBComboBox.h"
#include "tests/registers/members/RecordingPrintForm.h"
#include "tests/registers/permits/PermitsTestSupport.h"

template <class List> class PermitPaymentTest : public PermitListTest<List> {
protected:
  void SetUp() override {
    PermitListTest<List>::SetUp();
    ProgramSettings.JUX_JEDIN = 1;
    ProgramSettings.ZO_JEDIN = 2;
    ProgramSettings.BRIGADA_PREDPISANA = 8;
    Sql("insert into c_zo (jedin,cislo,nazov) values (1,100,'Rada JUX')");
    Sql("insert into c_zo (jedin,cislo,nazov) values (2,200,'ZO Vimek')");
    // Items: a membership fee, a form of price 0, and two guest permits.
    Sql("insert into c_ceniny (jedin,rok,nazov,cena,odvod_jux,doplnkovy_udaj,typ_platby) values "
        "(10,2026,'Členský príspevok',15,3,0,2)");
    Sql("insert into c_ceniny (jedin,rok,nazov,cena,odvod_jux,doplnkovy_udaj,typ_platby) values "
        "(11,2026,'Tlačivo',0,0,1,1)");
    Sql("insert into c_ceniny (jedin,rok,nazov,cena,odvod_jux,doplnkovy_udaj,typ_platby) values "
        "(12,2026,'HP denná nečlen',20,5,1,0)");
    Sql("insert into c_ceniny (jedin,rok,nazov,cena,odvod_jux,doplnkovy_udaj,typ_platby) values "
        "(13,2026,'Povolenka kapor',40,10,1,0)");
    Sql("insert into c_reviry_jux (jedin,rok,cislo,nazov,nazov_uplny,nazov_uplny2,c_zo,denna_cudzi) values "
        "(20,2026,'1-0100','Váh','Váh','Váh',1,12)");
    Sql("insert into c_reviry_jux (jedin,rok,cislo,nazov,nazov_uplny,nazov_uplny2,c_zo) values "
        "(21,2026,'1-0200','Nitra','Nitra','Nitra',1)");
    Sql("insert into c_reviry_jux (jedin,rok,cislo,nazov,nazov_uplny,nazov_uplny2,c_zo,denna_cudzi) values "
        "(22,2026,'2-0300','Štrkovisko','Štrkovisko','Štrkovisko',2,12)");
    Sql("insert into c_druhy_dokladov (jedin,rok,skratka,nazov,typ) values (30,2026,'PPD','Príjem pokladňa',1)");
    Sql("insert into c_druhy_dokladov (jedin,rok,skratka,nazov,typ) values (31,2026,'BV','Bankový výpis',2)");
    Sql("insert into c_clenov (jedin,titul,meno,priezvisko,ulica,psc,mesto,cislo_legitimacie,brigada_vyzadovat) "
        "values (40,'Ing.','Ján','Novák','Hlavná 1','91101','Trenčín','L-77',1)");
    SetPrintFormFactory([this] { return std::make_unique<TRecordingPrintForm>(prints); });
  }
  void TearDown() override {
    SetPrintFormFactory(nullptr);
    PermitListTest<List>::TearDown();
  }
  void Sql(const char* statement) { this->Exec(QString::fromUtf8(statement)); }
  // The shown dialog active, so that focus moves reach its controls.
  static void Activate(TForm& f) {
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&f] { return f.isActiveWindow(); }, 5000));
  }
  // Gives a combo the focus, chooses the key and leaves it as Tab would.
  static void Choose(TIBComboBox& combo, const QVariant& key) {
    combo.setFocus();
    combo.FindIt(key);
    QTest::keyClick(&combo, Qt::Key_Tab);
  }

  std::vector<TRecordedPrint> prints;
};
