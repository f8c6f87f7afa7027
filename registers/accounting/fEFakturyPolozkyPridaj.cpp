#include "registers/accounting/fEFakturyPolozkyPridaj.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/QPLBtn.h"
#include "core/DataSet.h"
#include "registers/accounting/AccountingRows.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "util/MoneyArithmetic.h"
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
  dlg.Field(QStringLiteral("E_FAKTURY")).WrittenOnly().InsertOnly().OwnerIn(QStringLiteral("E_FAKTURY")).Saves([this] {
    return Faktura;
  });
  dlg.Field(QStringLiteral("NAZOV"), eDBNazov).Required();
  dlg.Field(QStringLiteral("MNOZSTVO"), eDBMnozstvo).Default(1);
  dlg.Field(QStringLiteral("MJ"), eDBMJ).Required();
  dlg.Field(QStringLiteral("MJ_ZAKLAD"), eDBMJZaklad);
  dlg.Field(QStringLiteral("MJ_DPH"), eDBMJDPH);
  dlg.Field(QStringLiteral("SADZBA_DPH"), eDBSadzbaDPH);
  // Last: the figures it is computed from are loaded by then.
  dlg.Field(QStringLiteral("DPH"), eSpoluDPH).Loads([this](const TField& f) { LoadLineVat(f.AsVariant()); });
  dlg.AfterClear = [this] {
    vatFollowsRate_ = true;
    VypocitajCenuSpolu();
  };
  dlg.FormCreate(body, QSize(420, 300));
  // Save and continue is in the tab order from the start: items come in series.
  dlg.btnDalsi->setFocusPolicy(Qt::StrongFocus);

  // What the user types decides; values the dialog puts in (a loaded row) compute nothing new.
  for (TIBCurrencyEdit* input : {eDBMJZaklad, eDBSadzbaDPH})
    connect(input, &QLineEdit::textChanged, this, [this, input] {
      if (input->hasFocus()) FollowRate();
    });
  connect(eDBMJDPH, &QLineEdit::textChanged, this, [this] {
    if (eDBMJDPH->hasFocus()) vatFollowsRate_ = false;
    VypocitajCenuSpolu();
  });
  connect(eDBMnozstvo, &QLineEdit::textChanged, this, &TfrmEFakturyPolozkyPridaj::VypocitajCenuSpolu);
}

TfrmEFakturyPolozkyPridaj::~TfrmEFakturyPolozkyPridaj() = default;

namespace {
int RateOf(const TIBCurrencyEdit& edit) { return int(std::trunc(AmountOf(edit))); }
} // namespace

void TfrmEFakturyPolozkyPridaj::FollowRate() {
  vatFollowsRate_ = true;
  eDBMJDPH->SetValue(FromCents(VatCents(ToCents(AmountOf(*eDBMJZaklad)), RateOf(*eDBSadzbaDPH))));
  VypocitajCenuSpolu();
}

void TfrmEFakturyPolozkyPridaj::LoadLineVat(const QVariant& stored) {
  // A stored VAT other than the base's at the rate was typed by hand: shown as it was.
  const qint64 base = LineCents(ToCents(AmountOf(*eDBMJZaklad)), ToThousandths(AmountOf(*eDBMnozstvo)));
  vatFollowsRate_ = !stored.isNull() && ToCents(stored.toDouble()) == VatCents(base, RateOf(*eDBSadzbaDPH));
  VypocitajCenuSpolu();
}

void TfrmEFakturyPolozkyPridaj::VypocitajCenuSpolu() {
  const qint64 price = ToCents(AmountOf(*eDBMJZaklad)), unitVat = ToCents(AmountOf(*eDBMJDPH));
  const qint64 quantity = ToThousandths(AmountOf(*eDBMnozstvo));
  const qint64 base = LineCents(price, quantity);
  const qint64 vat = vatFollowsRate_ ? VatCents(base, RateOf(*eDBSadzbaDPH)) : LineCents(unitVat, quantity);
  eMJSpolu->SetValue(FromCents(price + unitVat));
  eSpoluZaklad->SetValue(FromCents(base));
  eSpoluDPH->SetValue(FromCents(vat));
  eSpolu->SetValue(FromCents(base + vat));
}
