#pragma once
#include "reports/engine/ui/rpObjEditorForm.h"
#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class TrpBandSourceList;
class TrpCrossDataSources;

// The sources of a cross data band, one for each band of the page it runs
// along: the bands on the left, the source of the selected one on the right.
class TrpVBandEditorForm : public TrpObjEditorForm {
  Q_OBJECT
public:
  explicit TrpVBandEditorForm(QWidget* parent = nullptr);
  ~TrpVBandEditorForm() override;

  // Not shown (Cancel) when the page has no band to give a source; after OK
  // records the designer's undo step and stores every band's source.
  int ShowEditor(TrpView* object) override;

  QListWidget* BandsLB;
  QListWidget* SourcesLB;
  QLabel* RecordCountLabel;
  QLineEdit* RecordCountE;

private:
  void ShowBandSource();
  void StoreBandSource();
  std::unique_ptr<TrpBandSourceList> sources_;
  std::unique_ptr<TrpCrossDataSources> bandSources_;
  bool showing_ = false; // the controls are being set, not chosen by the user
};
