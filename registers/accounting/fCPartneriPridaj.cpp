#include "registers/accounting/fCPartneriPridaj.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "registers/accounting/AccountingRows.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"

TfrmCPartneriPridaj::TfrmCPartneriPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  AddAddressRows(controls, eDBNazov, eDBUlica, eDBPSC, eDBMesto, eDBICO, eDBDIC, eDBICDPH);
  AddAccountRow(controls, eDBUcetPredcislie, eDBUcetCislo, eDBUcetKod);
  eDBUcetSS = AddDigits(controls, QStringLiteral("Špecifický symbol:"), QStringLiteral("eDBUcetSS"), 10);
  eDBUcetIBAN = AddText(controls, QStringLiteral("Číslo IBAN:"), QStringLiteral("eDBUcetIBAN"), 50);
  eDBPoznamka = AddNoteMemo(controls);

  dlg.AddCaption = QStringLiteral("Pridanie partnera");
  dlg.EditCaption = QStringLiteral("Oprava partnera");
  dlg.Table = QStringLiteral("C_PARTNERI");
  DeclareAddressFields(dlg, eDBNazov, eDBUlica, eDBPSC, eDBMesto, eDBICO, eDBDIC, eDBICDPH);
  dlg.Field(QStringLiteral("UCET_PREDCISLIE"), eDBUcetPredcislie);
  dlg.Field(QStringLiteral("UCET_CISLO"), eDBUcetCislo);
  dlg.Field(QStringLiteral("UCET_KOD"), eDBUcetKod);
  dlg.Field(QStringLiteral("UCET_SS"), eDBUcetSS);
  dlg.Field(QStringLiteral("UCET_IBAN"), eDBUcetIBAN);
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka);
  dlg.Field(QStringLiteral("NAZOV_UPLNY")).WrittenOnly().Saves([this] { return NazovUplny(); });
  dlg.FormCreate(controls.Widget(), QSize(520, 330));
}

TfrmCPartneriPridaj::~TfrmCPartneriPridaj() = default;

QString TfrmCPartneriPridaj::NazovUplny() const {
  const QString name = eDBNazov->text() + QStringLiteral(", ") + eDBMesto->text();
  return name.left(75);
}
