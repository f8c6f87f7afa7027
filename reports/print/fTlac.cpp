#include "reports/print/fTlac.h"
#include "app/AppContext.h"
#include "controls/QPLBtn.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/MessageDialogs.h"
#include "reports/designer/rpDesigner.h"
#include "reports/engine/rpDBDataSet.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QScopeGuard>
#include <QtGui/QFontMetrics>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QVBoxLayout>

namespace {

// The file of that name in the folder; templates copied from another system
// may differ in the case of their names, which the folder there ignored.
QString FindInFolder(const QString& folder, const QString& name) {
  if (folder.isEmpty()) return QString();
  const QDir dir(folder);
  if (dir.exists(name)) return dir.filePath(name);
  for (const QString& entry : dir.entryList(QDir::Files))
    if (entry.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(entry);
  return QString();
}

QString BareName(QString fileName) {
  fileName.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return QFileInfo(fileName).fileName();
}

} // namespace

namespace {

QList<TfrmTlac::TComponentMaker>& ComponentMakers() {
  static QList<TfrmTlac::TComponentMaker> makers;
  return makers;
}

} // namespace

void TfrmTlac::AddComponentMaker(TComponentMaker maker) { ComponentMakers().append(std::move(maker)); }

TfrmTlac::TfrmTlac(QWidget* owner) : TForm(owner) {
  setObjectName(QStringLiteral("frmTlac"));
  SetCaption(QStringLiteral("Tlač..."));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  SetKeyPreview(true);

  ibt1 = new TIBTransaction(MainDatabase(), TIBTransactionKind::Snapshot, this);
  ibt1->setObjectName(QStringLiteral("ibt1"));
  rp1 = new TrpReport(this);
  rp1->setObjectName(QStringLiteral("rp1"));
  // The designer's settings at their defaults: disabled tool buttons hide.
  // A print form opened from another one's run shares the first one's.
  if (!TrpDesigner::Instance()) {
    rpDesigner1 = new TrpDesigner(this);
    rpDesigner1->setObjectName(QStringLiteral("rpDesigner1"));
  }
  for (int i = 0; i < 6; ++i) {
    ib[i] = new TIBQuery(this);
    ib[i]->setObjectName(QStringLiteral("ib%1").arg(i + 1));
    ib[i]->SetDatabase(MainDatabase());
    ib[i]->SetTransaction(ibt1);
    rpDB[i] = new TrpDBDataSet(this);
    rpDB[i]->setObjectName(QStringLiteral("rpDB%1").arg(i + 1));
    rpDB[i]->SetDataSet(ib[i]);
  }
  rp1->SetDataset(rpDB[0]);
  // The designer's dictionary lists the data sets of the program's forms.
  rpAddGlobalComponent(this);
  rp1->InitialZoom = TrpPreviewZoom::pzPageWidth;
  rp1->PreviewButtons = pbZoom | pbLoad | pbSave | pbPrint | pbFind | pbHelp | pbExit;
  rp1->DefaultCopies = 1;
  rp1->DefaultCollate = true;

  for (const TComponentMaker& make : ComponentMakers())
    make(*this);

  CreateButtons();
  setFixedSize(168, 148);
}

TfrmTlac::~TfrmTlac() { rpRemoveGlobalComponent(this); }

void TfrmTlac::CreateButtons() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(3, 3, 4, 3);
  layout->setSpacing(2);
  // One bold font for the three captions, small enough that each fits beside
  // the 32-pixel glyph also with a wide system font.
  QFont font = this->font();
  font.setBold(true);
  const QString captions[] = {QStringLiteral("Tlač na tlačiareň"), QStringLiteral("Náhľad pred tlačou"),
                              QStringLiteral("Editovanie zostavy")};
  for (const QString& caption : captions)
    while (font.pointSize() > 6 && QFontMetrics(font).horizontalAdvance(caption) > 161 - 32 - 12)
      font.setPointSize(font.pointSize() - 1);
  auto button = [&](const char* name, const QString& caption, int image, void (TfrmTlac::*click)()) {
    auto* b = new TQPLBtn(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setFixedSize(161, 45);
    b->setFont(font);
    b->SetImages(ImageList32());
    b->SetImageIndex(image);
    b->SetMargin(2);
    b->SetSpacing(4);
    connect(b, &QPushButton::clicked, this, click);
    layout->addWidget(b);
    return b;
  };
  btnPrint = button("btnPrint", captions[0], 3, &TfrmTlac::btnPrintClick);
  btnPreview = button("btnPreview", captions[1], 11, &TfrmTlac::btnPreviewClick);
  btnEdit = button("btnEdit", captions[2], 1, &TfrmTlac::btnEditClick);
}

TIBQuery& TfrmTlac::Query(int number) {
  Q_ASSERT(number >= 1 && number <= 6);
  return *ib[number - 1];
}

void TfrmTlac::LinkDetail(int number) {
  // The report walks the master by moving it; each move re-reads the detail.
  connect(ib[0], &TDataSet::Scrolled, this, [this, number] { FollowMaster(number); });
  connect(ib[0], &TDataSet::DataSetChanged, this, [this, number] { FollowMaster(number); });
  FollowMaster(number);
}

void TfrmTlac::FollowMaster(int number) {
  TIBQuery& master = *ib[0];
  TIBQuery& detail = *ib[number - 1];
  // A detail may be linked before its SQL is set; its first master move binds it.
  TIBParam* key = detail.FindParam(QStringLiteral("JEDIN"));
  if (!key || !master.Active() || master.IsEmpty()) return;
  const QVariant jedin = master.FieldByName(QStringLiteral("JEDIN")).AsVariant();
  if (detail.Active() && key->Value() == jedin) return;
  key->SetValue(jedin);
  // The report may hold the detail open while it walks the master.
  if (detail.Active()) {
    detail.Close();
    detail.Open();
  }
}

void TfrmTlac::SetTitle(const QString& title) { rp1->Title = title; }

void TfrmTlac::SetTemplateName(const QString& fileName) {
  rp1->FileName = fileName;
  loaded_ = false;
}

void TfrmTlac::LoadReport() {
  const QString bare = BareName(rp1->FileName);
  QString path = FindInFolder(IniSettings.ReportsPreferred, bare);
  if (path.isEmpty()) path = FindInFolder(IniSettings.Reports, bare);
  if (path.isEmpty()) {
    // Where the designer saves a new template of that name.
    rp1->FileName = QDir(IniSettings.Reports).filePath(bare);
  } else {
    rp1->LoadFromFile(path);
  }
  loaded_ = true;
}

void TfrmTlac::ClearAliases() { rp1->Dictionary.FieldAliases.Clear(); }

void TfrmTlac::SetAlias(const QString& dataSetName, const QString& alias) {
  rp1->Dictionary.FieldAliases.SetVariable(dataSetName, alias);
}

void TfrmTlac::ClearVariables() { rp1->Dictionary.Variables.Clear(); }

void TfrmTlac::SetVariable(const QString& name, const QString& value) {
  rp1->Dictionary.Variables.SetVariable(name, value);
}

bool TfrmTlac::FormKeyDown(QKeyEvent* event) {
  if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier) return false;
  SetModalResult(mrCancel);
  return true;
}

