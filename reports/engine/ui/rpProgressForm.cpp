#include "reports/engine/ui/rpProgressForm.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include <QtCore/QTimer>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>
#include <utility>

TrpProgressForm::TrpProgressForm(QWidget* parent) : TForm(parent) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint); // no close box
  Label1 = new QLabel(this);
  Label2 = new QLabel(this);
  Label1->setAlignment(Qt::AlignCenter);
  Label2->setAlignment(Qt::AlignCenter);
  Label1->setMinimumWidth(260);
  Button1 = new QPushButton(rpLoadStr(55001), this);
  connect(Button1, &QPushButton::clicked, this, &TrpProgressForm::Button1Click);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(Label2);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
}

TrpProgressForm::~TrpProgressForm() {
  if (running_ && rpEngineStarted()) rpGlobals().ProgressText = nullptr;
}

int TrpProgressForm::Execute(TrpReport& report, const QString& caption, const std::function<void()>& work) {
  SetCaption(caption);
  report_ = &report;
  work_ = work;
  Label2->clear();
  // The work starts from the event loop, once the window is up.
  failure_ = nullptr;
  QTimer::singleShot(0, this, &TrpProgressForm::StartBuildMessage);
  const int result = ShowModal();
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
  return result;
}

void TrpProgressForm::StartBuildMessage() {
  TrpGlobals& g = rpGlobals();
  // A progress window inside another (a print that rebuilds) hands the line back afterwards.
  const auto outer = g.ProgressText;
  g.ProgressText = [this](const QString& text) { Label1->setText(text); };
  running_ = true;
  try {
    work_();
  } catch (...) {
    // An exception must not cross the event loop; Execute raises it again.
    failure_ = std::current_exception();
  }
  running_ = false;
  g.ProgressText = outer;
  SetModalResult(report_->Terminated || failure_ ? mrCancel : mrOk);
}

void TrpProgressForm::Button1Click() {
  if (report_) report_->Terminated = true;
  SetModalResult(mrCancel);
}
