#include "registers/members/fEVyznamenaniaPridaj.h"
#include "app/ToolBar.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBMemo.h"
#include "controls/KitMessages.h"
#include "core/DateTime.h"
#include "registers/common/RegisterLayout.h"
#include "registers/members/MemberRecordsSupport.h"
#include "util/RtDateUtils.h"

TfrmEVyznamenaniaPridaj::TfrmEVyznamenaniaPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Člen:"));
  eDBClen = AddPickerCombo(controls, QStringLiteral("eDBClen"), btnClen, QStringLiteral("TfrmCClenov"));
  SetupMemberEntry(*eDBClen);
  controls.Label(QStringLiteral("Názov:"));
  eDBNazov = controls.Add<TIBComboBox>(QStringLiteral("eDBNazov"));
  SetupTextCombo(*eDBNazov, QStringLiteral("e_vyznamenania"), QStringLiteral("nazov"), 50, 0);
  controls.Label(QStringLiteral("Rok:"));
  eDBRok = controls.Add<TIBCurrencyEdit>(QStringLiteral("eDBRok"));
  eDBRok->SetDecimals(0);
  eDBRok->SetMaxLength(4);
  eDBRok->SetAllowZero(false);
  eDBRok->SetAllowNegative(false);
  eDBPoznamka = AddNoteMemo(controls);

  dlg.AddCaption = QStringLiteral("Pridanie vyznamenania");
  dlg.EditCaption = QStringLiteral("Oprava vyznamenania");
  dlg.Table = QStringLiteral("E_VYZNAMENANIA");
  dlg.Field(QStringLiteral("C_CLENOV"), eDBClen).Required();
  dlg.Field(QStringLiteral("NAZOV"), eDBNazov).Required();
  dlg.Field(QStringLiteral("ROK_VYZNAMENANIA"), eDBRok).Default([] { return YearOfDate(DateTime::Now()) - 1; });
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka);
  // The edit lets a blank field pass as 0; an award still needs its year.
  dlg.CheckEntries = [this] {
    if (int(eDBRok->Value()) != 0) return true;
    ShowKitNumberedError(1043);
    eDBRok->setFocus();
    return false;
  };
  dlg.FormCreate(controls.Widget(), QSize(685, 213));
}

TfrmEVyznamenaniaPridaj::~TfrmEVyznamenaniaPridaj() = default;
