#pragma once
#include "registers/common/ListForm.h"
#include <QtCore/QVariant>

// The interrupted membership years of one member, opened by the member card.
class TfrmCClenovPreruseneRoky : public TListForm {
  Q_OBJECT
public:
  explicit TfrmCClenovPreruseneRoky(QWidget* owner = nullptr);
  ~TfrmCClenovPreruseneRoky() override;

  // The member's key, set by the opener before the form is shown.
  QVariant Clen;
};
