#include "reports/designer/rpBandTypesForm.h"
#include "reports/designer/rpBandChoices.h"
#include "reports/designer/rpDialogButtons.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpUtils.h"
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

namespace {

constexpr int kBandTypesPerColumn = 11;
constexpr int kBandTypeRowTop = 20, kBandTypeRowStep = 20, kBandTypeLeft = 12;

} // namespace

TrpBandTypesForm::TrpBandTypesForm(QWidget* parent) : TForm(parent) {
  SetCaption(rpLoadStr(53510));
  TypeGroup = new QGroupBox(rpLoadStr(53511), this);
  for (int type = 0; type < kBandTypeChoices; ++type) {
    auto* button = new QRadioButton(rpGlobals().BandNames.value(type), TypeGroup);
    connect(button, &QRadioButton::clicked, this, [this, type] { BandType = type; });
    TypeButtons.append(button);
  }
  PlaceButtons();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(TypeGroup);
  layout->addLayout(rpOkCancelRow(this));
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TrpBandTypesForm::PlaceButtons() {
  // Two columns of eleven, the right one past the widest caption.
  int widest = 0;
  for (QRadioButton* button : TypeButtons)
    widest = qMax(widest, button->sizeHint().width());
  const int rightColumn = widest + 62;
  for (int type = 0; type < TypeButtons.size(); ++type) {
    QRadioButton* button = TypeButtons.at(type);
    const int row = type % kBandTypesPerColumn;
    const int left = type < kBandTypesPerColumn ? kBandTypeLeft : rightColumn;
    button->setGeometry(left, kBandTypeRowTop + row * kBandTypeRowStep, button->sizeHint().width() + 20,
                        button->sizeHint().height());
  }
  TypeGroup->setFixedSize(2 * (widest + 20) + 54, kBandTypeRowTop + kBandTypesPerColumn * kBandTypeRowStep + 8);
}

void TrpBandTypesForm::OfferFor(const TrpPage& page, bool subreportPage) {
  const QList<bool> offered = rpOfferedBandTypes(page, subreportPage);
  BandType = -1;
  for (int type = 0; type < TypeButtons.size(); ++type) {
    TypeButtons.at(type)->setEnabled(offered.at(type));
    if (offered.at(type) && BandType < 0) {
      BandType = type;
      TypeButtons.at(type)->setChecked(true);
    }
  }
}

int TrpBandTypesForm::ChooseBandType(const TrpPage& page, bool subreportPage) {
  TrpBandTypesForm form;
  form.OfferFor(page, subreportPage);
  if (form.ShowModal() != mrOk) return -1;
  return form.BandType;
}
