#include "reports/objects/dialog/rpFBParamsForm.h"
#include "db/IBQuery.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpComboEdit.h"
#include "reports/objects/dialog/rpFBQuery.h"
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

TrpFBParamsForm::TrpFBParamsForm(TrpFBQuery& query, QWidget* parent) : TForm(parent), query_(query) {
  setObjectName(QStringLiteral("rpFBParamsForm"));
  SetCaption(query.Name + QLatin1Char(' ') + rpLoadStr(55301));
  auto* layout = new QGridLayout(this);
  auto* group = new QGroupBox(rpLoadStr(56110), this);
  auto* groupLayout = new QGridLayout(group);
  ParamList = new QListWidget(group);
  auto* nameLabel = new QLabel(rpLoadStr(56112), group);
  nameLabel->setBuddy(ParamList);
  groupLayout->addWidget(nameLabel, 0, 0);
  groupLayout->addWidget(ParamList, 1, 0, 5, 1);
  auto* typeLabel = new QLabel(rpLoadStr(56111), group);
  TypeList = new QComboBox(group);
  typeLabel->setBuddy(TypeList);
  groupLayout->addWidget(typeLabel, 0, 1);
  groupLayout->addWidget(TypeList, 1, 1);
  ValueChoice = new QRadioButton(rpLoadStr(56113), group);
  ExpressionEdit = new TrpComboEdit(group);
  ExpressionEdit->SetButtonHint(rpLoadStr(53575));
  MasterChoice = new QRadioButton(rpLoadStr(56115), group);
  groupLayout->addWidget(ValueChoice, 2, 1);
  groupLayout->addWidget(ExpressionEdit, 3, 1);
  groupLayout->addWidget(MasterChoice, 4, 1);
  layout->addWidget(group, 0, 0, 1, 3);
  auto* ok = new QPushButton(rpLoadStr(55000), this);
  auto* cancel = new QPushButton(rpLoadStr(55001), this);
  ok->setDefault(true);
  layout->addWidget(ok, 1, 1);
  layout->addWidget(cancel, 1, 2);
  connect(ok, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
  connect(cancel, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });

  for (const auto& param : query.WrappedDataSet()->Params())
    if (ParamList->findItems(param->Name(), Qt::MatchFixedString).isEmpty()) ParamList->addItem(param->Name());
  for (const TrpParamType& type : rpParamTypeTable)
    TypeList->addItem(rpLoadStr(55270 + int(&type - rpParamTypeTable)));
  connect(ParamList, &QListWidget::currentRowChanged, this, [this] { ShowParam(); });
  connect(TypeList, &QComboBox::activated, this, &TrpFBParamsForm::TypeChosen);
  connect(ValueChoice, &QRadioButton::toggled, this, &TrpFBParamsForm::ChoiceChanged);
  connect(ExpressionEdit->lineEdit(), &QLineEdit::editingFinished, this, &TrpFBParamsForm::StoreExpression);
  connect(ExpressionEdit, &TrpComboEdit::ButtonClicked, this, &TrpFBParamsForm::InsertExpression);
  if (ParamList->count() > 0) ParamList->setCurrentRow(0);
}

int TrpFBParamsForm::CurrentParam() const {
  const QListWidgetItem* item = ParamList->currentItem();
  const auto& params = query_.WrappedDataSet()->Params();
  for (size_t i = 0; item && i < params.size(); ++i)
    if (params[i]->Name() == item->text()) return int(i);
  return 0;
}

void TrpFBParamsForm::ShowParam() {
  if (query_.ParamCount() == 0) return;
  showing_ = true;
  const int i = CurrentParam();
  const int typeIndex = rpParamTypeIndex(query_.WrappedDataSet()->Params()[size_t(i)]->DataType());
  TypeList->setCurrentIndex(typeIndex < kParamTypeCount ? typeIndex : -1);
  ExpressionEdit->setEditText(QString());
  ExpressionEdit->setEnabled(false);
  if (query_.IsExpressionParam(i)) {
    ExpressionEdit->setEditText(query_.GetParamExpression(i));
    ExpressionEdit->setEnabled(true);
    ValueChoice->setChecked(true);
  } else {
    MasterChoice->setChecked(true);
  }
  showing_ = false;
}

void TrpFBParamsForm::TypeChosen(int index) {
  if (showing_ || index < 0 || query_.ParamCount() == 0) return;
  const int i = CurrentParam();
  query_.WrappedDataSet()->Params()[size_t(i)]->SetDataType(rpParamTypeTable[index].Type);
  if (ExpressionEdit->isEnabled()) query_.SetParamExpression(i, ExpressionEdit->currentText());
}

void TrpFBParamsForm::ChoiceChanged() {
  if (showing_ || query_.ParamCount() == 0) return;
  const bool expression = ValueChoice->isChecked();
  if (!expression) ExpressionEdit->setEditText(QString());
  ExpressionEdit->setEnabled(expression);
  query_.SetExpressionParam(CurrentParam(), expression);
}

void TrpFBParamsForm::StoreExpression() {
  if (showing_ || !ExpressionEdit->isEnabled() || query_.ParamCount() == 0) return;
  query_.SetParamExpression(CurrentParam(), ExpressionEdit->currentText());
}

void TrpFBParamsForm::InsertExpression() {
  TrpReportDesigner* designer = rpCurrentDesigner();
  const QString built = designer ? designer->InsertExpression() : QString();
  if (built.isEmpty()) return;
  ExpressionEdit->setEditText(built);
  StoreExpression();
}

void TrpFBParamsForm::FormClose(TCloseAction& action) { StoreExpression(); }
