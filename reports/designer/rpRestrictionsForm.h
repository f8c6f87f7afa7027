#pragma once
#include "core/ui/Form.h"

class QCheckBox;
class TrpReportDesigner;

// The restrictions dialog: seven boxes, one per restriction bit (memo,
// script, contents, modification, size, move, delete).
class TrpRestrictionsForm : public TForm {
  Q_OBJECT
public:
  explicit TrpRestrictionsForm(QWidget* parent = nullptr);

  // The sum of the checked boxes' bits.
  quint16 Restrictions() const;
  void SetRestrictions(quint16 restrictions);
  // Fills the boxes from the designer's last selected object; on OK every
  // selected object gets the sum of the checked boxes. Returns the modal result.
  static int EditSelection(TrpReportDesigner& designer);

  QList<QCheckBox*> Boxes; // bit 1 << index
};
