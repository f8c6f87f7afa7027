#pragma once
#include "registers/accounting/AccountingRows.h"
#include "registers/common/DialogForm.h"
#include <QtCore/QString>
#include <array>

class TSpeedButton;

// The branch's own identity on one invoice, written to the side of the
// invoice that is not the partner's.
struct TNasaZO {
  QString Nazov, Ulica, PSC, Mesto, ICO, DIC, ICDPH, UcetPredcislie, UcetCislo, UcetKod, UcetIBAN;
  // The identity of the program's settings.
  static TNasaZO FromOrganizacia();
  // The parts in the order of kIdentityColumns.
  std::array<QString*, 11> Parts();
};

// The dialog "Identifikačné údaje našej organizácie": the own identity of
// one invoice, changed for that invoice only. "Načítaj" brings the identity
// of the settings; OK checks the entries and answers 1, "Nezapíš" 2. It
// writes nothing itself: the invoice dialog keeps what OK returned.
class TfrmEFakturyNasaZO : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmEFakturyNasaZO(QWidget* owner = nullptr);
  ~TfrmEFakturyNasaZO() override;

  TIdentityEdits identity;
  TSpeedButton* btnNacitaj;

  void SetEntries(TNasaZO nasaZO);
  TNasaZO Entries() const;
  void btnNacitajClick();
};
