#pragma once
#include "core/ui/Form.h"
#include "registers/common/ListPattern.h"

class TQPLColumn;

struct TGridCellCanvas;

// The guard inspections of the working year, with the print of the marked
// (or all listed) inspections with their guards and inspected persons; an
// unpaid private-car cost is shown yellow on red.
class TfrmERS : public TForm {
  Q_OBJECT
public:
  explicit TfrmERS(QWidget* owner = nullptr);
  ~TfrmERS() override;

  TListPattern list{*this, kStandardListButtons | lbTlac | lbHladaj};

  void btnTlacClick();

protected:
  void FormActivate() override { list.FormActivate(); }
  bool FormKeyDown(QKeyEvent* event) override { return list.FormKeyDown(event); }

private:
  void gr1DrawColumnCell(int row, TQPLColumn* column, TGridCellCanvas& canvas) const;
};
