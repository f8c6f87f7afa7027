#include "app/fNNastavenia.h"
#include "app/AppContext.h"
#include "app/AppData.h"
#include "app/FormActions.h"
#include "app/FormRegistry.h"
#include "app/QPLUnit.h"
#include "app/UnitOfWork.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBEdit.h"
#include "controls/QPLBtn.h"
#include "controls/UxPlacemnt.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/MessageDialogs.h"
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QToolButton>
#include <cmath>
#include <memory>

namespace {

TIBEdit* MakeEdit(QWidget* parent, const char* name, int maxLength, bool digitsOnly) {
  auto* edit = new TIBEdit(parent);
  edit->setObjectName(QLatin1String(name));
  edit->setMaxLength(maxLength);
  edit->SetOnlyNumbers(digitsOnly);
  return edit;
}

TIBComboBox* MakeOrganisationCombo(QWidget* parent, const char* name, TIBDatabase* database) {
  auto* combo = new TIBComboBox(parent);
  combo->setObjectName(QLatin1String(name));
  combo->SetDatabase(database);
  combo->SetSTableName(QStringLiteral("C_ZO"));
  combo->SetSAppendFromField(QStringLiteral("nazov"));
  combo->SetSKeyField(QStringLiteral("jedin"));
  combo->SetSOrderBy(QStringLiteral("nazov"));
  combo->SetSAutoAppend(true);
  combo->SetDropDownCount(30);
  combo->SetSTimerInterval(500);
  combo->SetRequired(true);
  if (combo->lineEdit()) combo->lineEdit()->setMaxLength(25);
  return combo;
}

QToolButton* MakeDotsButton(QWidget* parent, const char* name) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setText(QStringLiteral("..."));
  button->setFocusPolicy(Qt::NoFocus);
  // The local-organisation list is a form of its own library; without it
  // the combo alone chooses.
  button->setVisible(FormRegistry::IsRegistered(QStringLiteral("TfrmCZO")));
  return button;
}

} // namespace

