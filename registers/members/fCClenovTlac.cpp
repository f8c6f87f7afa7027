#include "registers/members/fCClenovTlac.h"
#include "controls/DbGridQPL.h"
#include "controls/QPLBtn.h"
#include "controls/UxPlacemnt.h"
#include "registers/members/MemberRecordsSupport.h"
#include "registers/members/fCClenov.h"
#include <QtGui/QKeyEvent>
#include <QtWidgets/QVBoxLayout>

namespace {
TQPLBtn* MakeButton(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new TQPLBtn(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  QFont font = button->font();
  font.setBold(true);
  button->setFont(font);
  return button;
}
} // namespace

TfrmCClenovTlac::TfrmCClenovTlac(QWidget* owner) : TForm(owner) {
  SetCaption(QStringLiteral("Výber tlačovej zostavy..."));
  SetKeyPreview(true);
  auto* layout = new QVBoxLayout(this);
  btn1 = MakeButton(this, "btn1", QStringLiteral("Tlač zoznamu členov"));
  btn2 = MakeButton(this, "btn2", QStringLiteral("Tlač štítkov"));
  layout->addWidget(btn1);
  layout->addWidget(btn2);
  connect(btn1, &QPushButton::clicked, this, &TfrmCClenovTlac::btn1Click);
  connect(btn2, &QPushButton::clicked, this, &TfrmCClenovTlac::btn2Click);
  fp = new TUxFormPlacement(this);
  fp->setObjectName(QStringLiteral("fp"));
  fp->SetOptions(fpPosition);
  fp->SetUseRegistry(true);
  setFixedSize(sizeHint().expandedTo(QSize(328, 61)));
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
  TRecordPrint print;
  print.Tag = tag;
  print.Title = button.Caption();
  print.Template = templateName;
  print.MasterSql = ChosenMembersSql().split(QLatin1Char('\n'));
  print.Params.insert(QStringLiteral("ZARADENIE"), tag);
  print.YearVariable = true;
  print.OrganizationVariables = true;
  RunRecordPrint(*frmCClenov->list.gr1, print);
}

bool TfrmCClenovTlac::FormKeyDown(QKeyEvent* event) {
  if (event->key() != Qt::Key_Escape ||
      (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)))
    return false;
  SetModalResult(mrCancel);
  return true;
}
