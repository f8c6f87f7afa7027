#pragma once
#include "core/ui/Form.h"

class TQPLBtn;

// The catch summary's chooser: "Tlač sumarizácie úlovkov" opens the summary's
// parameters, "Export sumarizácie úlovkov pre Radu JUX" runs the council's
// export (enabled while an exporter is registered); either closes the
// chooser with 1, Esc with 2. The export says "Chyba pri exporte." only when
// it failed: a cancelled file dialog or nothing to export is no error.
class TfrmPUlovkySumarizaciaVyber : public TForm {
  Q_OBJECT
public:
  TfrmPUlovkySumarizaciaVyber(QWidget* owner, quint16 rok);
  ~TfrmPUlovkySumarizaciaVyber() override;

  TQPLBtn *btnTlac, *btnExport;

  void btnTlacClick();
  void btnExportClick();

protected:
  bool FormKeyDown(QKeyEvent* event) override;

private:
  quint16 rok_;
};

// Shows the chooser for the working year modally and frees it; true.
bool ShowPUlovkySumarizaciaVyber();
