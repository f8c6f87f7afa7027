#include "registers/members/fEPosta.h"
#include "controls/DbGridQPL.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/IBEdit.h"
#include "core/DateTime.h"
#include "registers/common/PrintProtocol.h"
#include "registers/members/MemberPrints.h"
#include "registers/members/MemberQueries.h"
#include "registers/members/MemberRecordsSupport.h"
#include "registers/members/fEPostaPridaj.h"
#include <QtCore/QLocale>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>

QString LocaleCurrencyText() { return QLocale().currencySymbol(QLocale::CurrencySymbol); }

void SetupKindCombo(TIBComboBox& combo) {
  SetupOptionCombo(combo, QStringLiteral("typ_posty"), QStringLiteral("text"));
}

TfrmEPosta::TfrmEPosta(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbTlac | lbFilter | lbHladaj, rok) {
  list.Table = QStringLiteral("e_posta");
  list.Select = SelectMail;
  list.PerYear = true;
  list.Filter = [this](TListQuery& q) { AddFilterClauses(q); };
  list.CreateDialog = [this] { return std::make_unique<TfrmEPostaPridaj>(this); };
  list.Print = [this] { PrintRegister(list, MailPrint(Caption(), list.Rok)); };
  AddListColumns(*list.gr1, {{"CISLO", "Por. číslo", 64, "a.cislo"},
                             {"DATUM", "Dátum", 64, "a.datum", true},
                             {"DRUH", "Druh", 48, "b.text", true},
                             {"VEC", "Vec", 238, "a.vec"},
                             {"NAZOV_UPLNY", "Odosielateľ / Adresát", 265, "a.nazov_uplny"},
                             {"VYBAVENE_DATUM", "Vybavené", 68, "a.vybavene_datum", true}});

  auto* grid = new QGridLayout;
  delete list.pnlFilter->layout();
  list.pnlFilter->setLayout(grid);
  list.pnlFilter->setFixedHeight(103);
  auto place = [&](int row, int column, const QString& caption, QWidget* control) {
    auto* label = new QLabel(caption, list.pnlFilter);
    label->setBuddy(control);
    grid->addWidget(label, row, column);
    grid->addWidget(control, row, column + 1);
  };
  eDatumOd = new TIBDate(list.pnlFilter);
  eDatumOd->setObjectName(QStringLiteral("eDatumOd"));
  place(0, 0, QStringLiteral("Dátum od:"), eDatumOd);
  eDatumDo = new TIBDate(list.pnlFilter);
  eDatumDo->setObjectName(QStringLiteral("eDatumDo"));
  place(0, 2, QStringLiteral("do:"), eDatumDo);
  eDruh = new TIBComboBox(list.pnlFilter);
  eDruh->setObjectName(QStringLiteral("eDruh"));
  SetupKindCombo(*eDruh);
  place(1, 0, QStringLiteral("Druh pošty:"), eDruh);
  ePostovne = new TIBCurrencyEdit(list.pnlFilter);
  ePostovne->setObjectName(QStringLiteral("ePostovne"));
  ePostovne->SetDecimals(2);
  ePostovne->SetMaxLength(14);
  place(1, 2, QStringLiteral("Poštovné:"), ePostovne);
  MenaLB = new QLabel(LocaleCurrencyText(), list.pnlFilter);
  grid->addWidget(MenaLB, 1, 4);
  eKontakt = new TIBComboBox(list.pnlFilter);
  eKontakt->setObjectName(QStringLiteral("eKontakt"));
  SetupTextCombo(*eKontakt, QStringLiteral("e_posta"), QStringLiteral("nazov_uplny"), 75, 1019);
  eKontakt->SetSUseBasicASCIIColumn(true);
  eKontakt->SetSWhere(YearCondition(list.Rok));
  place(2, 0, QStringLiteral("Kontakt:"), eKontakt);
  eVec = new TIBEdit(list.pnlFilter);
  eVec->setObjectName(QStringLiteral("eVec"));
  eVec->setMaxLength(75);
  place(2, 2, QStringLiteral("Vec, obsah:"), eVec);
  grid->addWidget(new QLabel(QStringLiteral("(obsahuje text)"), list.pnlFilter), 2, 4);
  ePrideleneKomu = new TIBComboBox(list.pnlFilter);
  ePrideleneKomu->setObjectName(QStringLiteral("ePrideleneKomu"));
  SetupTextCombo(*ePrideleneKomu, QStringLiteral("e_posta"), QStringLiteral("pridelene_komu"), 75, 1019);
  place(3, 0, QStringLiteral("Pridelené:"), ePrideleneKomu);
  list.FormCreate(QStringLiteral("Evidencia pošty - rok %d"), QSize(794, 253));
}

TfrmEPosta::~TfrmEPosta() = default;

void TfrmEPosta::AddFilterClauses(TListQuery& q) {
  AddRangeFilter(q, QStringLiteral("a.datum"), QStringLiteral("DATUM"), DateBound(*eDatumOd), DateBound(*eDatumDo));
  AddKeyFilter(q, *eDruh, QStringLiteral("a.druh=:DRUH"), QStringLiteral("DRUH"));
  if (ePostovne->Value() != 0) {
    q.Where(QStringLiteral("a.postovne=:POSTOVNE"));
    q.Params.insert(QStringLiteral("POSTOVNE"), ePostovne->Value());
  }
  AddKeyFilter(q, *eKontakt, QStringLiteral("a.nazov_uplny=:NAZOV_UPLNY"), QStringLiteral("NAZOV_UPLNY"));
  if (!eVec->text().trimmed().isEmpty()) {
    q.Where(QStringLiteral("a.vec containing :VEC"));
    q.Params.insert(QStringLiteral("VEC"), eVec->text());
  }
  AddKeyFilter(q, *ePrideleneKomu, QStringLiteral("a.PRIDELENE_KOMU=:PRIDELENE_KOMU"),
               QStringLiteral("PRIDELENE_KOMU"));
}
