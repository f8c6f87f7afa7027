#pragma once
#include "core/ui/Form.h"

class QComboBox;
class QListWidget;
class QRadioButton;
class TrpComboEdit;
class TrpFBQuery;

// The parameter editor of a query: per distinct parameter name its data type
// and whether it takes a report expression (typed, or built with the
// designer's expression builder) or the field of the same name of the master
// data set. Changes apply at once; the caller restores them on cancel.
class TrpFBParamsForm : public TForm {
  Q_OBJECT
public:
  explicit TrpFBParamsForm(TrpFBQuery& query, QWidget* parent = nullptr);

  QListWidget* ParamList = nullptr;
  QComboBox* TypeList = nullptr;
  QRadioButton *ValueChoice = nullptr, *MasterChoice = nullptr;
  TrpComboEdit* ExpressionEdit = nullptr;

  // The position in the query's list of the parameter the selected entry names (the first when none).
  int CurrentParam() const;
  void ShowParam();

protected:
  void FormClose(TCloseAction& action) override;

private:
  void TypeChosen(int index);
  void ChoiceChanged();
  void StoreExpression();
  void InsertExpression();

  TrpFBQuery& query_;
  bool showing_ = false; // the choices' handlers rest while a parameter is shown
};
