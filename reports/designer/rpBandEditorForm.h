#pragma once
#include "reports/engine/ui/rpObjEditorForm.h"
#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class TrpBandSourceList;

// The data source of a master, detail or subdetail data band: a data set of
// the report, none, or a virtual data set of a number of records.
class TrpBandEditorForm : public TrpObjEditorForm {
  Q_OBJECT
public:
  explicit TrpBandEditorForm(QWidget* parent = nullptr);
  ~TrpBandEditorForm() override;

  // Shows the band's source; after OK records the designer's undo step and
  // stores the chosen source. Answers the modal result.
  int ShowEditor(TrpView* object) override;

  QListWidget* SourcesLB;
  QLabel* RecordCountLabel;
  QLineEdit* RecordCountE;

private:
  void FollowPosition();
  std::unique_ptr<TrpBandSourceList> sources_;
};
