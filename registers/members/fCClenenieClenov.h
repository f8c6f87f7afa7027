#pragma once
#include "core/ui/Form.h"
#include "registers/common/ListPattern.h"

// The code list of member groups; also the picker of the member card's group combos.
class TfrmCClenenieClenov : public TForm {
  Q_OBJECT
public:
  explicit TfrmCClenenieClenov(QWidget* owner = nullptr);
  ~TfrmCClenenieClenov() override;

  TListPattern list{*this, kStandardListButtons | lbHladaj};

protected:
  void FormActivate() override { list.FormActivate(); }
  bool FormKeyDown(QKeyEvent* event) override { return list.FormKeyDown(event); }
};
