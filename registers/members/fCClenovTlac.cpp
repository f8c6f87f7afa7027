#include "registers/members/fCClenovTlac.h"
#include "controls/DbGridQPL.h"
#include "controls/QPLBtn.h"
#include "registers/common/PrintProtocol.h"
#include "registers/members/fCClenov.h"

TfrmCClenovTlac::TfrmCClenovTlac(QWidget* owner) : TForm(owner) {
  btn1 = choice_.Button(QStringLiteral("btn1"), QStringLiteral("Tlač zoznamu členov"), [this] { btn1Click(); });
  btn2 = choice_.Button(QStringLiteral("btn2"), QStringLiteral("Tlač štítkov"), [this] { btn2Click(); });
  fp = choice_.Placement();
}

TfrmCClenovTlac::~TfrmCClenovTlac() = default;

void TfrmCClenovTlac::btn1Click() {
  Print(*btn1, QStringLiteral("ClenZoznam.rpf"), QStringLiteral("DBD05A9C-3FA7-4662"));
}

void TfrmCClenovTlac::btn2Click() {
  Print(*btn2, QStringLiteral("ClenStitky.rpf"), QStringLiteral("BFA2BA58-3F64-48AF"));
}

void TfrmCClenovTlac::Print(const TQPLBtn& button, const QString& templateName, const QString& tag) {
  if (!frmCClenov) return;
  TRegisterPrint print;
  print.Tag = tag;
  print.Title = button.Caption();
  print.Template = templateName;
  print.MasterSql = ChosenMembersSql().split(QLatin1Char('\n'));
  print.Params.insert(QStringLiteral("ZARADENIE"), tag);
  PrintRegister(*frmCClenov->list.gr1, print);
}
