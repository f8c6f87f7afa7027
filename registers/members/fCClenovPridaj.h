#pragma once
#include "registers/common/DialogForm.h"
#include <functional>

class TIBCheckBox;
class TIBComboBox;
class TIBCurrencyEdit;
class TIBDate;
class TIBEdit;
class TIBMemo;
class TQPLBtn;

// Opens one member's rows in another register, filtered to the member, for
// the given year (0 where the register has no year of its own to set).
using TMemberRegisterOpener = std::function<void(QWidget* owner, int clen, int rok)>;

// The member card: every personal column of one C_CLENOV row, its groups,
// end of membership and note, and a read-only summary of the year it is
// opened for.
// In add mode the row exists from the show (a placeholder) so that the
// registers opened from the card can refer to the new person; leaving
// without saving deletes it again.
class TfrmCClenovPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmCClenovPridaj(QWidget* owner = nullptr);
  ~TfrmCClenovPridaj() override;

  TIBEdit *eDBTitul, *eDBPriezvisko, *eDBUlica, *eDBPSC, *eDBTelefon, *eDBEmail, *eDBPracovneZaradenie,
      *eDBCisloLegimitacie;
  TIBComboBox *eDBMeno, *eDBMesto, *eDBPovolanie, *eDBUkoncenieStav;
  TIBComboBox* eDBSkupina[5];
  TQPLBtn* btnSkupina[5];
  TIBDate *eDBDatumNarodenia, *eDBSkolenieDatum, *eDBUkoncenieDatum, *eClenskeDatum;
  TIBCurrencyEdit *eDBVstupJUX, *eDBVstupZO, *eDBClenObO, *eBrigadaHodiny, *eClenskeSuma;
  TIBCheckBox *eDBSkolenieUskutocnene, *eDBBrigadaVyzadovat;
  TIBMemo* eDBPoznamka;
  TQPLBtn *btnPovolenky, *btnBrigady, *btnPredmety, *btnVyznamenania, *btnPriestupky, *btnPokladna,
      *btnPovolenkyMinulyRok, *btnBrigadyMinulyRok, *btnPreruseneClenstvo;

  // Reads the summary of the card's year: work-duty hours, the membership fee's
  // date and amount, and whether membership was ever interrupted (red caption).
  void NacitajOstatneInformacie();
  void eDBSkolenieUskutocneneClick();
  // The group picker of combo `index` (0..4).
  void btnSkupinaClick(int index);

  // The registers built elsewhere register how they open for one member,
  // under the button's name ("btnBrigady"); a button without one is disabled.
  static void SetRegisterOpener(const QString& buttonName, TMemberRegisterOpener opener);

protected:
  void FormShow() override;

private:
  QWidget* BuildPersonalData();
  QWidget* BuildRightColumn();
  void OpenRegister(TQPLBtn* button, int rok, bool reread);
};
