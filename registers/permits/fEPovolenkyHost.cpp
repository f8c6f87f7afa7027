#include "registers/permits/fEPovolenkyHost.h"
#include "app/MyUnitsForms.h"
#include "registers/permits/PermitRules.h"
#include "registers/permits/fEPovolenkyHostPridaj.h"

TfrmEPovolenkyHost::TfrmEPovolenkyHost(QWidget* owner, quint16 rok, const TGuestRegister& reg)
    : TListForm(owner, kStandardListButtons | lbTlac | lbHladaj, rok), Register(reg) {
  list.Table = QStringLiteral("e_povolenky");
  list.Select = [this](TListQuery& q) {
    q.Add(QStringLiteral("select a.jedin,a.datum,a.spolu,a.nazov_uplny,d.nazov as zo,"));
    q.Add(QStringLiteral("e.nazov as revir,f.text platnost_povolenky,b.doplnkovy_udaj"));
    q.Add(QStringLiteral("from e_povolenky a left join e_povolenky2 b on b.e_povolenky=a.jedin"));
    q.Add(QStringLiteral("left join c_zo d on d.jedin=b.c_zo"));
    q.Add(QStringLiteral("left join c_reviry_jux e on e.jedin=b.c_reviry_jux"));
    q.Add(QStringLiteral("left join ponuky f on f.cislo=b.platnost and f.zaradenie='platnost_povolenky'"));
    q.Where(QStringLiteral("a.rok=:ROK and a.typ_povolenky=:TYP"));
    q.Params.insert(QStringLiteral("ROK"), int(list.Rok));
    q.Params.insert(QStringLiteral("TYP"), Register.Kind);
  };
  list.CreateDialog = [this]() -> std::unique_ptr<TForm> {
    if (Register.HasMember) return std::make_unique<TfrmEPovolenkyJUXPridaj>(this);
    return std::make_unique<TfrmEPovolenkyZOPridaj>(this);
  };
  list.Print = [this] { btnTlacClick(); };
  const QList<TQPLColumn*> columns =
      AddListColumns(*list.gr1, {{"DATUM", "Dátum", 75, "a.datum", true},
                                 {"NAZOV_UPLNY", "Priezvisko a meno", 250, "a.nazov_uplny", true},
                                 {"ZO", "ZO JUX", 120, "d.nazov", true},
                                 {"REVIR", "Revír", 150, "e.nazov", true},
                                 {"PLATNOST_POVOLENKY", "Platnosť", 110, "f.text", true},
                                 {"DOPLNKOVY_UDAJ", "Č. pov.", 80, "b.doplnkovy_udaj", true},
                                 {"SPOLU", "Suma", 70, "a.spolu", true}});
  columns[6]->DisplayFormat = QStringLiteral("#,##0.00");
  list.FormCreate(QString::fromUtf8(Register.ListCaption), QSize(900, 420));
}

TfrmEPovolenkyHost::~TfrmEPovolenkyHost() = default;

void TfrmEPovolenkyHost::btnTlacClick() {
  TempSpracujStoreGrid(*list.gr1, QStringLiteral("74FBA026-8F7F-4A58"), false);
  PrintHostPermitPayment();
}

TfrmEPovolenkyJUX::TfrmEPovolenkyJUX(QWidget* owner, quint16 rok) : TfrmEPovolenkyHost(owner, rok, kUnionGuestPermits) {}

TfrmEPovolenkyZO::TfrmEPovolenkyZO(QWidget* owner, quint16 rok) : TfrmEPovolenkyHost(owner, rok, kBranchGuestPermits) {}
