#pragma once
#include "registers/common/ListForm.h"
#include <QtCore/QVariant>

// The interrupted membership years of one member, opened by the member card.
class TfrmCClenovPreruseneRoky : public TListForm {
  Q_OBJECT
public:
  TfrmCClenovPreruseneRoky(QWidget* owner, quint16 rok);
  ~TfrmCClenovPreruseneRoky() override;
  // Shows the years of member `clen` (the member card's button).
  static void OpenForMember(QWidget* owner, int clen, int rok);

  // The member's key, set by the opener before the form is shown.
  QVariant Clen;
};
