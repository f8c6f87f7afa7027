#pragma once
#include "core/ui/Form.h"
#include "registers/common/DialogPattern.h"

class TIBComboBox;
class TIBCurrencyEdit;
class TIBMemo;
class TSpeedButton;

// The add/edit dialog of an award: member, award, the year it was given
// (1 to 9999; a new award proposes last calendar year), note.
class TfrmEVyznamenaniaPridaj : public TForm {
  Q_OBJECT
public:
  explicit TfrmEVyznamenaniaPridaj(QWidget* owner = nullptr);
  ~TfrmEVyznamenaniaPridaj() override;

  TIBComboBox *eDBClen, *eDBNazov;
  TSpeedButton* btnClen;
  TIBCurrencyEdit* eDBRok;
  TIBMemo* eDBPoznamka;
  int Jedin = 0;
  TDialogPattern dlg{*this, Jedin};

  void ClearAll();
  void btnClenClick();

protected:
  void FormShow() override { dlg.FormShow(); }
  bool FormKeyDown(QKeyEvent* event) override { return dlg.FormKeyDown(event); }
  void FormClose(TCloseAction&) override { dlg.FormClose(); }
};
