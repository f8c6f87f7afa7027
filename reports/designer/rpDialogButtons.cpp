#include "reports/designer/rpDialogButtons.h"
#include "core/ui/Form.h"
#include "reports/engine/rpUtils.h"
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QPushButton>

QHBoxLayout* rpOkCancelRow(TForm* form, QPushButton** ok, QPushButton** cancel, bool okIsDefault) {
  auto* okButton = new QPushButton(rpLoadStr(55000), form);
  auto* cancelButton = new QPushButton(rpLoadStr(55001), form);
  okButton->setDefault(okIsDefault);
  okButton->setAutoDefault(okIsDefault);
  cancelButton->setAutoDefault(false);
  QObject::connect(okButton, &QPushButton::clicked, form, [form] { form->SetModalResult(mrOk); });
  QObject::connect(cancelButton, &QPushButton::clicked, form, [form] { form->SetModalResult(mrCancel); });
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(okButton);
  row->addWidget(cancelButton);
  if (ok) *ok = okButton;
  if (cancel) *cancel = cancelButton;
  return row;
}
