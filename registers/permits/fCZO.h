#pragma once
#include "registers/common/ListForm.h"

// The code list of the union's organisations (the branches and the council);
// not kept per year. Also the picker of the settings' own branch and council.
class TfrmCZO : public TListForm {
  Q_OBJECT
public:
  TfrmCZO(QWidget* owner, quint16 rok);
  ~TfrmCZO() override;
};
