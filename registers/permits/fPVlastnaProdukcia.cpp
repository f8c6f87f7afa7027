#include "registers/permits/fPVlastnaProdukcia.h"
#include "app/AppContext.h"
#include "app/MyUnitsForms.h"
#include "app/QPLUnit.h"
#include "controls/IBComboBox.h"
#include "registers/common/PrintProtocol.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include <QtWidgets/QVBoxLayout>

namespace {

// The rows of one ground and year: ROK and REVIR bound.
TRegisterPrint::TDataSet GroundDataSet(const char* alias, QStringList sql, int revir, quint16 rok) {
  return {QLatin1String(alias), std::move(sql), {{QStringLiteral("REVIR"), revir}, {QStringLiteral("ROK"), rok}}};
}

} // namespace

TfrmPVlastnaProdukcia::TfrmPVlastnaProdukcia(QWidget* owner, quint16 rok) : TPrintParametersForm(owner), rok_(rok) {
  SetCaption(QStringLiteral("Tlač prehľadu hospodárenia revíru..."));
  TRegisterLayout controls(*this);
  controls.Label(QStringLiteral("Revír:"));
  eDBRevir = AddPickerCombo(controls, QStringLiteral("eDBRevir"), btnRevir, QStringLiteral("TfrmCReviryJUX"));
  SetupRevirCombo(*eDBRevir);
  eDBRevir->SetSWhere(YearCondition(rok));
  eDBRevir->SetRequired(true);
  eDBRevir->setMinimumWidth(420);
  eDBRevir->ClearValue();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(controls.Widget());
  const TButtons buttons = AddButtons(*layout, {.CancelCaption = QStringLiteral("&Nezapíš"), .Images = true});
  btnZapis = buttons.Ok;
  btnNezapis = buttons.Cancel;
}

TfrmPVlastnaProdukcia::~TfrmPVlastnaProdukcia() = default;

void TfrmPVlastnaProdukcia::FormShow() { eDBRevir->setFocus(); }

void TfrmPVlastnaProdukcia::btnZapisClick() {
  if (CheckRequiredInputs(*this)) return;
  try {
    // The ground as its row holds it: a completion still in the combo shows
    // the typed letters as typed.
    PrintRegister(GroundReport(eDBRevir->GetKeyValue().toInt(), eDBRevir->RowText(), rok_), rok_);
  } catch (...) {
    // Reported by the print protocol's handler and raised again: the dialog closes all the same.
    SetModalResult(mrOk);
    throw;
  }
  SetModalResult(mrOk);
}

