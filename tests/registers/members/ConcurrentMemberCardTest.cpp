// Two workstations edit one member on the real member card: the second save
// is refused, nothing of the first lost, the entries kept; on the embedded
// file and on a server.
#include "app/QPLUnit.h"
#include "controls/IBEdit.h"
#include "registers/common/DialogPattern.h"
#include "registers/members/fCClenovPridaj.h"
#include "tests/registers/common/TwoWorkstations.h"

namespace {

class ConcurrentMemberCardTest : public TwoWorkstationsTest {};

TEST_P(ConcurrentMemberCardTest, TheSecondSaveIsRefusedAndNothingOfTheFirstIsLost) {
  const QVariant null;
  const struct {
    const char* what;
    const char* other;   // committed by the other workstation after the card loaded
    const char* refusal; // "changed", "gone", "" (saved)
    QVariantList stored; // TITUL, ULICA, MENO afterwards
  } cases[] = {
      {"the other changed the street, this one the title",
       "update c_clenov set ulica='Hlavná 1' where jedin=1",
       "changed",
       {null, QStringLiteral("Hlavná 1"), QStringLiteral("Ján")}},
      {"both changed the title",
       "update c_clenov set titul='Mgr.' where jedin=1",
       "changed",
       {QStringLiteral("Mgr."), null, QStringLiteral("Ján")}},
      {"the other deleted the member", "delete from c_clenov where jedin=1", "gone", {}},
      {"the other changed nothing",
       "update c_clenov set titul=null where jedin=2",
       "",
       {QStringLiteral("Ing."), QString(), QStringLiteral("Ján")}}, // the card writes an empty street as such
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Answer();
    Exec(QStringLiteral("delete from c_clenov"));
    Exec(QStringLiteral("insert into c_clenov (jedin,meno,priezvisko,mesto,skolenie_uskutocnene,brigada_vyzadovat) "
                        "values (1,'Ján','Novák','Šaľa',0,1)"));
    TfrmCClenovPridaj card;
    card.dlg.Rok = 2026;
    card.dlg.ClearForPass();
    card.Jedin = 1;
    card.SetTag(2);
    TSaveOutcome outcome;
    script.Then([&](TForm& f) {
      outcome = SaveAfterOther(
          f, c.other, [&] { card.eDBTitul->setText(QStringLiteral("Ing.")); }, [&] { return card.eDBTitul->text(); });
    });
    card.ShowModal();
    ExpectAnswer(c.refusal, outcome, QStringLiteral("Ing."));
    QStringList stored, wanted;
    for (const QVariant& value : Row(QStringLiteral("select titul, ulica, meno from c_clenov where jedin=1")))
      stored.append(value.isNull() ? QStringLiteral("<null>") : value.toString());
    for (const QVariant& value : c.stored)
      wanted.append(value.isNull() && value.typeId() != QMetaType::QString ? QStringLiteral("<null>")
                                                                           : value.toString());
    EXPECT_EQ(stored, wanted);
  }
}

VIMEK_ON_BOTH_TARGETS(ConcurrentMemberCardTest);

} // namespace
