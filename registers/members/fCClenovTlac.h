#pragma once
#include "core/ui/Form.h"
#include "registers/members/PrintChoice.h"

class TQPLBtn;
class TUxFormPlacement;

// The print choice of the members list: the member list or the address
// labels of the members chosen in the open list `frmCClenov` (the marked
// rows, else every row as filtered). It stays open for the next print.
class TfrmCClenovTlac : public TForm {
  Q_OBJECT
public:
  explicit TfrmCClenovTlac(QWidget* owner = nullptr);
  ~TfrmCClenovTlac() override;

  TQPLBtn *btn1, *btn2;
  TUxFormPlacement* fp;

  void btn1Click();
  void btn2Click();

protected:
  bool FormKeyDown(QKeyEvent* event) override { return TPrintChoice::EscCloses(*this, event); }

private:
  void Print(const TQPLBtn& button, const QString& templateName, const QString& tag);
  TPrintChoice choice_{*this, QSize(328, 61)};
};