TRegisterPrint TfrmPVlastnaProdukcia::GroundReport(int revir, const QString& revirText, quint16 rok) {
  TRegisterPrint print;
  print.AllRows = false;
  print.Title = QStringLiteral("Tlač prehľadu hospodárenia revíru...");
  print.Template = QStringLiteral("VlastnaProdukcia.rpf");
  print.Variables = {{QStringLiteral(" Nastavenia"), {{QStringLiteral("Revir"), revirText}}}};
  print.NoData = TRegisterPrint::TNoData::AllEmpty;
  print.DataSets = {
      GroundDataSet("ZARYBNOVANIE",
                    {QStringLiteral("SELECT B.DATUM,C.NAZOV AS RYBA,A.VELKOST,A.CENA_MJ,B.MNOZSTVO,A.MJ,"),
                     QStringLiteral("A.CENA_MJ*B.MNOZSTVO AS SPOLU"), QStringLiteral("FROM E_ZARYBNOVANIE_ZDROJ A"),
                     QStringLiteral("LEFT JOIN E_ZARYBNOVANIE_REVIR B ON B.E_ZARYBNOVANIE_ZDROJ=A.JEDIN"),
                     QStringLiteral("LEFT JOIN C_DRUHY_RYB C ON C.JEDIN=A.C_DRUHY_RYB"),
                     QStringLiteral("WHERE B.C_REVIRY_JUX=:REVIR AND A.ROK=:ROK"),
                     QStringLiteral("ORDER BY B.DATUM,C.NAZOV,A.VELKOST")},
                    revir, rok),
      GroundDataSet("KONTROLORI",
                    {QStringLiteral("SELECT A.KONTROLA_OD, A.KONTROLA_DO, C.NAZOV_UPLNY AS KONTROLOR,"),
                     QStringLiteral("B.CISLO_ODZNAKU,B.CISLO_OSVEDCENIA"), QStringLiteral("FROM E_RS_KONTROLORI D"),
                     QStringLiteral("LEFT JOIN E_RS A ON A.JEDIN=D.E_RS"),
                     QStringLiteral("LEFT JOIN C_CLENOV_RS B ON B.JEDIN=D.C_CLENOV_RS"),
                     QStringLiteral("LEFT JOIN C_CLENOV C ON C.JEDIN=B.C_CLENOV"),
                     QStringLiteral("WHERE A.C_REVIRY_JUX=:REVIR AND A.ROK=:ROK"),
                     QStringLiteral("ORDER BY A.KONTROLA_OD,C.NAZOV_UPLNY")},
                    revir, rok),
      GroundDataSet("KONTROLOVANI",
                    {QStringLiteral("SELECT B.KONTROLA_OD,B.KONTROLA_DO,A.NAZOV_UPLNY,A.CISLO_POVOLENIA,A.PRIESTUPOK"),
                     QStringLiteral("FROM E_RS_KONTROLOVANI A"), QStringLiteral("LEFT JOIN E_RS B ON B.JEDIN=A.E_RS"),
                     QStringLiteral("WHERE A.C_REVIRY_JUX=:REVIR AND B.ROK=:ROK"),
                     QStringLiteral("ORDER BY B.KONTROLA_OD,A.NAZOV_UPLNY")},
                    revir, rok),
      GroundDataSet("BRIGADY",
                    {QStringLiteral("SELECT A.DATUM,A.HODINY,A.POPIS,B.NAZOV_UPLNY AS CLEN,"),
                     QStringLiteral("A.SUKROMNE_VOZIDLO,A.AUTO_SPOLU,C.NAZOV AS TYP"),
                     QStringLiteral("FROM E_BRIGADY A"), QStringLiteral("LEFT JOIN C_CLENOV B ON B.JEDIN=A.C_CLENOV"),
                     QStringLiteral("LEFT JOIN C_TYPY_BRIGAD C ON C.JEDIN=A.C_TYPY_BRIGAD"),
                     QStringLiteral("WHERE A.C_REVIRY_JUX=:REVIR AND A.ROK=:ROK"),
                     QStringLiteral("ORDER BY A.DATUM,B.NAZOV_UPLNY")},
                    revir, rok),
      GroundDataSet("VYLOV",
                    {QStringLiteral("SELECT A.DATUM,C.NAZOV AS RYBA,A.VELKOST,A.CENA_MJ,A.MNOZSTVO,A.MJ,"),
                     QStringLiteral("A.CENA_MJ*A.MNOZSTVO AS SPOLU"), QStringLiteral("FROM E_ZARYBNOVANIE_ZDROJ A"),
                     QStringLiteral("LEFT JOIN C_DRUHY_RYB C ON C.JEDIN=A.C_DRUHY_RYB"),
                     QStringLiteral("WHERE A.C_REVIRY_JUX=:REVIR AND A.ROK=:ROK"),
                     QStringLiteral("ORDER BY A.DATUM,C.NAZOV,A.VELKOST")},
                    revir, rok),
      GroundDataSet("KRMIVO",
                    {QStringLiteral("SELECT A.DATUM,A.JC,A.MNOZSTVO,A.MJ,A.SPOLU,B.NAZOV"),
                     QStringLiteral("FROM E_KRMENIA A"), QStringLiteral("LEFT JOIN C_KRMIV B ON B.JEDIN=A.C_KRMIV"),
                     QStringLiteral("WHERE A.C_REVIRY_JUX=:REVIR AND A.ROK=:ROK")},
                    revir, rok),
  };
  return print;
}
