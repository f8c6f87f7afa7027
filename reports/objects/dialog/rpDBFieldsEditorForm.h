#pragma once
#include "core/DataSet.h"
#include "core/ui/Form.h"

class QListWidget;
class TIBQuery;

// The persistent fields of a data set: the list of its fields in field order,
// adding fields of the result that are not yet persistent or a new lookup
// field, selecting all and deleting the selected ones.
class TrpDBFieldsEditorForm : public TForm {
  Q_OBJECT
public:
  explicit TrpDBFieldsEditorForm(TIBQuery& dataSet, QWidget* parent = nullptr);

  QListWidget* FieldList = nullptr;

  void RebuildList();
  // The available-fields window; the chosen fields become persistent after its OK.
  void AddFields();
  // The new-lookup-field window.
  void AddLookupField();
  void DeleteSelected();

private:
  TIBQuery& dataSet_;
};

// The result's fields that the data set has no persistent field of, in result order, all selected.
class TrpDBFieldsListForm : public TForm {
  Q_OBJECT
public:
  explicit TrpDBFieldsListForm(TIBQuery& dataSet, QWidget* parent = nullptr);

  QListWidget* FieldList = nullptr;

  // Makes the selected fields persistent (after OK).
  void AddSelected();

private:
  TIBQuery& dataSet_;
  QList<TFieldDef> defs_;
};
