#pragma once
#include "app/PrintForm.h"
#include "core/ui/Form.h"
#include <functional>

class QAbstractButton;
class TIBQuery;
class TIBTransaction;
class TQPLBtn;
class TrpDBDataSet;
class TrpDesigner;
class TrpReport;

// The print form through which every register prints: the register fills
// its queries, names the template and sets the report variables; the user
// then prints, previews, or edits the template. Print and Preview build the
// report in two passes (TOTALPAGES is known on every page) and close the
// form with mrOk, or with mrAbort when the build failed (its error shown);
// Esc closes it with mrCancel and prints nothing.
class TfrmTlac : public TForm, public IPrintForm {
  Q_OBJECT
public:
  // Adds the components every print form holds from libraries above it
  // (export filters); each maker runs when a form is created and gives the
  // form its components as children, so they live exactly as long as the form.
  using TComponentMaker = std::function<void(TfrmTlac& form)>;
  static void AddComponentMaker(TComponentMaker maker);

  explicit TfrmTlac(QWidget* owner = nullptr);
  ~TfrmTlac() override;

  // --- IPrintForm
  TIBTransaction& Transaction() override { return *ibt1; }
  TIBQuery& Query(int number) override;
  void LinkDetail(int number) override;
  void SetTitle(const QString& title) override;
  void SetTemplateName(const QString& fileName) override;
  // Finds the template's bare name in the preferred report folder, else in
  // the report folder (a folder part of the name is dropped), and loads it
  // when it exists there; a missing file is no error.
  void LoadReport() override;
  void ClearAliases() override;
  void SetAlias(const QString& dataSetName, const QString& alias) override;
  void ClearVariables() override;
  void SetVariable(const QString& name, const QString& value) override;
  void ShowModal() override { TForm::ShowModal(); }
  bool Completed() const override { return completed_; }
  // True when the last Print or Preview failed to build the report.
  bool BuildFailed() const { return buildFailed_; }

  // The action of the three buttons. Returns false when nothing could be
  // done (no designer for a missing template or an edit): the form stays open.
  bool Process(QAbstractButton* button);

  TrpReport* rp1;
  TrpDesigner* rpDesigner1 = nullptr; // null when another print form holds the one component
  TIBTransaction* ibt1;
  TIBQuery* ib[6];
  TrpDBDataSet* rpDB[6];
  TQPLBtn* btnPrint;
  TQPLBtn* btnPreview;
  TQPLBtn* btnEdit;

protected:
  bool FormKeyDown(QKeyEvent* event) override;

private:
  // The three bold 161 x 45 buttons with glyphs of the 32-pixel image list.
  void CreateButtons();
  void btnPrintClick();
  void btnPreviewClick();
  void btnEditClick();
  // Builds the prepared pages; a failure shows its error and sets buildFailed_.
  bool BuildReport();
  // The designer on the template, or the message that there is none.
  bool OpenDesigner();
  // Re-reads detail `number` for the master's current row.
  void FollowMaster(int number);

  bool loaded_ = false;
  bool buildFailed_ = false;
  bool completed_ = false;
};
