#include "registers/permits/fPUlovkySumarizacia.h"
#include "app/AppContext.h"
#include "app/MyUnitsForms.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBEdit.h"
#include "controls/QPLBtn.h"
#include "controls/UxPlacemnt.h"
#include "platform/MessageDialogs.h"
#include "registers/common/DialogField.h"
#include "registers/common/PrintProtocol.h"
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QVBoxLayout>

namespace {

const QString kPreparerValue = QStringLiteral("vypracoval");
const QString kOrderValue = QStringLiteral("vimekov_triedit");
const QString kOwnGroundsValue = QStringLiteral("nase_reviry");
const QString kOtherGroundsValue = QStringLiteral("ostatne_reviry");
constexpr int kOrderByWeight = 2;

// The condition on the ground of alias `ground`; the own branch's key is bound as ZO.
QString GroundCondition(TCatchGrounds grounds, const QString& ground) {
  switch (grounds) {
  case TCatchGrounds::Own:
    return QStringLiteral("and %1.c_zo=:ZO").arg(ground);
  case TCatchGrounds::Others:
    return QStringLiteral("and %1.c_zo<>:ZO").arg(ground);
  case TCatchGrounds::All:
    break;
  }
  return {};
}

QString GroundsText(TCatchGrounds grounds) {
  switch (grounds) {
  case TCatchGrounds::Own:
    return QStringLiteral("iba za revíry základnej organizácie");
  case TCatchGrounds::Others:
    return QStringLiteral("iba za revíry ostatných organizácií");
  case TCatchGrounds::All:
    break;
  }
  return QStringLiteral("za všetky revíry JUX");
}

QString SuccessOrder(int order) {
  switch (order) {
  case 1:
    return QStringLiteral("order by sum(a.pocet) desc, sum(a.vaha) desc, sum(a.spolu) desc, c.nazov_uplny");
  case 3:
    return QStringLiteral("order by sum(a.spolu) desc, sum(a.vaha) desc, sum(a.pocet) desc, c.nazov_uplny");
  case 4:
    return QStringLiteral("order by c.nazov_uplny, sum(a.vaha) desc, sum(a.spolu) desc, sum(a.pocet) desc");
  default:
    return QStringLiteral("order by sum(a.vaha) desc, sum(a.spolu) desc, sum(a.pocet) desc, c.nazov_uplny");
  }
}

// The catch lines by ground and species, in the given order.
QStringList GroundAndSpeciesSql(const QString& condition, const QString& order) {
  return {QStringLiteral("select sum(a.pocet) as pocet, sum(a.vaha) as vaha,"),
          QStringLiteral("b.nazov as revir, b.cislo as revir_cislo, c.nazov as ryba, sum(a.spolu) as spolu"),
          QStringLiteral("from e_ulovky a"),
          QStringLiteral("left join c_reviry_jux b on b.jedin=a.c_reviry_jux"),
          QStringLiteral("left join c_druhy_ryb c on c.jedin=a.c_druhy_ryb"),
          QStringLiteral("where a.rok=:ROK ") + condition,
          QStringLiteral("group by a.c_reviry_jux, b.nazov, b.cislo, a.c_druhy_ryb, c.nazov"),
          order};
}

} // namespace

