#include "registers/accounting/fEFakturyPolozkyPridaj.h"
#include "app/QPLUnit.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/QPLBtn.h"
#include "registers/accounting/AccountingRows.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QVBoxLayout>
#include <cmath>
#include <tuple>

TfrmEFakturyPolozkyPridaj::TfrmEFakturyPolozkyPridaj(QWidget* owner) : TDialogForm(owner) {
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Názov:"));
  eDBNazov = controls.Add<TIBComboBox>(QStringLiteral("eDBNazov"));
  SetupTextCombo(*eDBNazov, QStringLiteral("e_faktury_polozky"), QStringLiteral("nazov"), 50, 0);
  controls.Label(QStringLiteral("Množstvo:"));
  std::tie(eDBMnozstvo, eDBMJ) =
      controls.AddPair<TIBCurrencyEdit, TIBComboBox>(QStringLiteral("eDBMnozstvo"), 14, QStringLiteral("eDBMJ"));
  SetupMoneyEdit(*eDBMnozstvo, 3);
  SetupTextCombo(*eDBMJ, QStringLiteral("e_faktury_polozky"), QStringLiteral("mj"), 5, 0);

  // The unit's price and the line's price, each in its group.
  TRegisterLayout unit(*this), line(*this);
  eDBMJZaklad = AddAmount(unit, QStringLiteral("Cena bez DPH za MJ"), QStringLiteral("eDBMJZaklad"), 2, 14);
  SetupMoneyEdit(*eDBMJZaklad, 2);
  eDBSadzbaDPH = AddAmount(unit, QStringLiteral("DPH %"), QStringLiteral("eDBSadzbaDPH"), 0, 2);
  eDBMJDPH = AddAmount(unit, QStringLiteral("DPH"), QStringLiteral("eDBMJDPH"), 2, 14);
  SetupMoneyEdit(*eDBMJDPH, 2);
  eMJSpolu = AddAmount(unit, QStringLiteral("Cena s DPH za MJ"), QStringLiteral("eMJSpolu"), 2, 14);
  eSpoluZaklad = AddAmount(line, QStringLiteral("Cena bez DPH"), QStringLiteral("eSpoluZaklad"), 2, 14);
  eSpoluDPH = AddAmount(line, QStringLiteral("DPH"), QStringLiteral("eSpoluDPH"), 2, 14);
  eSpolu = AddAmount(line, QStringLiteral("Cena s DPH"), QStringLiteral("eSpolu"), 2, 14);
  for (TIBCurrencyEdit* shown : {eMJSpolu, eSpoluZaklad, eSpoluDPH, eSpolu}) {
    SetupMoneyEdit(*shown, 2);
    shown->SetReadOnly(true);
    shown->setFocusPolicy(Qt::NoFocus);
  }
  QWidget* body = new QWidget(this);
  auto* bodyLayout = new QVBoxLayout(body);
  bodyLayout->setContentsMargins(0, 0, 0, 0);
  bodyLayout->addWidget(controls.Widget());
  for (const auto& [caption, rows, name] :
       {std::tuple{" Cena položky: ", &unit, "gbxCenaPolozky"}, std::tuple{" Cena spolu: ", &line, "gbxCenaSpolu"}}) {
    auto* box = new QGroupBox(QString::fromUtf8(caption), body);
    box->setObjectName(QString::fromLatin1(name));
    (new QVBoxLayout(box))->addWidget(rows->Widget());
    bodyLayout->addWidget(box);
  }

  dlg.AddCaption = QStringLiteral("Pridanie položky faktúry");
  dlg.EditCaption = QStringLiteral("Oprava položky faktúry");
  dlg.Table = QStringLiteral("E_FAKTURY_POLOZKY");
  dlg.Field(QStringLiteral("E_FAKTURY")).WrittenOnly().InsertOnly().Saves([this] { return Faktura; });
  dlg.Field(QStringLiteral("NAZOV"), eDBNazov).Required();
  dlg.Field(QStringLiteral("MNOZSTVO"), eDBMnozstvo).Default(1);
  dlg.Field(QStringLiteral("MJ"), eDBMJ).Required();
  dlg.Field(QStringLiteral("MJ_ZAKLAD"), eDBMJZaklad);
  dlg.Field(QStringLiteral("MJ_DPH"), eDBMJDPH);
  dlg.Field(QStringLiteral("SADZBA_DPH"), eDBSadzbaDPH);
  dlg.AfterClear = [this] { VypocitajCenuSpolu(); };
  dlg.FormCreate(body, QSize(420, 300));
  // Save and continue is in the tab order from the start: items come in series.
  dlg.btnDalsi->setFocusPolicy(Qt::StrongFocus);

  connect(eDBMJZaklad, &TIBCurrencyEdit::OnEnter, this, [this] { zakladOnEntry_ = AmountOf(*eDBMJZaklad); });
  connect(eDBMJZaklad, &TIBCurrencyEdit::OnExit, this, &TfrmEFakturyPolozkyPridaj::eDBMJZakladExit);
  for (TIBCurrencyEdit* input : {eDBMJZaklad, eDBMJDPH, eDBMnozstvo})
    connect(input, &QLineEdit::textChanged, this, &TfrmEFakturyPolozkyPridaj::VypocitajCenuSpolu);
}

TfrmEFakturyPolozkyPridaj::~TfrmEFakturyPolozkyPridaj() = default;

void TfrmEFakturyPolozkyPridaj::eDBMJZakladExit() {
  const double price = AmountOf(*eDBMJZaklad);
  if (price == zakladOnEntry_) return;
  // To a tenth, halves to the even tenth.
  eDBMJDPH->SetValue(RoundToDecimals(1, price / 100 * std::trunc(AmountOf(*eDBSadzbaDPH))));
}

void TfrmEFakturyPolozkyPridaj::VypocitajCenuSpolu() {
  const double price = AmountOf(*eDBMJZaklad), vat = AmountOf(*eDBMJDPH), quantity = AmountOf(*eDBMnozstvo);
  eMJSpolu->SetValue(price + vat);
  eSpoluZaklad->SetValue(price * quantity);
  eSpoluDPH->SetValue(vat * quantity);
  // The sum of the two figures as shown, so that the line adds up on paper.
  eSpolu->SetValue(AmountOf(*eSpoluZaklad) + AmountOf(*eSpoluDPH));
}
