#pragma once
#include "registers/common/ListForm.h"

struct TGuestRegister;

// The guest permits sold in a year, of the union or of the branch (by the
// register's row of differences): date, holder, organisation, ground,
// validity, permit number and amount; the receipt of the marked sales (else
// the current one).
class TfrmEPovolenkyHost : public TListForm {
  Q_OBJECT
public:
  TfrmEPovolenkyHost(QWidget* owner, quint16 rok, const TGuestRegister& reg);
  ~TfrmEPovolenkyHost() override;

  const TGuestRegister& Register;

  void btnTlacClick();
};

// The guest permits of the union (kind 1).
class TfrmEPovolenkyJUX : public TfrmEPovolenkyHost {
  Q_OBJECT
public:
  TfrmEPovolenkyJUX(QWidget* owner, quint16 rok);
};

// The guest permits of the branch (kind 2).
class TfrmEPovolenkyZO : public TfrmEPovolenkyHost {
  Q_OBJECT
public:
  TfrmEPovolenkyZO(QWidget* owner, quint16 rok);
};
