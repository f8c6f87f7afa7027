#include "registers/permits/fPUlovkySumarizaciaVyber.h"
#include "app/AppContext.h"
#include "controls/QPLBtn.h"
#include "platform/MessageDialogs.h"
#include "registers/common/Exporters.h"
#include "registers/common/PatternKeys.h"
#include "registers/permits/fPUlovkySumarizacia.h"
#include <QtGui/QKeyEvent>
#include <QtWidgets/QVBoxLayout>
#include <memory>

TfrmPUlovkySumarizaciaVyber::TfrmPUlovkySumarizaciaVyber(QWidget* owner, quint16 rok) : TForm(owner), rok_(rok) {
  SetCaption(QStringLiteral("Výber akcie sumarizácie úlovkov"));
  SetKeyPreview(true);
  btnTlac = new TQPLBtn(QStringLiteral("Tlač sumarizácie úlovkov"), this);
  btnTlac->setObjectName(QStringLiteral("btnTlac"));
  btnExport = new TQPLBtn(QStringLiteral("Export sumarizácie úlovkov pre Radu JUX"), this);
  btnExport->setObjectName(QStringLiteral("btnExport"));
  btnExport->setEnabled(bool(Exporters::Find(kCatchSummaryExporter)));
  auto* layout = new QVBoxLayout(this);
  for (TQPLBtn* button : {btnTlac, btnExport}) {
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    button->setMinimumHeight(36);
    layout->addWidget(button);
  }
  connect(btnTlac, &QPushButton::clicked, this, &TfrmPUlovkySumarizaciaVyber::btnTlacClick);
  connect(btnExport, &QPushButton::clicked, this, &TfrmPUlovkySumarizaciaVyber::btnExportClick);
}

TfrmPUlovkySumarizaciaVyber::~TfrmPUlovkySumarizaciaVyber() = default;

bool TfrmPUlovkySumarizaciaVyber::FormKeyDown(QKeyEvent* event) {
  if (event->key() != Qt::Key_Escape || (event->modifiers() & kHeldModifiers)) return false;
  SetModalResult(mrCancel);
  return true;
}

void TfrmPUlovkySumarizaciaVyber::btnTlacClick() {
  {
    const auto parameters = std::make_unique<TfrmPUlovkySumarizacia>(this, rok_);
    parameters->ShowModal();
  }
  SetModalResult(mrOk);
}

void TfrmPUlovkySumarizaciaVyber::btnExportClick() {
  const TExporter exporter = Exporters::Find(kCatchSummaryExporter);
  if (!exporter) return;
  const TExportResult result = exporter(this);
  switch (result.Outcome) {
  case TExportOutcome::Written:
    MessageDlg(QStringLiteral("Export bol úspešne vykonaný."), TMsgDlgType::Information, mbOK);
    break;
  case TExportOutcome::Failed: {
    QString text = QStringLiteral("Chyba pri exporte.");
    if (!result.Reason.isEmpty()) text += QLatin1Char('\n') + result.Reason;
    MessageDlg(text, TMsgDlgType::Error, mbOK);
    break;
  }
  case TExportOutcome::Cancelled:
  case TExportOutcome::NothingToExport:
    // The user cancelled, or the exporter has said there was nothing.
    break;
  }
  SetModalResult(mrOk);
}

bool ShowPUlovkySumarizaciaVyber() {
  const auto chooser = std::make_unique<TfrmPUlovkySumarizaciaVyber>(nullptr, ProgramSettings.Rok);
  chooser->ShowModal();
  return true;
}
