#include "registers/members/fEPredmetyPridaj.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBMemo.h"
#include "core/DateTime.h"
#include "platform/MessageDialogs.h"
#include "registers/common/RegisterLayout.h"
#include "registers/members/MemberRecordsSupport.h"
#include <cmath>

TfrmEPredmetyPridaj::TfrmEPredmetyPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Člen:"));
  eDBClen = AddPickerCombo(controls, QStringLiteral("eDBClen"), btnClen, QStringLiteral("TfrmCClenov"));
  SetupMemberEntry(*eDBClen);
  controls.Label(QStringLiteral("Zapožičané:"));
  eDBDatum = controls.Add<TIBDate>(QStringLiteral("eDBDatum"));
  controls.Label(QStringLiteral("Názov predmetu:"));
  eDBNazov = controls.Add<TIBComboBox>(QStringLiteral("eDBNazov"));
  SetupTextCombo(*eDBNazov, QStringLiteral("e_predmety"), QStringLiteral("nazov"), 0, 0);
  eDBCena = AddAmount(controls, QStringLiteral("Cena predmetu:"), QStringLiteral("eDBCena"), 2, 14);
  eDBMnozstvo = AddAmount(controls, QStringLiteral("Požičané množstvo:"), QStringLiteral("eDBMnozstvo"), 2, 14);
  controls.Label(QStringLiteral("Dátum vrátenia:"));
  eDBDatumVratenia = controls.Add<TIBDate>(QStringLiteral("eDBDatumVratenia"));
  eDBMnozstvoVratene =
      AddAmount(controls, QStringLiteral("Vrátené množstvo:"), QStringLiteral("eDBMnozstvoVratene"), 2, 14);
  eDBPoznamka = AddNoteMemo(controls);

  dlg.AddCaption = QStringLiteral("Pridanie zvereného predmetu");
  dlg.EditCaption = QStringLiteral("Oprava zvereného predmetu");
  dlg.Table = QStringLiteral("E_PREDMETY");
  dlg.Field(QStringLiteral("C_CLENOV"), eDBClen).Required();
  dlg.Field(QStringLiteral("DATUM"), eDBDatum).Required().Default([] { return DateTime::Today(); });
  dlg.Field(QStringLiteral("NAZOV"), eDBNazov).Required();
  dlg.Field(QStringLiteral("CENA"), eDBCena);
  dlg.Field(QStringLiteral("MNOZSTVO"), eDBMnozstvo);
  dlg.Field(QStringLiteral("DATUM_VRATENIA"), eDBDatumVratenia);
  dlg.Field(QStringLiteral("MNOZSTVO_VRATENE"), eDBMnozstvoVratene);
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka);
  dlg.CheckEntries = [this] { return CheckReturn(); };
  dlg.FormCreate(controls.Widget(), QSize(729, 309));
}

TfrmEPredmetyPridaj::~TfrmEPredmetyPridaj() = default;

bool TfrmEPredmetyPridaj::CheckReturn() {
  auto refuse = [](QWidget* control, const QString& text) {
    MessageDlg(text, TMsgDlgType::Warning, mbOK, mrOk);
    control->setFocus();
    return false;
  };
  if (eDBMnozstvoVratene->Value() > eDBMnozstvo->Value())
    return refuse(eDBMnozstvoVratene, QStringLiteral("Vrátené množstvo nemôže byť väčšie ako požičané množstvo!"));
  const QVariant lent = eDBDatum->Date(), back = eDBDatumVratenia->Date();
  if (!back.isNull() && back.toDouble() != 0 && std::floor(back.toDouble()) < std::floor(lent.toDouble()))
    return refuse(eDBDatumVratenia, QStringLiteral("Dátum vrátenia nemôže byť skôr ako dátum zapožičania!"));
  return true;
}
