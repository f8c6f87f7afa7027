#include "registers/members/fEPostaPridaj.h"
#include "app/ToolBar.h"
#include "app/UnitOfWork.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "core/DateTime.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/MessageDialogs.h"
#include "registers/common/DialogQueries.h"
#include "registers/common/RegisterLayout.h"
#include "registers/members/MemberRecordsSupport.h"
#include "registers/members/MemberRows.h"
#include "registers/members/fEPosta.h"
#include <QtWidgets/QLabel>

namespace {
TIBComboBox* AddContact(TRegisterLayout& controls, QLabel*& label, const QString& caption, const QString& name,
                        TSpeedButton*& button, const QString& formName) {
  label = controls.Label(caption);
  return AddPickerCombo(controls, name, button, formName);
}
} // namespace

TfrmEPostaPridaj::TfrmEPostaPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  eDBCislo = AddAmount(controls, QStringLiteral("Por. číslo:"), QStringLiteral("eDBCislo"), 0, 9);
  eDBCislo->SetColor(clYellow);
  controls.Label(QStringLiteral("Druh pošty:"));
  eDBDruh = controls.Add<TIBComboBox>(QStringLiteral("eDBDruh"));
  SetupKindCombo(*eDBDruh);
  controls.Label(QStringLiteral("Dátum:"));
  eDBDatum = controls.Add<TIBDate>(QStringLiteral("eDBDatum"));
  eDBPostovne = AddAmount(controls, QStringLiteral("Poštovné:"), QStringLiteral("eDBPostovne"), 2, 14);
  eDBPostovne->SetMoneyColor(true);
  MenaLB = controls.Label(LocaleCurrencyText());
  controls.Add<QWidget>(QStringLiteral("MenaLBRow"));
  eDBClen = AddContact(controls, lblClen, QStringLiteral("Člen:"), QStringLiteral("eDBClen"), btnClen,
                       QStringLiteral("TfrmCClenov"));
  SetupMemberEntry(*eDBClen);
  eDBPartneri = AddContact(controls, lblPartneri, QStringLiteral("Partner:"), QStringLiteral("eDBPartneri"),
                           btnPartneri, QStringLiteral("TfrmCPartneri"));
  SetupPartnerCombo(*eDBPartneri);
  for (TIBComboBox* combo : {eDBClen, eDBPartneri}) {
    auto handler = combo == eDBClen ? &TfrmEPostaPridaj::eDBClenChange : &TfrmEPostaPridaj::eDBPartneriChange;
    connect(combo, &TIBComboBox::OnChange, this, handler);
    connect(combo, &TIBComboBox::OnEnter, this, handler);
  }
  eDBVec = AddText(controls, QStringLiteral("Vec, obsah:"), QStringLiteral("eDBVec"), 75);
  eDBZnacka = AddText(controls, QStringLiteral("Značka:"), QStringLiteral("eDBZnacka"), 75);
  eDBPrilohy = AddText(controls, QStringLiteral("Prílohy:"), QStringLiteral("eDBPrilohy"), 75);
  controls.Label(QStringLiteral(" Pridelené: Dátum:"));
  eDBPrideleneDatum = controls.Add<TIBDate>(QStringLiteral("eDBPrideleneDatum"));
  controls.Label(QStringLiteral("Komu:"));
  eDBPrideleneKomu = controls.Add<TIBComboBox>(QStringLiteral("eDBPrideleneKomu"));
  SetupTextCombo(*eDBPrideleneKomu, QStringLiteral("e_posta"), QStringLiteral("pridelene_komu"), 75, 0);
  controls.Label(QStringLiteral(" Vybavené: Dátum:"));
  eDBVybaveneDatum = controls.Add<TIBDate>(QStringLiteral("eDBVybaveneDatum"));
  eDBVybaveneSposob = AddText(controls, QStringLiteral("Spôsob:"), QStringLiteral("eDBVybaveneSposob"), 75);
  eDBPoznamka = AddNoteMemo(controls);

  dlg.AddCaption = QStringLiteral("Pridanie pošty do evidencie");
  dlg.EditCaption = QStringLiteral("Oprava pošty do evidencie");
  dlg.Table = QStringLiteral("E_POSTA");
  dlg.PerYear = true;
  dlg.Field(QStringLiteral("DATUM"), eDBDatum).Required().Default([] { return DateTime::Today(); });
  dlg.Field(QStringLiteral("DRUH"), eDBDruh).Required();
  dlg.Field(QStringLiteral("CISLO"), eDBCislo);
  dlg.Field(QStringLiteral("C_CLENOV"), eDBClen);
  dlg.Field(QStringLiteral("C_PARTNERI"), eDBPartneri);
  dlg.Field(QStringLiteral("VEC"), eDBVec).Required();
  dlg.Field(QStringLiteral("ZNACKA"), eDBZnacka);
  dlg.Field(QStringLiteral("PRILOHY"), eDBPrilohy);
  dlg.Field(QStringLiteral("PRIDELENE_DATUM"), eDBPrideleneDatum);
  dlg.Field(QStringLiteral("PRIDELENE_KOMU"), eDBPrideleneKomu);
  dlg.Field(QStringLiteral("VYBAVENE_DATUM"), eDBVybaveneDatum);
  dlg.Field(QStringLiteral("VYBAVENE_SPOSOB"), eDBVybaveneSposob);
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka);
  dlg.Field(QStringLiteral("POSTOVNE"), eDBPostovne);
  dlg.Field(QStringLiteral("NAZOV_UPLNY")).WrittenOnly().Saves([this] { return Contact(); });
  dlg.AfterClear = [this] {
    eDBDruh->FindFirst();
    MenaLB->setText(LocaleCurrencyText());
  };
  dlg.CheckEntries = [this] { return CheckNumber(); };
  dlg.FormCreate(controls.Widget(), QSize(716, 489));
}

