#include "reports/objects/rpChartForm.h"
#include "platform/MessageDialogs.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpUtils.h"
#include "reports/objects/rpChartView.h"
#include <QtCore/QPointer>
#include <QtGui/QPainter>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QToolButton>

namespace {

// A small picture of a chart of the kind, for its type button.
QIcon ChartKindIcon(TrpChartKind kind) {
  TrpChart chart;
  chart.FrameVisible = chart.LegendVisible = chart.AxesVisible = chart.View3D = chart.WallsVisible = false;
  TrpChartSeries& series = chart.AddSeries(kind);
  series.MarksVisible = false;
  series.ColorEachPoint = kind == ckBar || kind == ckHorizontalBar || kind == ckPie;
  for (double value : {2.0, 4.0, 3.0})
    series.AddValue(value);
  QPixmap pixmap(28, 28);
  pixmap.fill(Qt::white);
  QPainter painter(&pixmap);
  chart.Render(painter, pixmap.rect());
  return QIcon(pixmap);
}

} // namespace

TrpChartForm& rpChartForm() {
  static QPointer<TrpChartForm> form;
  if (!form) form = new TrpChartForm;
  return *form;
}

TrpChartForm::TrpChartForm(QWidget* parent) : TrpObjEditorForm(parent) {
  setObjectName(QStringLiteral("TrpChartForm"));
  setFixedSize(380, 300);
  Tabs = new QTabWidget(this);
  Tabs->setGeometry(8, 8, 364, 246);
  Tab1 = new QWidget;
  Tab2 = new QWidget;
  Tab3 = new QWidget;
  Tabs->addTab(Tab1, QString());
  Tabs->addTab(Tab2, QString());
  Tabs->addTab(Tab3, QString());

  GroupBox1 = new QGroupBox(Tab1);
  GroupBox1->setGeometry(8, 8, 140, 190);
  auto* kinds = new QButtonGroup(this);
  for (int i = 0; i < 6; ++i) {
    SB[i] = new QToolButton(GroupBox1);
    SB[i]->setObjectName(QStringLiteral("SB%1").arg(i + 1));
    SB[i]->setCheckable(true);
    SB[i]->setIcon(ChartKindIcon(TrpChartKind(i)));
    SB[i]->setIconSize(QSize(28, 28));
    SB[i]->setGeometry(14 + (i % 2) * 60, 26 + (i / 2) * 52, 44, 44);
    kinds->addButton(SB[i], i);
  }
  GroupBox3 = new QGroupBox(Tab1);
  GroupBox3->setGeometry(156, 8, 196, 190);
  int y = 24;
  for (QCheckBox** box : {&CB1, &CB2, &CB3, &CB4, &CB5, &CB6}) {
    *box = new QCheckBox(GroupBox3);
    (*box)->setGeometry(10, y, 180, 22);
    y += 26;
  }

  GroupBox2 = new QGroupBox(Tab2);
  GroupBox2->setGeometry(8, 8, 344, 88);
  Label1 = new QLabel(GroupBox2);
  Label1->setGeometry(10, 24, 110, 22);
  E1 = new QLineEdit(GroupBox2);
  E1->setGeometry(124, 24, 210, 24);
  Label1->setBuddy(E1);
  Label2 = new QLabel(GroupBox2);
  Label2->setGeometry(10, 56, 110, 22);
  E2 = new QLineEdit(GroupBox2);
  E2->setGeometry(124, 56, 210, 24);
  Label2->setBuddy(E2);
  GroupBox5 = new QGroupBox(Tab2);
  GroupBox5->setGeometry(8, 104, 344, 96);
  Label3 = new QLabel(GroupBox5);
  Label3->setGeometry(10, 24, 110, 22);
  E3 = new QLineEdit(GroupBox5);
  E3->setGeometry(124, 24, 60, 24);
  Label3->setBuddy(E3);
  Label4 = new QLabel(GroupBox5);
  Label4->setGeometry(10, 58, 110, 22);
  E4 = new QLineEdit(GroupBox5);
  E4->setGeometry(124, 58, 140, 24);
  Label4->setBuddy(E4);
  Label5 = new QLabel(GroupBox5);
  Label5->setGeometry(270, 58, 70, 22);

  GroupBox4 = new QGroupBox(Tab3);
  GroupBox4->setGeometry(8, 8, 344, 170);
  for (int i = 0; i < 5; ++i) {
    RB[i] = new QRadioButton(GroupBox4);
    RB[i]->setObjectName(QStringLiteral("RB%1").arg(i + 1));
    RB[i]->setGeometry(12, 24 + i * 28, 300, 22);
  }

  Button1 = new QPushButton(this);
  Button1->setGeometry(200, 264, 80, 26);
  Button1->setDefault(true);
  Button2 = new QPushButton(this);
  Button2->setGeometry(290, 264, 80, 26);
  connect(Button1, &QPushButton::clicked, this, [this] {
    if (EntriesValid()) SetModalResult(mrOk);
  });
  connect(Button2, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
  SetTexts();
}

void TrpChartForm::SetTexts() {
  SetCaption(rpLoadStr(53590));
  Tabs->setTabText(0, rpLoadStr(53591));
  Tabs->setTabText(1, rpLoadStr(53592));
  Tabs->setTabText(2, rpLoadStr(53604));
  GroupBox1->setTitle(rpLoadStr(53593));
  GroupBox3->setTitle(rpLoadStr(53595));
  int id = 53596;
  for (QCheckBox* box : {CB1, CB2, CB3, CB4, CB5, CB6})
    box->setText(rpLoadStr(id++));
  GroupBox2->setTitle(rpLoadStr(53594));
  Label1->setText(rpLoadStr(53602));
  Label2->setText(rpLoadStr(53603));
  GroupBox5->setTitle(rpLoadStr(53611));
  Label3->setText(rpLoadStr(53612));
  Label4->setText(rpLoadStr(53613));
  Label5->setText(rpLoadStr(53614));
  GroupBox4->setTitle(rpLoadStr(53605));
  for (int i = 0; i < 5; ++i)
    RB[i]->setText(rpLoadStr(53606 + i));
  Button1->setText(rpLoadStr(55000));
  Button2->setText(rpLoadStr(55001));
}

void TrpChartForm::Fill(const TrpChartView& view) {
  SB[std::min<int>(view.ChartType, 5)]->setChecked(true);
  RB[std::min<int>(view.MarksStyle, 4)]->setChecked(true);
  CB1->setChecked(view.Chart3D);
  CB2->setChecked(view.Single);
  CB3->setChecked(view.ShowLegend);
  CB4->setChecked(view.ShowAxes);
  CB5->setChecked(view.ShowMarks);
  CB6->setChecked(view.MultiColor);
  E1->setText(view.CaptionObject);
  E2->setText(view.ValueObject);
  E3->setText(QString::number(view.TopCount));
  E4->setText(view.RestCaption);
}

int TrpChartForm::ShowEditor(TrpView* object) {
  auto* view = dynamic_cast<TrpChartView*>(object);
  if (!view) return mrCancel;
  SetTexts();
  Tabs->setCurrentWidget(Tab1);
  Fill(*view);
  const int result = ShowModal();
  if (result == mrOk && !(view->Restrictions & rrModify)) Apply(*view);
  return result;
}

void TrpChartForm::FormShow() { SB[0]->parentWidget()->setFocus(); }

bool TrpChartForm::EntriesValid() {
  bool ok = false;
  E3->text().trimmed().toInt(&ok);
  if (ok) return true;
  MessageDlg(QStringLiteral("\"%1\" nie je platné celé číslo.").arg(E3->text()), TMsgDlgType::Error, mbOK);
  Tabs->setCurrentWidget(Tab2);
  E3->setFocus();
  return false;
}

void TrpChartForm::Apply(TrpChartView& view) {
  if (TrpReportDesigner* designer = rpCurrentDesigner()) designer->BeforeChange();
  for (int i = 0; i < 6; ++i)
    if (SB[i]->isChecked()) view.ChartType = quint8(i);
  for (int i = 0; i < 5; ++i)
    if (RB[i]->isChecked()) view.MarksStyle = quint8(i);
  view.Chart3D = CB1->isChecked();
  view.Single = CB2->isChecked();
  view.ShowLegend = CB3->isChecked();
  view.ShowAxes = CB4->isChecked();
  view.ShowMarks = CB5->isChecked();
  view.MultiColor = CB6->isChecked();
  view.CaptionObject = E1->text();
  view.ValueObject = E2->text();
  view.TopCount = E3->text().trimmed().toInt();
  view.RestCaption = E4->text();
  if (TrpReportDesigner* designer = rpCurrentDesigner()) designer->AfterChange();
}
