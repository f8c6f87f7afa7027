#include "reports/objects/rpBarCodeForm.h"
#include "core/Exception.h"
#include "platform/MessageDialogs.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpComboEdit.h"
#include "reports/objects/rpBarCodeView.h"
#include <QtCore/QLocale>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QToolButton>

TrpBarCodeForm::TrpBarCodeForm(QWidget* parent) : TrpObjEditorForm(parent) {
  setObjectName(QStringLiteral("TrpBarCodeForm"));
  SetCaption(rpLoadStr(53650));
  setFixedSize(400, 260);
  Label1 = new QLabel(rpLoadStr(53651), this);
  Label1->setGeometry(8, 10, 90, 22);
  M1 = new TrpComboEdit(this);
  M1->setGeometry(100, 10, 290, 24);
  M1->SetButtonHint(rpLoadStr(53656));
  Label1->setBuddy(M1);
  Label2 = new QLabel(rpLoadStr(53652), this);
  Label2->setGeometry(8, 42, 90, 22);
  cbType = new QComboBox(this);
  cbType->setGeometry(100, 42, 290, 24);
  for (int type = 0; type <= bcCodeEAN128C; ++type)
    cbType->addItem(QLatin1String(rpBarcodeTypeInfo(type).Name));
  Label2->setBuddy(cbType);
  GroupBox1 = new QGroupBox(rpLoadStr(53653), this);
  GroupBox1->setGeometry(8, 76, 200, 136);
  ckCheckSum = new QCheckBox(rpLoadStr(53654), GroupBox1);
  ckCheckSum->setGeometry(10, 24, 180, 22);
  ckViewText = new QCheckBox(rpLoadStr(53655), GroupBox1);
  ckViewText->setGeometry(10, 50, 180, 22);
  Label3 = new QLabel(rpLoadStr(53659), GroupBox1);
  Label3->setGeometry(10, 82, 60, 22);
  eZoom = new QLineEdit(GroupBox1);
  eZoom->setGeometry(72, 82, 70, 24);
  ZoomUp = new QToolButton(GroupBox1);
  ZoomUp->setArrowType(Qt::UpArrow);
  ZoomUp->setGeometry(144, 80, 20, 14);
  ZoomDown = new QToolButton(GroupBox1);
  ZoomDown->setArrowType(Qt::DownArrow);
  ZoomDown->setGeometry(144, 94, 20, 14);
  GroupBox2 = new QGroupBox(rpLoadStr(53658), this);
  GroupBox2->setGeometry(216, 76, 174, 136);
  int y = 22;
  for (auto [button, caption] :
       {std::pair{&RB1, "0"}, std::pair{&RB2, "90"}, std::pair{&RB3, "180"}, std::pair{&RB4, "270"}}) {
    *button = new QRadioButton(QLatin1String(caption), GroupBox2);
    (*button)->setGeometry(12, y, 140, 22);
    y += 26;
  }
  bOk = new QPushButton(rpLoadStr(55000), this);
  bOk->setGeometry(220, 224, 80, 26);
  bOk->setDefault(true);
  bCancel = new QPushButton(rpLoadStr(55001), this);
  bCancel->setGeometry(310, 224, 80, 26);
  connect(bOk, &QPushButton::clicked, this, [this] {
    if (EntriesValid()) SetModalResult(mrOk);
  });
  connect(bCancel, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
  connect(ZoomUp, &QToolButton::clicked, this, [this] { StepZoom(1); });
  connect(ZoomDown, &QToolButton::clicked, this, [this] { StepZoom(-1); });
  connect(M1, &TrpComboEdit::ButtonClicked, this, [this] {
    const QString text = rpCurrentDesigner() ? rpCurrentDesigner()->InsertExpression() : QString();
    if (!text.isEmpty()) M1->setEditText(text);
  });
}

void TrpBarCodeForm::Fill(const TrpBarCodeView& view) {
  M1->setEditText(view.Memo.isEmpty() ? QString() : view.Memo.first());
  cbType->setCurrentIndex(view.BarType);
  ckCheckSum->setChecked(view.CheckSum);
  ckViewText->setChecked(view.ShowText);
  eZoom->setText(QLocale().toString(view.Zoom));
  (view.Rotation == 0 ? RB1 : view.Rotation == 90 ? RB2 : view.Rotation == 180 ? RB3 : RB4)->setChecked(true);
}

int TrpBarCodeForm::ShowEditor(TrpView* object) {
  auto* view = dynamic_cast<TrpBarCodeView*>(object);
  if (!view) return mrCancel;
  Fill(*view);
  const int result = ShowModal();
  if (result == mrOk && !(view->Restrictions & rrModify)) Apply(*view);
  return result;
}

void TrpBarCodeForm::FormActivate() { M1->setFocus(); }

double TrpBarCodeForm::ZoomValue(bool* ok) const {
  const QString text = eZoom->text().trimmed();
  double value = QLocale().toDouble(text, ok);
  if (!*ok) value = QLocale::c().toDouble(text, ok);
  return value;
}

void TrpBarCodeForm::StepZoom(int step) {
  bool ok = false;
  double zoom = ZoomValue(&ok) + step;
  if (!ok || zoom <= 0) zoom = 1;
  eZoom->setText(QLocale().toString(zoom));
}

bool TrpBarCodeForm::EntriesValid() {
  const QString code = M1->currentText();
  if (!code.startsWith(QLatin1Char('['))) {
    TrpBarcode test;
    test.SetText(code);
    test.SetChecksum(ckCheckSum->isChecked());
    test.SetTyp(cbType->currentIndex());
    QImage sample(16, 16, QImage::Format_RGB32);
    QPainter painter(&sample);
    try {
      test.PaintTo(painter);
    } catch (const Exception&) {
      MessageDlg(rpLoadStr(55339), TMsgDlgType::Error, mbOK);
      return false;
    }
  }
  bool ok = false;
  const double zoom = ZoomValue(&ok);
  if (!ok || zoom <= 0) {
    MessageDlg(QStringLiteral("\"%1\" nie je platné kladné číslo.").arg(eZoom->text()), TMsgDlgType::Error, mbOK);
    eZoom->setFocus();
    return false;
  }
  return true;
}

void TrpBarCodeForm::Apply(TrpBarCodeView& view) {
  if (TrpReportDesigner* designer = rpCurrentDesigner()) designer->BeforeChange();
  view.Memo = {M1->currentText()};
  bool ok = false;
  view.Zoom = ZoomValue(&ok);
  view.CheckSum = ckCheckSum->isChecked();
  view.ShowText = ckViewText->isChecked();
  view.BarType = quint8(cbType->currentIndex());
  view.Rotation = RB2->isChecked() ? 90 : RB3->isChecked() ? 180 : RB4->isChecked() ? 270 : 0;
  if (TrpReportDesigner* designer = rpCurrentDesigner()) designer->AfterChange();
}