TfrmPUlovkySumarizacia::TfrmPUlovkySumarizacia(QWidget* owner, quint16 rok) : TPrintParametersForm(owner), rok_(rok) {
  SetCaption(QStringLiteral("Parametre sumarizácie úlovkov"));
  auto* layout = new QVBoxLayout(this);
  TRegisterLayout preparer(*this);
  eVypracoval = AddText(preparer, QStringLiteral("Vypracoval:"), QStringLiteral("eVypracoval"), 25);
  layout->addWidget(preparer.Widget());

  auto* groundsBox = new QGroupBox(QStringLiteral(" Do sumarizácie úlovkov zahrnúť revíry: "), this);
  groundsBox->setObjectName(QStringLiteral("gbReviry"));
  TRegisterLayout grounds(*groundsBox);
  grounds.Label(QStringLiteral("našej základnej organizácie:"));
  eReviryNase = grounds.Add<TIBCheckBox>(QStringLiteral("eReviryNase"));
  grounds.Label(QStringLiteral("iných zakladných organizácií:"));
  eReviryOstatne = grounds.Add<TIBCheckBox>(QStringLiteral("eReviryOstatne"));
  (new QVBoxLayout(groundsBox))->addWidget(grounds.Widget());
  layout->addWidget(groundsBox);
  // At least one box stays checked: unchecking one checks the other.
  connect(eReviryNase, &QCheckBox::toggled, this, [this](bool on) {
    if (!on) eReviryOstatne->setChecked(true);
  });
  connect(eReviryOstatne, &QCheckBox::toggled, this, [this](bool on) {
    if (!on) eReviryNase->setChecked(true);
  });

  auto* orderBox = new QGroupBox(QStringLiteral(" Tabuľku úspešnosti rybárov zotriediť: "), this);
  orderBox->setObjectName(QStringLiteral("gbUspesnost"));
  TRegisterLayout order(*orderBox);
  eUspesnostZotrieditPodla = order.Add<TIBComboBox>(QStringLiteral("eUspesnostZotrieditPodla"));
  SetupOptionCombo(*eUspesnostZotrieditPodla, QStringLiteral("sumarizacia4"), QStringLiteral("text"));
  eUspesnostZotrieditPodla->SetRequired(true);
  eUspesnostZotrieditPodla->setMinimumWidth(320);
  (new QVBoxLayout(orderBox))->addWidget(order.Widget());
  layout->addWidget(orderBox);

  const TButtons buttons = AddButtons(*layout, {.CancelCaption = QStringLiteral("&Netlač")});
  btnZapis = buttons.Ok;
  btnNezapis = buttons.Cancel;

  fp = new TUxFormPlacement(this);
  fp->setObjectName(QStringLiteral("fp"));
  fp->SetOptions(fpPosition);
  fp->SetUseRegistry(true);
}

TfrmPUlovkySumarizacia::~TfrmPUlovkySumarizacia() = default;

void TfrmPUlovkySumarizacia::FormShow() {
  eVypracoval->setText(fp->ReadString(kPreparerValue));
  eUspesnostZotrieditPodla->FindIt(fp->ReadInteger(kOrderValue, kOrderByWeight));
  // Both first, so that restoring one unchecked box leaves the other as stored.
  eReviryNase->setChecked(true);
  eReviryOstatne->setChecked(true);
  eReviryNase->setChecked(fp->ReadInteger(kOwnGroundsValue, 1) != 0);
  eReviryOstatne->setChecked(fp->ReadInteger(kOtherGroundsValue, 1) != 0);
  eVypracoval->setFocus(Qt::TabFocusReason);
}

void TfrmPUlovkySumarizacia::FormClose(TCloseAction&) {
  fp->WriteString(kPreparerValue, eVypracoval->text());
  const QVariant order = KeyParam(*eUspesnostZotrieditPodla);
  if (!order.isNull()) fp->WriteInteger(kOrderValue, order.toInt());
  fp->WriteInteger(kOwnGroundsValue, eReviryNase->isChecked() ? 1 : 0);
  fp->WriteInteger(kOtherGroundsValue, eReviryOstatne->isChecked() ? 1 : 0);
}

TCatchSummaryChoice TfrmPUlovkySumarizacia::Choice() const {
  const QVariant order = KeyParam(*eUspesnostZotrieditPodla);
  return {eVypracoval->text(), GroundsOf(eReviryNase->isChecked(), eReviryOstatne->isChecked()),
          order.isNull() ? 0 : order.toInt()};
}

void TfrmPUlovkySumarizacia::btnZapisClick() {
  if (CheckRequiredInputs(*this)) return;
  const TCatchSummaryChoice choice = Choice();
  if (choice.Grounds != TCatchGrounds::All && ProgramSettings.ZO_JEDIN.isNull()) {
    // Without the own branch neither single choice has a ground to compare with.
    MessageDlg(QStringLiteral("Nie je nastavená vlastná základná organizácia. Zvoľte ju v Nastaveniach."),
               TMsgDlgType::Warning, mbOK);
    return;
  }
  try {
    PrintRegister(SummaryPrint(choice, rok_, ProgramSettings.ZO_JEDIN), rok_);
  } catch (...) {
    // Reported by the print protocol's handler and raised again: the form closes all the same.
    SetModalResult(mrOk);
    throw;
  }
  SetModalResult(mrOk);
}

