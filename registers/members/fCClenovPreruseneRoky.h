#pragma once
#include "core/ui/Form.h"
#include "registers/common/ListPattern.h"
#include <QtCore/QVariant>

// The interrupted membership years of one member, opened by the member card.
class TfrmCClenovPreruseneRoky : public TForm {
  Q_OBJECT
public:
  explicit TfrmCClenovPreruseneRoky(QWidget* owner = nullptr);
  ~TfrmCClenovPreruseneRoky() override;

  // The member's key, set by the opener before the form is shown.
  QVariant Clen;
  TListPattern list{*this, kStandardListButtons};

protected:
  void FormActivate() override { list.FormActivate(); }
  bool FormKeyDown(QKeyEvent* event) override { return list.FormKeyDown(event); }
};
