#pragma once
#include "core/ui/Form.h"

class QComboBox;
class QListWidget;
class QPushButton;
class QSpinBox;
class QToolButton;
class TrpTextAdvExport;

// The printer set-up of raw printing: the printer (chosen at once on the
// report printer; anything but OK goes back to the one current before),
// the number of copies, and the printer type with its commands, which change
// the export's selection at once and can be saved to and loaded from ".fpi"
// templates.
class TrpPrnInit : public TForm {
  Q_OBJECT
public:
  explicit TrpPrnInit(TrpTextAdvExport& filter, QWidget* parent = nullptr);

  // Loads a template into the export and shows it; a template that names no
  // printer type is refused with a message and changes nothing.
  void LoadTemplate(const QString& fileName);
  void SaveTemplate(const QString& fileName);

  QComboBox* PrinterCB;
  QPushButton* PropertiesB;
  QSpinBox* CopiesE;
  QComboBox* TypeCB;
  QListWidget* CommandsLB;
  QToolButton *LoadB, *SaveB;
  QPushButton *OKB, *CancelB;

protected:
  void FormClose(TCloseAction& action) override;

private:
  void ShowCommands();
  QString TemplateFilter() const;

  TrpTextAdvExport& filter_;
  int rememberedPrinter_ = 0;
  bool filling_ = false;
};
