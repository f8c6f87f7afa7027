#include "reports/export/rpGridExportForm.h"
#include "reports/engine/rpUtils.h"
#include "reports/export/rpGridExport.h"
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QTabWidget>

TrpGridExportForm::TrpGridExportForm(TrpGridExport& filter, int captionId, QWidget* parent, bool tabbed)
    : TrpExportForm(parent), filter_(filter) {
  SetCaption(rpLoadStr(captionId));
  QVBoxLayout* const form = column_;
  QVBoxLayout* advanced = form;
  if (tabbed) {
    // "Pages" holds range and page properties, "Advanced" the quality group.
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("Tabs"));
    const auto addTab = [&](int stringId) {
      auto* page = new QWidget(tabs);
      tabs->addTab(page, rpLoadStr(stringId));
      return new QVBoxLayout(page);
    };
    column_ = addTab(55729);
    advanced = addTab(55730);
    form->addWidget(tabs);
  }
  QBoxLayout* range = nullptr;
  AddGroup(rpLoadStr(53044), range);
  PageRangeE = AddEdit(rpLoadStr(53047), filter.PageRangeText, range);
  PageRangeE->setToolTip(rpLoadStr(53048));
  QBoxLayout* page = nullptr;
  AddGroup(rpLoadStr(54845), page);
  TopMarginE = AddEdit(rpLoadStr(54846), QString::number(filter.TopMargin, 'g', 15), page);
  LeftMarginE = AddEdit(rpLoadStr(54847), QString::number(filter.LeftMargin, 'g', 15), page);
  ScaleXE = AddEdit(rpLoadStr(54848), rpPercentText(filter.HorizontalScale), page, QStringLiteral("%"));
  ScaleYE = AddEdit(rpLoadStr(54849), rpPercentText(filter.VerticalScale), page, QStringLiteral("%"));
  if (tabbed) column_->addStretch(); // the groups keep their height on their tab
  column_ = advanced;
  AddGroup(rpLoadStr(54850), quality_);
  if (tabbed) column_->addStretch();
  column_ = form;
}

void TrpGridExportForm::Apply() {
  ApplyChecks();
  filter_.HorizontalScale = rpPercentFactor(ScaleXE->text());
  filter_.VerticalScale = rpPercentFactor(ScaleYE->text());
  filter_.TopMargin = rpNumberOf(TopMarginE->text());
  filter_.LeftMargin = rpNumberOf(LeftMarginE->text());
  filter_.PageRangeText = PageRangeE->text();
}
