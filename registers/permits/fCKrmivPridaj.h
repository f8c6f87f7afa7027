#pragma once
#include "registers/common/DialogForm.h"

class TIBEdit;

// The add/edit dialog of a feed: its name, unique within the feeds of its
// year (the year rollover matches feeds by name).
class TfrmCKrmivPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmCKrmivPridaj(QWidget* owner = nullptr);
  ~TfrmCKrmivPridaj() override;

  TIBEdit* eDBNazov;
};
