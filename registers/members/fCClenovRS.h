#pragma once
#include "core/ui/Form.h"
#include "registers/common/ListPattern.h"

class TQPLColumn;
struct TGridCellCanvas;

// The code list of the fishing guard's members with badge, certificate and
// appointment; a dismissed guard's badge, certificate and date are struck
// through. Also the picker of the inspection dialogs' guard combos.
class TfrmCClenovRS : public TForm {
  Q_OBJECT
public:
  explicit TfrmCClenovRS(QWidget* owner = nullptr);
  ~TfrmCClenovRS() override;

  TListPattern list{*this, kStandardListButtons | lbHladaj};

protected:
  void FormActivate() override { list.FormActivate(); }
  bool FormKeyDown(QKeyEvent* event) override { return list.FormKeyDown(event); }

private:
  void gr1DrawColumnCell(int row, TQPLColumn* column, TGridCellCanvas& canvas) const;
};
