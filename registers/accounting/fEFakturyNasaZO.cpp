#include "registers/accounting/fEFakturyNasaZO.h"
#include "app/AppContext.h"
#include "app/ToolBar.h"
#include "controls/IBEdit.h"
#include "controls/QPLBtn.h"
#include "registers/common/RegisterLayout.h"
#include <QtWidgets/QVBoxLayout>

TNasaZO TNasaZO::FromOrganizacia() {
  const TOrganizacia& o = Organizacia;
  return {o.Nazov,       o.Ulica,     o.PSC,       o.Mesto, o.ICO, o.DIC, o.ICDPH, o.Banka_Predcislie,
          o.Banka_Cislo, o.Banka_Kod, o.Banka_IBAN};
}

std::array<QString*, 11> TNasaZO::Parts() {
  return {&Nazov, &Ulica, &PSC, &Mesto, &ICO, &DIC, &ICDPH, &UcetPredcislie, &UcetCislo, &UcetKod, &UcetIBAN};
}

TfrmEFakturyNasaZO::TfrmEFakturyNasaZO(QWidget* owner) : TDialogForm(owner) {
  auto* body = new QWidget(this);
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(0, 0, 0, 0);
  TRegisterLayout controls(*body);
  AddIdentityRows(controls, identity);
  column->addWidget(controls.Widget());
  btnNacitaj = new TSpeedButton(body);
  btnNacitaj->setObjectName(QStringLiteral("btnNacitaj"));
  btnNacitaj->setText(QStringLiteral("Načítaj"));
  btnNacitaj->setToolTip(QStringLiteral("Údaje organizácie z nastavení programu"));
  column->addWidget(btnNacitaj, 0, Qt::AlignLeft);
  connect(btnNacitaj, &QToolButton::clicked, this, &TfrmEFakturyNasaZO::btnNacitajClick);
  // No row of its own: the pattern checks the entries and closes.
  dlg.EditCaption = QStringLiteral("Identifikačné údaje našej organizácie");
  dlg.FormCreate(body, QSize(460, 300));
  dlg.btnDalsi->hide();
  SetTag(2);
}

TfrmEFakturyNasaZO::~TfrmEFakturyNasaZO() = default;

void TfrmEFakturyNasaZO::SetEntries(TNasaZO nasaZO) {
  const std::array<QString*, 11> parts = nasaZO.Parts();
  const std::array<TIBEdit*, 11> edits = identity.All();
  for (size_t i = 0; i < edits.size(); ++i)
    edits[i]->setText(*parts[i]);
}

TNasaZO TfrmEFakturyNasaZO::Entries() const {
  TNasaZO nasaZO;
  const std::array<QString*, 11> parts = nasaZO.Parts();
  const std::array<TIBEdit*, 11> edits = identity.All();
  for (size_t i = 0; i < edits.size(); ++i)
    *parts[i] = edits[i]->text();
  return nasaZO;
}

void TfrmEFakturyNasaZO::btnNacitajClick() { SetEntries(TNasaZO::FromOrganizacia()); }
