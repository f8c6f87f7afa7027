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
#include "registers/common/RegisterControls.h"
#include "registers/common/RegisterLayout.h"
#include "registers/permits/PermitPrints.h"
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QVBoxLayout>

namespace {

const QString kPreparerValue = QStringLiteral("vypracoval");
const QString kOrderValue = QStringLiteral("vimekov_triedit");
const QString kOwnGroundsValue = QStringLiteral("nase_reviry");
const QString kOtherGroundsValue = QStringLiteral("ostatne_reviry");
constexpr int kOrderByWeight = 2;

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
    PrintRegister(CatchSummaryPrint(choice, rok_, ProgramSettings.ZO_JEDIN), rok_);
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