TfrmEPostaPridaj::~TfrmEPostaPridaj() = default;

void TfrmEPostaPridaj::FormShow() {
  dlg.FormShow();
  // One number series per year for every kind, proposed once: a number the
  // user types stays as typed.
  if (dlg.Mode() == TDialogMode::Add) eDBCislo->SetValue(NextNumber());
}

int TfrmEPostaPridaj::NextNumber() {
  const std::optional<qint64> next = SelectNumber(dlg, NextMailNumberSql(), {{QStringLiteral("ROK"), int(dlg.Rok)}});
  return next ? int(*next) : 1;
}

bool TfrmEPostaPridaj::CheckNumber() {
  const int number = int(eDBCislo->Value());
  if (number == 0) return true;
  const std::optional<qint64> taken =
      CountOtherRows(dlg, QStringLiteral("e_posta"), QStringLiteral("rok=:ROK and cislo=:CISLO"),
                     {{QStringLiteral("ROK"), int(dlg.Rok)}, {QStringLiteral("CISLO"), number}});
  if (!taken) return false;
  if (*taken == 0) return true;
  // Another workstation saved this number meanwhile (or it was typed twice).
  const int next = NextNumber();
  MessageDlg(
      QStringLiteral("Pošta s číslom %1 už v evidencii je. Navrhnuté je ďalšie voľné číslo %2.").arg(number).arg(next),
      TMsgDlgType::Warning, mbOK, mrOk);
  eDBCislo->SetValue(next);
  eDBCislo->setFocus();
  return false;
}

void TfrmEPostaPridaj::eDBClenChange() {
  const bool none = KeyParam(*eDBClen).isNull();
  for (QWidget* w :
       {static_cast<QWidget*>(eDBPartneri), static_cast<QWidget*>(lblPartneri), static_cast<QWidget*>(btnPartneri)})
    w->setVisible(none);
}

void TfrmEPostaPridaj::eDBPartneriChange() {
  const bool none = KeyParam(*eDBPartneri).isNull();
  for (QWidget* w : {static_cast<QWidget*>(eDBClen), static_cast<QWidget*>(lblClen), static_cast<QWidget*>(btnClen)})
    w->setVisible(none);
}

QString TfrmEPostaPridaj::Contact() const {
  if (!KeyParam(*eDBClen).isNull()) return eDBClen->RowText();
  if (!KeyParam(*eDBPartneri).isNull()) return eDBPartneri->RowText();
  return QString();
}
