#include "DesignerFixture.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpSubReportView.h"

DesignerFixture::DesignerFixture() {
  rpEngineStart();
  TrpGlobals& g = rpGlobals();
  g.MessageBox = [this](const QString& text, const QString& caption, int) {
    questions.append(caption + QStringLiteral(": ") + text);
    return answers.isEmpty() ? 6 : answers.takeFirst();
  };
  g.ErrorBox = [this](const QString& text, const QString& caption) {
    errors.append(caption + QStringLiteral(": ") + text);
  };
  report = new TrpReport(&owner);
}

DesignerFixture::~DesignerFixture() {
  delete report;
  rpGlobals().DesignerWindow = {};
  rpEngineEnd();
}

TrpView* DesignerFixture::AddBand(TrpPage* page, int type, const QString& name, int top, int height) {
  auto band = std::make_unique<TrpBandView>();
  band->SetBandType(type);
  band->SetBounds(0, top, 700, height);
  band->Name = name;
  return page->Add(std::move(band));
}

TrpView* DesignerFixture::AddText(TrpPage* page, const QString& name, QRect bounds, const QString& text) {
  auto memo = std::make_unique<TrpMemoView>();
  memo->SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
  memo->Name = name;
  if (!text.isEmpty()) memo->Memo = QStringList{text};
  return page->Add(std::move(memo));
}

TrpView* DesignerFixture::AddSubreport(TrpPage* page, const QString& name, int subPage) {
  auto subreport = std::make_unique<TrpSubReportView>();
  subreport->Name = name;
  subreport->SubPage = subPage;
  subreport->SetBounds(10, 10, 100, 20);
  return page->Add(std::move(subreport));
}
