#include "registers/permits/fEPovolenkyHost.h"
#include "app/MyUnitsForms.h"
#include "registers/permits/PermitQueries.h"
#include "registers/permits/PermitRules.h"
#include "registers/permits/fEPovolenkyHostPridaj.h"

TfrmEPovolenkyHost::TfrmEPovolenkyHost(QWidget* owner, quint16 rok, const TGuestRegister& reg)
    : TListForm(owner, kStandardListButtons | lbTlac | lbHladaj, rok), Register(reg) {
  list.Table = QStringLiteral("e_povolenky");
  list.Select = [this](TListQuery& q) { SelectGuestPayments(q, list.Rok, Register.Kind); };
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

TfrmEPovolenkyJUX::TfrmEPovolenkyJUX(QWidget* owner, quint16 rok)
    : TfrmEPovolenkyHost(owner, rok, kUnionGuestPermits) {}

TfrmEPovolenkyZO::TfrmEPovolenkyZO(QWidget* owner, quint16 rok) : TfrmEPovolenkyHost(owner, rok, kBranchGuestPermits) {}