TfrmNNastavenia::TfrmNNastavenia(QWidget* owner, TIBDatabase* database)
    : TForm(owner), database_(database ? database : MainDatabase()) {
  setObjectName(QStringLiteral("frmNNastavenia"));
  SetCaption(QStringLiteral("Nastavenia programu..."));
  SetKeyPreview(true);

  ibt1 = new TIBTransaction(database_, TIBTransactionKind::ReadCommitted, this);
  ib1 = new TIBQuery(this);
  ib1->SetDatabase(database_);
  ib1->SetTransaction(ibt1);
  fp = new TUxFormPlacement(this);
  fp->SetOptions(fpPosition);
  fp->SetUseRegistry(true);

  gbOrganizacia = new QGroupBox(QStringLiteral(" Identifikačné údaje základnej organizácie: "), this);
  eDBNazov = MakeEdit(gbOrganizacia, "eDBNazov", 50, false);
  eDBNazov->SetRequired(true);
  eDBUlica = MakeEdit(gbOrganizacia, "eDBUlica", 50, false);
  eDBPSC = MakeEdit(gbOrganizacia, "eDBPSC", 5, false);
  eDBMesto = MakeEdit(gbOrganizacia, "eDBMesto", 50, false);
  eDBICO = MakeEdit(gbOrganizacia, "eDBICO", 10, true);
  eDBDIC = MakeEdit(gbOrganizacia, "eDBDIC", 10, true);
  eDBICDPH = MakeEdit(gbOrganizacia, "eDBICDPH", 12, false);
  eDBUcetPredcislie = MakeEdit(gbOrganizacia, "eDBUcetPredcislie", 6, true);
  eDBUcetCislo = MakeEdit(gbOrganizacia, "eDBUcetCislo", 10, true);
  eDBUcetKod = MakeEdit(gbOrganizacia, "eDBUcetKod", 4, true);
  eDBUcetIBAN = MakeEdit(gbOrganizacia, "eDBUcetIBAN", 50, false);

  auto* org = new QGridLayout(gbOrganizacia);
  auto label = [](const char* text) { return new QLabel(QString::fromUtf8(text)); };
  org->addWidget(label("Názov:"), 0, 0);
  org->addWidget(eDBNazov, 0, 1, 1, 5);
  org->addWidget(label("Ulica:"), 1, 0);
  org->addWidget(eDBUlica, 1, 1, 1, 5);
  org->addWidget(label("PSČ a mesto:"), 2, 0);
  org->addWidget(eDBPSC, 2, 1);
  org->addWidget(eDBMesto, 2, 2, 1, 4);
  org->addWidget(label("IČO:"), 3, 0);
  org->addWidget(eDBICO, 3, 1, 1, 2);
  org->addWidget(label("DIČ:"), 4, 0);
  org->addWidget(eDBDIC, 4, 1, 1, 2);
  org->addWidget(label("IČ pre DPH:"), 5, 0);
  org->addWidget(eDBICDPH, 5, 1, 1, 2);
  org->addWidget(label("Číslo účtu:"), 6, 0);
  org->addWidget(eDBUcetPredcislie, 6, 1);
  org->addWidget(label("-"), 6, 2, Qt::AlignCenter);
  org->addWidget(eDBUcetCislo, 6, 3);
  org->addWidget(label("/"), 6, 4, Qt::AlignCenter);
  org->addWidget(eDBUcetKod, 6, 5);
  org->addWidget(label("Číslo IBAN:"), 7, 0);
  org->addWidget(eDBUcetIBAN, 7, 1, 1, 5);

  eZO = MakeOrganisationCombo(this, "eZO", database_);
  eJUX = MakeOrganisationCombo(this, "eJUX", database_);
  btnZO = MakeDotsButton(this, "btnZO");
  btnJUX = MakeDotsButton(this, "btnJUX");
  eBrigadaHodiny = new TIBCurrencyEdit(this);
  eBrigadaHodiny->setObjectName(QStringLiteral("eBrigadaHodiny"));
  eBrigadaHodiny->SetDecimals(0);
  eBrigadaHodiny->SetMaxLength(3);
  eBrigadaHodiny->SetAllowZero(true);
  eBrigadaHodiny->SetAllowNegative(true);
  ePriezviskaVelkymi = new QCheckBox(this);
  ePriezviskaVelkymi->setObjectName(QStringLiteral("ePriezviskaVelkymi"));

  auto* settings = new QGridLayout;
  settings->addWidget(label("ZO JUX:"), 0, 0);
  settings->addWidget(eZO, 0, 1, 1, 2);
  settings->addWidget(btnZO, 0, 3);
  settings->addWidget(label("Rada JUX:"), 1, 0);
  settings->addWidget(eJUX, 1, 1, 1, 2);
  settings->addWidget(btnJUX, 1, 3);
  settings->addWidget(label("Odrobiť brigád:"), 2, 0);
  settings->addWidget(eBrigadaHodiny, 2, 1);
  settings->addWidget(label("počet hodín, ktoré sa vyžadujú odrobiť od člena"), 2, 2, 1, 2);
  settings->addWidget(label("Automaticky konvertovať priezviská na veľké písmená:"), 3, 0, 1, 2);
  settings->addWidget(ePriezviskaVelkymi, 3, 2);

  btnZapis = new TQPLBtn(QStringLiteral(" &OK"), this);
  btnZapis->setObjectName(QStringLiteral("btnZapis"));
  btnNezapis = new TQPLBtn(QStringLiteral("&Nezapíš"), this);
  btnNezapis->setObjectName(QStringLiteral("btnNezapis"));
  btnNezapis->SetCancel(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnZapis);
  buttons->addWidget(btnNezapis);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(gbOrganizacia);
  layout->addLayout(settings);
  layout->addLayout(buttons);

  connect(btnZapis, &QPushButton::clicked, this, &TfrmNNastavenia::btnZapisClick);
  connect(btnNezapis, &QPushButton::clicked, this, &TfrmNNastavenia::btnNezapisClick);
  connect(btnZO, &QToolButton::clicked, this, &TfrmNNastavenia::btnZOClick);
  connect(btnJUX, &QToolButton::clicked, this, &TfrmNNastavenia::btnJUXClick);
  connect(eZO, &TIBComboBox::OnCtrlEnter, this, &TfrmNNastavenia::btnZOClick);
  connect(eJUX, &TIBComboBox::OnCtrlEnter, this, &TfrmNNastavenia::btnJUXClick);
  FormCreate();
}

QList<TfrmNNastavenia::TKey> TfrmNNastavenia::Keys() const {
  return {{"ORG_NAZOV", eDBNazov},
          {"ORG_ULICA", eDBUlica},
          {"ORG_PSC", eDBPSC},
          {"ORG_MESTO", eDBMesto},
          {"ORG_ICO", eDBICO},
          {"ORG_DIC", eDBDIC},
          {"ORG_ICDPH", eDBICDPH},
          {"ORG_BANKA_PREDCISLIE", eDBUcetPredcislie},
          {"ORG_BANKA_CISLO", eDBUcetCislo},
          {"ORG_BANKA_KOD", eDBUcetKod},
          {"ORG_BANKA_IBAN", eDBUcetIBAN},
          {"ZO_JEDIN", eZO},
          {"JUX_JEDIN", eJUX},
          {"BRIGADA_PREDPISANA", eBrigadaHodiny},
          {"PRIEZVISKA_VELKYMI", ePriezviskaVelkymi}};
}

void TfrmNNastavenia::FormCreate() {
  for (const TKey& key : Keys())
    if (auto* edit = qobject_cast<TIBEdit*>(key.control)) edit->clear();
  eZO->ClearValue();
  eJUX->ClearValue();
}

