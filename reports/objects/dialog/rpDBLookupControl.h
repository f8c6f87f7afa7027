#pragma once
#include "reports/objects/dialog/rpStdControl.h"

class TrpLookupComboBox;

// The dialog-page control that picks one row of a data set by a shown field
// and hands the row's key to the report ("TEXT"). The list data set is named
// from the engine's host form: the report's own tables and queries plainly,
// a data set of another form as form name "." name. The name read from a
// template is applied again once the whole report is loaded.
class TrpDBLookupControl : public TrpStdControl {
public:
  TrpDBLookupControl();

  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  void ListProperties() override;
  void AfterLoad() override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;

  TrpLookupComboBox* Box() const;
  QString ListSourceName;

protected:
  QPalette::ColorRole ColorRole() const override { return QPalette::Base; }

private:
  void BindListSource(const QString& name);
};