TCatchGrounds TfrmPUlovkySumarizacia::GroundsOf(bool nase, bool ostatne) {
  if (nase == ostatne) return TCatchGrounds::All;
  return nase ? TCatchGrounds::Own : TCatchGrounds::Others;
}

TRegisterPrint TfrmPUlovkySumarizacia::SummaryPrint(const TCatchSummaryChoice& choice, quint16 rok,
                                                    const QVariant& ownOrganisation) {
  QVariantMap params{{QStringLiteral("ROK"), rok}};
  const QString onB = GroundCondition(choice.Grounds, QStringLiteral("b"));
  if (choice.Grounds != TCatchGrounds::All) params.insert(QStringLiteral("ZO"), ownOrganisation);
  TRegisterPrint print;
  print.Title = QStringLiteral("Tlač sumarizácie úlovkov");
  print.Template = QStringLiteral("PR_Ulovky.rpf");
  print.NoData = TRegisterPrint::TNoData::AllEmpty;
  print.Variables = {
      {QStringLiteral(" Nastavenia"),
       {{QStringLiteral("Reviry"), GroundsText(choice.Grounds)}, {QStringLiteral("Vypracoval"), choice.Vypracoval}}}};
  // A total over no line is 0, not an empty text.
  print.QueryVariables = {{QStringLiteral(" Special_Data"),
                           {QStringLiteral("select coalesce(sum(a.pocet), 0) as pocet,"),
                            QStringLiteral("coalesce(sum(a.vaha), 0) as vaha from e_ulovky a"),
                            QStringLiteral("left join c_reviry_jux b on b.jedin=a.c_reviry_jux"),
                            QStringLiteral("where a.rok=:ROK ") + onB},
                           params,
                           {{QStringLiteral("POCET"), QStringLiteral("Spolu_pocet")},
                            {QStringLiteral("VAHA"), QStringLiteral("Spolu_vaha")}}}};
  print.DataSets = {
      {QStringLiteral("PODLA_REVIROV"), GroundAndSpeciesSql(onB, QStringLiteral("order by b.nazov, c.nazov")), params},
      {QStringLiteral("PODLA_RYB"), GroundAndSpeciesSql(onB, QStringLiteral("order by c.nazov, b.nazov")), params},
      {QStringLiteral("DRUHOVE_ZASTUPENIE"),
       {QStringLiteral("select sum(a.pocet) as pocet, sum(a.vaha) as vaha, sum(a.spolu) as spolu,"),
        QStringLiteral("b.nazov as ryba from e_ulovky a"),
        QStringLiteral("left join c_druhy_ryb b on b.jedin=a.c_druhy_ryb"),
        QStringLiteral("left join c_reviry_jux c on c.jedin=a.c_reviry_jux"),
        QStringLiteral("where a.rok=:ROK ") + GroundCondition(choice.Grounds, QStringLiteral("c")),
        QStringLiteral("group by a.c_druhy_ryb, b.nazov"), QStringLiteral("order by b.nazov")},
       params},
      {QStringLiteral("USPESNOST"),
       {QStringLiteral("select sum(a.pocet) as pocet, sum(a.vaha) as vaha, sum(a.spolu) as spolu,"),
        QStringLiteral("c.nazov_uplny as vimek from e_ulovky a"),
        QStringLiteral("left join e_povolenky2 b on b.jedin=a.e_povolenky2"),
        QStringLiteral("left join e_povolenky c on c.jedin=b.e_povolenky"),
        QStringLiteral("left join c_reviry_jux d on d.jedin=a.c_reviry_jux"),
        QStringLiteral("where a.rok=:ROK ") + GroundCondition(choice.Grounds, QStringLiteral("d")),
        QStringLiteral("group by c.nazov_uplny"), SuccessOrder(choice.Order)},
       params},
  };
  return print;
}
