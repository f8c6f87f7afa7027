#include "PreviewFixture.h"
#include "reports/engine/ui/rpEngineUi.h"

PreviewFixture::TEngineRun::TEngineRun() {
  rpEngineStart();
  rpInstallEngineUi();
}

PreviewFixture::TEngineRun::~TEngineRun() { rpEngineEnd(); }

PreviewFixture::PreviewFixture() {
  rpGlobals().ErrorBox = [this](const QString& text, const QString& caption) { errors.append(text); };
  TUxFieldDef def;
  def.Name = QStringLiteral("NAME");
  def.DataType = TUxFieldType::String;
  def.Size = 40;
  data.AddFieldDef(def);
  data.Open();
  for (int i = 1; i <= 130; ++i) {
    data.Append();
    data.FieldByName(QStringLiteral("NAME"))
        .SetValue(i == 120 || i == 125 ? QStringLiteral("Ľudovít Štúr") : QStringLiteral("Člen %1").arg(i));
    data.Post();
  }
  members.setObjectName(QStringLiteral("Members"));
  members.SetDataSet(&data);
  report.ShowProgress = false;
}

PreviewFixture::~PreviewFixture() = default;

bool PreviewFixture::Build(const QString& urlTag) {
  TrpPage* page = report.Pages.GetPage(0);
  auto band = [page](int type, int top, int height, const QString& source) {
    auto view = std::make_unique<TrpBandView>();
    view->SetBandType(type);
    view->SetBounds(0, top, 700, height);
    view->DisplayFormatText = source;
    view->Name = QStringLiteral("Band%1").arg(type);
    page->Add(std::move(view));
  };
  auto text = [page](const QString& name, int left, int top, int width, const QString& memo) {
    auto view = std::make_unique<TrpMemoView>();
    view->SetBounds(left, top, width, 20);
    view->Memo = QStringList{memo};
    view->Name = name;
    view->Flags &= quint16(~mfStretched);
    return static_cast<TrpMemoView*>(page->Add(std::move(view)));
  };
  band(btPageHeader, 20, 40, QString());
  text(QStringLiteral("Title"), 40, 25, 400, QStringLiteral("Zoznam členov"));
  if (!urlTag.isEmpty()) text(QStringLiteral("URLlink"), 450, 25, 200, QStringLiteral("Odkaz"))->Tag = urlTag;
  band(btMasterData, 100, 20, QStringLiteral("Members"));
  text(QStringLiteral("Name"), 40, 100, 400, QStringLiteral("[Members.\"NAME\"]"));
  return report.BuildPreparedPages();
}
