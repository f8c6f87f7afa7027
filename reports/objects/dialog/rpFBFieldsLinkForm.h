#pragma once
#include "core/ui/Form.h"

class QListWidget;
class QPushButton;
class TDataSet;
class TIBTable;

// The master-detail link editor of a table: fields are joined by position,
// the n-th master field of the table's master-fields text feeding the n-th
// field of the detail table's current index. The detail list offers only its
// first remaining entry; Add joins it with the chosen master field, Clear
// starts over. OK keeps the working text; any other close restores the text
// the table had. Master names beyond the index's fields stay unjoined.
class TrpFBFieldsLinkForm : public TForm {
  Q_OBJECT
public:
  TrpFBFieldsLinkForm(TDataSet& master, TIBTable& detail, QWidget* parent = nullptr);

  QListWidget *DetailList = nullptr, *MasterList = nullptr, *JoinedList = nullptr;
  QPushButton *AddButton = nullptr, *ClearButton = nullptr;
  const QString& WorkingText() const { return working_; }

  // Fills the three lists from the working text.
  void Rebuild();
  void AddLink();
  void ClearLinks();

protected:
  void FormClose(TCloseAction& action) override;

private:
  void UpdateAddButton();

  TIBTable& detail_;
  QString saved_, working_;
  QStringList masterNames_, detailNames_;
};
