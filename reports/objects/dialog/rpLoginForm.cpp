#include "reports/objects/dialog/rpLoginForm.h"
#include "reports/engine/rpUtils.h"
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

TrpLoginForm::TrpLoginForm(const QString& databaseName, QWidget* parent) : TForm(parent) {
  setObjectName(QStringLiteral("rpLoginForm"));
  SetCaption(QStringLiteral("Prihlásenie do databázy"));
  auto* layout = new QFormLayout(this);
  auto* database = new QLabel(databaseName, this);
  database->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addRow(QStringLiteral("Databáza:"), database);
  UserName = new QLineEdit(this);
  Password = new QLineEdit(this);
  Password->setEchoMode(QLineEdit::Password);
  layout->addRow(QStringLiteral("&Meno:"), UserName);
  layout->addRow(QStringLiteral("&Heslo:"), Password);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(rpLoadStr(55000), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(rpLoadStr(55001), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { SetModalResult(mrOk); });
  connect(buttons, &QDialogButtonBox::rejected, this, [this] { SetModalResult(mrCancel); });
  layout->addRow(buttons);
}

bool TrpLoginForm::Ask(const QString& databaseName, QString& userName, QString& password) {
  TrpLoginForm form(databaseName);
  form.UserName->setText(userName);
  form.Password->setText(password);
  (userName.isEmpty() ? form.UserName : form.Password)->setFocus();
  if (form.ShowModal() != mrOk) return false;
  userName = form.UserName->text();
  password = form.Password->text();
  return true;
}
