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
#include "registers/permits/fEPovolenkyVrateniePridaj.h"
#include <QtWidgets/QLayout>

TfrmEPovolenkyVratenie::TfrmEPovolenkyVratenie(QWidget* owner, quint16 rok)
    : TListForm(owner, lbOprav | lbSmer | lbFilter | lbHladaj | lbOznacene | lbRefresh | lbInfo, rok) {
  list.Table = QStringLiteral("e_povolenky2");
  list.Select = [](TListQuery& q) {
    q.Add(QStringLiteral("select a.jedin,a.povolenka_vratena_dna,a.doplnkovy_udaj,"));
    q.Add(QStringLiteral("b.nazov_uplny,c.nazov_uplny as revir, b.poznamka"));
    q.Add(QStringLiteral("from e_povolenky2 a"));
    q.Add(QStringLiteral("left join e_povolenky b on b.jedin=a.e_povolenky"));
    q.Add(QStringLiteral("left join c_reviry_jux c on c.jedin=a.c_reviry_jux"));
    // The permits to be returned.
    q.Where(QStringLiteral("a.typ_platby=0"));
  };
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
  // The whole year, whatever the filter and the marks show.
  const auto count = [&](const QString& condition) {
    q.SetSQL(QStringLiteral("select count(*) from e_povolenky2 a\nwhere a.rok=:ROK and a.typ_platby=0") + condition);
    q.ParamByName(QStringLiteral("ROK")).SetValue(int(list.Rok));
    q.Open();
    const qint64 counted = q.FieldByNumber(0).AsInteger();
    q.Close();
    return counted;
  };
  qint64 all = 0, returned = 0;
  const TWorkOutcome outcome = RunUnitOfWork(
      *list.ibt1,
      [&] {
        all = count(QString());
        returned = count(QStringLiteral("\nand a.POVOLENKA_VRATENA_DNA is not null"));
      },
      TWorkEnd::KeepOpen);
  if (!outcome) return;
  const QString crlf2 = QStringLiteral("\r\n\r\n");
  MessageDlg(FormatIntegers(QStringLiteral("Celkový počet v evidencii: %d"), {all}) + crlf2 +
                 FormatIntegers(QStringLiteral("Z toho vrátených: %d"), {returned}) + crlf2 +
                 FormatIntegers(QStringLiteral("Zostáva vrátiť: %d"), {all - returned}),
             TMsgDlgType::Information, mbOK);
}

void TfrmEPovolenkyVratenie::OpenForMember(QWidget* owner, int clen, int rok) {
  TfrmEPovolenkyVratenie form(owner, quint16(rok));
  ShowForMember(form, *form.eDBClen, clen);
}