void TfrmTlac::btnPrintClick() {
  if (Process(btnPrint)) SetModalResult(buildFailed_ ? mrAbort : mrOk);
}

void TfrmTlac::btnPreviewClick() {
  if (Process(btnPreview)) SetModalResult(buildFailed_ ? mrAbort : mrOk);
}

void TfrmTlac::btnEditClick() { Process(btnEdit); }

bool TfrmTlac::Process(QAbstractButton* button) {
  if (!loaded_) LoadReport();
  rp1->DoublePassReport = true;
  buildFailed_ = false;
  completed_ = false;
  if (!QFileInfo::exists(rp1->FileName) || button == btnEdit) return OpenDesigner();
  if (!BuildReport()) return true;
  if (button == btnPrint) {
    // Cancelled or failed (the engine said why): nothing was printed.
    completed_ = rp1->PrintWithDialog();
  } else {
    rp1->ShowPreview();
    completed_ = true;
  }
  return true;
}

bool TfrmTlac::BuildReport() {
  // The engine's error box would bypass the program's message dialogs; the
  // error is shown below, once, as this form's failure.
  QStringList errors;
  bool built = false;
  {
    TrpGlobals& g = rpGlobals();
    auto kept = std::exchange(g.ErrorBox, [&errors](const QString& text, const QString&) { errors.append(text); });
    const auto restore = qScopeGuard([&] { g.ErrorBox = std::move(kept); });
    try {
      built = rp1->BuildPreparedPages() && rp1->EMFPages.Count() > 0;
    } catch (const Exception& error) {
      errors.append(error.Message());
    }
  }
  buildFailed_ = !built;
  if (!errors.isEmpty())
    MessageDlg(QStringLiteral("Zostavu „%1“ sa nepodarilo pripraviť.\n\n%2")
                   .arg(BareName(rp1->FileName), errors.join(QLatin1Char('\n'))),
               TMsgDlgType::Error, mbOK, mrOk);
  else if (!built && !rp1->Terminated)
    MessageDlg(QStringLiteral("Zostava „%1“ nemá žiadnu stranu.").arg(BareName(rp1->FileName)),
               TMsgDlgType::Information, mbOK, mrOk);
  return built;
}

bool TfrmTlac::OpenDesigner() {
  // Without a registered designer, editing a template (and a missing
  // template) only says so.
  if (rpGlobals().DesignerWindow) {
    rp1->OpenDesigner();
    completed_ = true;
    return true;
  }
  const QString missing = QFileInfo::exists(rp1->FileName)
                              ? QString()
                              : QStringLiteral("Zostava „%1“ sa v priečinku zostáv nenašla.\n").arg(rp1->FileName);
  MessageDlg(missing + QStringLiteral("Návrhár zostáv nie je v tejto verzii programu k dispozícii."),
             TMsgDlgType::Warning, mbOK, mrOk);
  return false;
}
