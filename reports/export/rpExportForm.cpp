#include "reports/export/rpExportForm.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <cmath>

TrpExportForm::TrpExportForm(QWidget* parent) : TForm(parent) {
  auto* outer = new QVBoxLayout(this);
  column_ = new QVBoxLayout;
  outer->addLayout(column_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  OKB = new QPushButton(rpLoadStr(55000), this);
  OKB->setObjectName(QStringLiteral("OKB"));
  OKB->setDefault(true);
  CancelB = new QPushButton(rpLoadStr(55001), this);
  CancelB->setObjectName(QStringLiteral("CancelB"));
  buttons->addWidget(OKB);
  buttons->addWidget(CancelB);
  outer->addLayout(buttons);
  connect(OKB, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
  connect(CancelB, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
}

int TrpExportForm::Execute() {
  const int result = ShowModal();
  Apply();
  return result;
}

QCheckBox* TrpExportForm::AddCheck(int stringId, bool checked, QBoxLayout* layout) {
  auto* box = new QCheckBox(rpLoadStr(stringId), this);
  box->setChecked(checked);
  (layout ? layout : column_)->addWidget(box);
  return box;
}

QGroupBox* TrpExportForm::AddGroup(const QString& title, QBoxLayout*& inside, bool horizontal) {
  auto* group = new QGroupBox(title.trimmed(), this);
  inside = horizontal ? static_cast<QBoxLayout*>(new QHBoxLayout(group)) : new QVBoxLayout(group);
  column_->addWidget(group);
  return group;
}

QLineEdit* TrpExportForm::AddEdit(const QString& label, const QString& text, QBoxLayout* layout,
                                  const QString& suffix) {
  auto* row = new QHBoxLayout;
  auto* caption = new QLabel(label, this);
  auto* edit = new QLineEdit(text, this);
  caption->setBuddy(edit);
  row->addWidget(caption);
  row->addWidget(edit);
  if (!suffix.isEmpty()) row->addWidget(new QLabel(suffix, this));
  layout->addLayout(row);
  return edit;
}

void TrpExportForm::AddScaleEdits(QLineEdit** x, double scaleX, QLineEdit** y, double scaleY) {
  QBoxLayout* scale = nullptr;
  AddGroup(rpLoadStr(54806), scale, true);
  if (x) *x = AddEdit(QStringLiteral("X"), QString::number(scaleX, 'g', 15), scale);
  *y = AddEdit(QStringLiteral("Y"), QString::number(scaleY, 'g', 15), scale);
}

QString rpPercentText(double factor) { return QString::number(qint64(std::trunc(factor * 100))); }

double rpPercentFactor(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (!ok) throw ErpConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
  return value / 100.0;
}

double rpNumberOf(const QString& text) { return rpStrToFloat(text); }