void TfrmNNastavenia::FormShow() {
  RunUnitOfWork(*ibt1, [this] {
    for (const TKey& key : Keys())
      Nacitaj(QLatin1String(key.key), key.control);
    RequireOrganisations();
  });
  eDBNazov->setFocus();
}

void TfrmNNastavenia::RequireOrganisations() {
  ib1->Close();
  const bool listed = AppData::AnyOrganization(*ib1);
  for (TIBComboBox* combo : {eZO, eJUX})
    combo->SetRequired(listed);
}

void TfrmNNastavenia::Nacitaj(const QString& key, QWidget* control) {
  ib1->Close();
  // A missing row reads as empty text and Null number.
  const QVariant number = AppData::Setting(*ib1, QStringLiteral("cislo"), key.toUpper());
  const QString text = AppData::Setting(*ib1, QStringLiteral("text"), key.toUpper()).toString();
  if (auto* money = qobject_cast<TIBCurrencyEdit*>(control)) {
    money->SetValue(number.isNull() ? 0.0 : number.toDouble());
  } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
    check->setChecked(!number.isNull() && number.toInt() == 1);
  } else if (auto* edit = qobject_cast<TIBEdit*>(control)) {
    edit->setText(text);
  } else if (auto* combo = qobject_cast<TIBComboBox*>(control)) {
    if (number.isNull())
      combo->ClearValue();
    else
      combo->FindIt(QVariant(qint64(std::llround(number.toDouble()))));
  } else {
    MessageDlg(control->objectName() + QStringLiteral(" toto nepoznam"), TMsgDlgType::Information, mbOK);
  }
}

void TfrmNNastavenia::Nastav(const QString& key, const QString& text, const QVariant& number) {
  AppData::WriteSetting(*ib1, key.toUpper(), text, number);
}

void TfrmNNastavenia::btnZapisClick() {
  if (RequiredInputFailed({eDBNazov, eZO, eJUX})) return;
  const QVariant zo = eZO->GetKeyValue();
  const QVariant jux = eJUX->GetKeyValue();
  const double hours = eBrigadaHodiny->Value();
  const bool upper = ePriezviskaVelkymi->isChecked();
  const bool saved = RunUnitOfWork(*ibt1, [&] {
                       ib1->Close();
                       for (const TKey& key : Keys())
                         if (auto* edit = qobject_cast<TIBEdit*>(key.control))
                           Nastav(QLatin1String(key.key), edit->text(), 0);
                       // No organisation chosen (none listed yet) stays Null, never key 0.
                       Nastav(QStringLiteral("ZO_JEDIN"), QString(), zo.isNull() ? QVariant() : zo.toDouble());
                       Nastav(QStringLiteral("JUX_JEDIN"), QString(), jux.isNull() ? QVariant() : jux.toDouble());
                       Nastav(QStringLiteral("BRIGADA_PREDPISANA"), QString(), hours);
                       Nastav(QStringLiteral("PRIEZVISKA_VELKYMI"), QString(), upper ? 1 : 0);
                     }).Done;
  // A refused save keeps the dialog open and the run-time records as they were.
  if (!saved) return;
  Organizacia = {eDBNazov->text(),     eDBUlica->text(),   eDBPSC->text(),     eDBMesto->text(),
                 eDBICO->text(),       eDBDIC->text(),     eDBICDPH->text(),   eDBUcetPredcislie->text(),
                 eDBUcetCislo->text(), eDBUcetKod->text(), eDBUcetIBAN->text()};
  ProgramSettings.ZO_JEDIN = zo;
  ProgramSettings.JUX_JEDIN = jux;
  ProgramSettings.BRIGADA_PREDPISANA = qint16(std::trunc(hours));
  ProgramSettings.PRIEZVISKA_VELKYMI = upper;
  if (database_->AttachmentCount() > 1)
    MessageDlg(QStringLiteral("Zmeny nastavenia programu sa prejavia u ostatných užívateľov v sieti pri opätovnom "
                              "spustení programu."),
               TMsgDlgType::Information, mbOK);
  SetModalResult(mrOk);
}

void TfrmNNastavenia::btnNezapisClick() { SetModalResult(mrCancel); }

void TfrmNNastavenia::btnZOClick() { PickOrganisation(btnZO, eZO); }
void TfrmNNastavenia::btnJUXClick() { PickOrganisation(btnJUX, eJUX); }

void TfrmNNastavenia::PickOrganisation(QToolButton* button, TIBComboBox* combo) {
  FormRegistry::Pick(*combo, QStringLiteral("TfrmCZO"), button);
}

bool TfrmNNastavenia::FormKeyDown(QKeyEvent* event) {
  return SaveCancelKeyDown(
      event, [this] { btnNezapisClick(); }, [this] { btnZapisClick(); });
}
