#include "registers/members/fEPriestupkyPridaj.h"
#include "app/ToolBar.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "controls/IBMemo.h"
#include "core/DateTime.h"
#include "registers/common/RegisterLayout.h"
#include "registers/members/MemberRecordsSupport.h"
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QVBoxLayout>

namespace {
// Rows close together, without a margin of their own: the columns fit the
// dialog's height.
void Tighten(const TRegisterLayout& rows) {
  auto* layout = static_cast<QFormLayout*>(rows.Widget()->layout());
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setVerticalSpacing(3);
}
} // namespace

TfrmEPriestupkyPridaj::TfrmEPriestupkyPridaj(QWidget* owner) : TDialogForm(owner) {
  // Two columns, as short as the dialog's place asks: when and who on the
  // left, where, what and the fine on the right.
  auto* body = new QWidget(this);
  auto* columns = new QHBoxLayout(body);
  columns->setContentsMargins(0, 0, 0, 0);
  auto* left = new QVBoxLayout;
  columns->addLayout(left, 1);
  TRegisterLayout controls(*body);
  controls.Label(QStringLiteral("Dátum:"));
  eDBDatum = controls.Add<TIBDate>(QStringLiteral("eDBDatum"));
  controls.Label(QStringLiteral("Člen:"));
  eDBClen = AddPickerCombo(controls, QStringLiteral("eDBClen"), btnClen, QStringLiteral("TfrmCClenov"));
  SetupMemberEntry(*eDBClen);
  SetupPersonKeys(*eDBClen);
  connect(eDBClen, &TIBComboBox::OnChange, this, &TfrmEPriestupkyPridaj::eDBClenChange);
  left->addWidget(controls.Widget());

  auto* person = new QGroupBox(QStringLiteral(" Rybár: "), body);
  person->setObjectName(QStringLiteral("gbxRybar"));
  auto* personLayout = new QVBoxLayout(person);
  personLayout->setContentsMargins(4, 0, 4, 0);
  TRegisterLayout personRows(*person);
  eDBTitul = AddText(personRows, QStringLiteral("Titul"), QStringLiteral("eDBTitul"), 15);
  eDBMeno = AddText(personRows, QStringLiteral("Meno"), QStringLiteral("eDBMeno"), 25);
  eDBPriezvisko = AddText(personRows, QStringLiteral("Priezvisko"), QStringLiteral("eDBPriezvisko"), 25);
  eDBUlica = AddText(personRows, QStringLiteral("Ulica"), QStringLiteral("eDBUlica"), 25);
  personRows.Label(QStringLiteral("PSČ, Mesto"));
  std::tie(eDBPSC, eDBMesto) =
      personRows.AddPair<TIBEdit, TIBEdit>(QStringLiteral("eDBPSC"), 5, QStringLiteral("eDBMesto"), 25);
  eDBPSC->SetOnlyNumbers(true);
  eDBPSC->setFixedWidth(eDBPSC->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 8);
  personRows.Label(QStringLiteral("Dátum narodenia"));
  eDBDatumNarodenia = personRows.Add<TIBDate>(QStringLiteral("eDBDatumNarodenia"));
  personLayout->addWidget(personRows.Widget());
  for (const TRegisterLayout* rows : {&controls, &personRows})
    Tighten(*rows);
  left->addWidget(person);
  left->addStretch();

  auto* right = new QVBoxLayout;
  columns->addLayout(right, 1);
  TRegisterLayout offence(*body);
  offence.Label(QStringLiteral("Revír:"));
  eDBRevir = AddPickerCombo(offence, QStringLiteral("eDBRevir"), btnRevir, QStringLiteral("TfrmCReviryJUX"));
  SetupRevirCombo(*eDBRevir);
  offence.Label(QStringLiteral("Priestupok:"));
  eDBPriestupok = offence.Add<TIBComboBox>(QStringLiteral("eDBPriestupok"));
  SetupTextCombo(*eDBPriestupok, QStringLiteral("e_priestupky"), QStringLiteral("priestupok"), 0, 0);
  eDBPokuta = AddAmount(offence, QStringLiteral("Pokuta:"), QStringLiteral("eDBPokuta"), 2, 14);
  offence.Label(QStringLiteral("Zaplatená:"));
  eDBDatumZaplatenia = offence.Add<TIBDate>(QStringLiteral("eDBDatumZaplatenia"));
  eDBPokutaZaplatena = AddAmount(offence, QStringLiteral("Zaplatené:"), QStringLiteral("eDBPokutaZaplatena"), 2, 14);
  for (TIBCurrencyEdit* edit : {eDBPokuta, eDBPokutaZaplatena}) {
    edit->SetMoneyColor(true);
    connect(edit, &QLineEdit::textChanged, this, &TfrmEPriestupkyPridaj::eDBPokutaChange);
  }
  Tighten(offence);
  right->addWidget(offence.Widget());
  eDBPoznamka = NewNoteBox(body, QStringLiteral(" Poznámka:                   CTRL+Enter = nový riadok"));
  right->addWidget(eDBPoznamka->parentWidget(), 1);
  TRegisterLayout settled(*body);
  eDBVybaveny = AddCheckRow(settled, QString(), QStringLiteral("eDBVybaveny"), QStringLiteral("Priestupok vybavený:"));
  right->addWidget(settled.Widget());

  dlg.AddCaption = QStringLiteral("Pridanie disciplinárneho priestupku");
  dlg.EditCaption = QStringLiteral("Oprava disciplinárneho priestupku");
  dlg.Table = QStringLiteral("E_PRIESTUPKY");
  dlg.PerYear = true;
  dlg.Field(QStringLiteral("DATUM"), eDBDatum).Required().Default([] { return DateTime::Today(); });
  dlg.Field(QStringLiteral("C_REVIRY_JUX"), eDBRevir).Required();
  // The person as stored with the offence, not as the member is now: the
  // member's data are copied when he is chosen, and loaded after him.
  dlg.Field(QStringLiteral("C_CLENOV"), eDBClen);
  BindPersonFields(dlg, {eDBTitul, eDBMeno, eDBPriezvisko, eDBUlica, eDBPSC, eDBMesto, eDBDatumNarodenia});
  dlg.Field(QStringLiteral("PRIESTUPOK"), eDBPriestupok).Required();
  // The fine and the settlement repeat for the next offender of a series.
  dlg.Field(QStringLiteral("POKUTA"), eDBPokuta).Kept();
  dlg.Field(QStringLiteral("DATUM_ZAPLATENIA"), eDBDatumZaplatenia);
  dlg.Field(QStringLiteral("POKUTA_ZAPLATENA"), eDBPokutaZaplatena);
  dlg.Field(QStringLiteral("POZNAMKA"), eDBPoznamka);
  dlg.Field(QStringLiteral("VYBAVENY"), eDBVybaveny).Kept();
  dlg.FormCreate(body, QSize(709, 317));
}

TfrmEPriestupkyPridaj::~TfrmEPriestupkyPridaj() = default;

void TfrmEPriestupkyPridaj::FormShow() {
  // A new offence happens on a ground of the dialog's year; an old one keeps any year's.
  eDBRevir->SetSWhere(dlg.Mode() == TDialogMode::Add ? YearCondition(dlg.Rok) : TSqlCondition());
  dlg.FormShow();
}

void TfrmEPriestupkyPridaj::eDBClenChange() {
  FollowMember(*eDBClen, {eDBTitul, eDBMeno, eDBPriezvisko, eDBUlica, eDBPSC, eDBMesto, eDBDatumNarodenia});
}

void TfrmEPriestupkyPridaj::eDBPokutaChange() {
  if (eDBPokuta->Value() != 0 && eDBPokutaZaplatena->Value() == eDBPokuta->Value()) eDBVybaveny->SetCheckedValue(1);
}
