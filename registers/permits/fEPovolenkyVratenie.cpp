#include "registers/permits/fEPovolenkyVratenie.h"
#include "app/QPLUnit.h"
#include "app/UnitOfWork.h"
#include "controls/DbGridQPL.h"
#include "controls/IBComboBox.h"
#include "controls/IBMemo.h"
#include "core/DataSet.h"
#include "db/IBQuery.h"
#include "platform/MessageDialogs.h"
#include "registers/common/RegisterControls.h"
#include "registers/permits/PermitQueries.h"
#include "registers/permits/fEPovolenkyVrateniePridaj.h"
#include <QtWidgets/QLayout>

TfrmEPovolenkyVratenie::TfrmEPovolenkyVratenie(QWidget* owner, quint16 rok)
    : TListForm(owner, lbOprav | lbSmer | lbFilter | lbHladaj | lbOznacene | lbRefresh | lbInfo, rok) {
  list.Table = QStringLiteral("e_povolenky2");
  list.Select = SelectPermitsToReturn;
  list.PerYear = true;
  list.Filter = [this](TListQuery& q) {
    AddKeyFilter(q, *eDBClen, QStringLiteral("b.c_clenov=:C_CLENOV"), QStringLiteral("C_CLENOV"));
    AddKeyFilter(q, *eDBOstatni, QStringLiteral("b.nazov_uplny=:NAZOV_UPLNY"), QStringLiteral("NAZOV_UPLNY"));
  };
  list.CreateDialog = [this] { return std::make_unique<TfrmEPovolenkyVrateniePridaj>(this); };
  list.Info = [this] { btnInfoClick(); };
  const QList<TQPLColumn*> columns =
      AddListColumns(*list.gr1, {{"NAZOV_UPLNY", "Priezvisko a meno", 300, "b.nazov_uplny"},
                                 {"DOPLNKOVY_UDAJ", "Č. povolenia", 100, "a.doplnkovy_udaj"},
                                 {"POVOLENKA_VRATENA_DNA", "Vrátená", 75, "a.povolenka_vratena_dna", true},
                                 {"REVIR", "Revír", 200, "c.nazov_uplny"}});
  columns[2]->Alignment = Qt::AlignHCenter;
  BuildFilter();

  ePoznamka = new TIBMemo(this);
  ePoznamka->setObjectName(QStringLiteral("ePoznamka"));
  ePoznamka->SetReadOnly(true);
  ePoznamka->setFocusPolicy(Qt::NoFocus);
  ePoznamka->setFixedHeight(60);
  layout()->addWidget(ePoznamka);
  connect(list.ib1, &TDataSet::DataSetChanged, this, &TfrmEPovolenkyVratenie::ShowNote);
  connect(list.ib1, &TDataSet::Scrolled, this, &TfrmEPovolenkyVratenie::ShowNote);
  list.FormCreate(QStringLiteral("Sumarizácia úlovkov - rok %d"), QSize(720, 420));
}

TfrmEPovolenkyVratenie::~TfrmEPovolenkyVratenie() = default;

void TfrmEPovolenkyVratenie::BuildFilter() {
  QWidget& panel = *list.pnlFilter;
  eDBClen = AddFilterCombo(panel, QStringLiteral("Člen ZO:"), QStringLiteral("eDBClen"), &lblClen,
                           QStringLiteral("TfrmCClenov"));
  SetupMemberCombo(*eDBClen);
  eDBOstatni = AddFilterCombo(panel, QStringLiteral("Ostatní:"), QStringLiteral("eDBOstatni"), &lblOstatni);
  // The holders of payments without a member, of any year, keyed by their name.
  SetupNameLookup(*eDBOstatni, QStringLiteral("e_povolenky"));
  eDBOstatni->SetSKeyField(QStringLiteral("nazov_uplny"));
  eDBOstatni->SetSOrderBy(QStringLiteral("1"));
  eDBOstatni->SetSDistinct(true);
  eDBOstatni->SetSWhere(QStringLiteral("c_clenov is null"));
}

void TfrmEPovolenkyVratenie::ShowNote() {
  const TIBQuery& q = *list.ib1;
  ePoznamka->setPlainText(q.Active() && !q.IsEmpty() ? q.FieldByName(QStringLiteral("POZNAMKA")).AsString()
                                                     : QString());
}

void TfrmEPovolenkyVratenie::btnInfoClick() {
  TIBQuery q;
  q.SetDatabase(list.ib1->Database());
  q.SetTransaction(list.ibt1);
  TReturnCounts counts;
  const TWorkOutcome outcome = RunUnitOfWork(
      *list.ibt1, [&] { counts = CountPermitReturns(q, int(list.Rok)); }, TWorkEnd::KeepOpen);
  if (!outcome) return;
  const QString crlf2 = QStringLiteral("\r\n\r\n");
  MessageDlg(FormatIntegers(QStringLiteral("Celkový počet v evidencii: %d"), {counts.All}) + crlf2 +
                 FormatIntegers(QStringLiteral("Z toho vrátených: %d"), {counts.Returned}) + crlf2 +
                 FormatIntegers(QStringLiteral("Zostáva vrátiť: %d"), {counts.All - counts.Returned}),
             TMsgDlgType::Information, mbOK);
}

void TfrmEPovolenkyVratenie::OpenForMember(QWidget* owner, int clen, int rok) {
  TfrmEPovolenkyVratenie form(owner, quint16(rok));
  ShowForMember(form, *form.eDBClen, clen);
}
